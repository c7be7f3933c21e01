// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/AtomicFileSave.h"

#include <QDir>
#include <QSaveFile>

#include "ui/ErrorDisplay.h"

namespace {

[[noreturn]] void Refuse(const QString& fileName, const QString& reason)
{
    throw InputError(QStringLiteral("Cannot save '%1': %2").arg(QDir::toNativeSeparators(fileName), reason)
                         .toStdString());
}

}  // namespace

bool SaveAtomically(const QString& fileName, const std::function<bool(QIODevice& file)>& write)
{
    QSaveFile file(fileName);
    // Where the directory refuses the temporary file, writing straight into
    // the target would give up the all-or-nothing promise.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) Refuse(fileName, file.errorString());
    const bool finished = write(file);
    // The error of a refused write, read before anything else can reset it.
    if (file.error() != QFileDevice::NoError) Refuse(fileName, file.errorString());
    if (!finished) {
        // Leaving without a commit removes the temporary file.
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) Refuse(fileName, file.errorString());
    return true;
}
