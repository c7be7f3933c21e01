// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QString>

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
