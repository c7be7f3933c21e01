// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QString>
#include <QtGlobal>

class QIODevice;

// Saves a file complete or not at all. write fills a temporary file beside
// the target, which replaces the target only when write has finished and
// every byte is on the disk; until then an existing file stays as it was.
// write returns false when it stopped early: cancelled by the user, or
// refused by the device, which then holds the error.
//
// Returns false when the user cancelled. A failure (a missing or read-only
// directory, a full disk) leaves nothing behind and raises InputError with a
// message that names the file and the system's reason.
bool SaveAtomically(const QString& fileName, const std::function<bool(QIODevice& file)>& write);

// Writes every byte, or fails with the system's reason left in the device:
// a disk that takes a write only in part is asked for the rest, and then
// says why it refuses. Every write into a saved file goes through it, since
// a write taken in part alone sets no error.
bool WriteAll(QIODevice& device, const char* data, qint64 size);

// Raises the failure of saving fileName for reason, as SaveAtomically does.
[[noreturn]] void RefuseSave(const QString& fileName, const QString& reason);
