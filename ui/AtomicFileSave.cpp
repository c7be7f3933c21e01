// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/AtomicFileSave.h"

#include <QDir>
#include <QSaveFile>

#include "ui/ErrorDisplay.h"

void RefuseSave(const QString& fileName, const QString& reason)
{
    throw InputError(QStringLiteral("Cannot save '%1': %2").arg(QDir::toNativeSeparators(fileName), reason)
                         .toStdString());
}

bool WriteAll(QIODevice& device, const char* data, qint64 size)
{
    while (size > 0) {
        const qint64 written = device.write(data, size);
        if (written <= 0) return false;
        data += written;
        size -= written;
    }
    return true;
}

bool SaveAtomically(const QString& fileName, const std::function<bool(QIODevice& file)>& write)
{
    QSaveFile file(fileName);
    // Where the directory refuses the temporary file, writing straight into
    // the target would give up the all-or-nothing promise.
    file.setDirectWriteFallback(false);
    // Unbuffered, every write reaches the disk and is checked as it is
    // made: the commit would not notice a buffer that the disk refused.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) RefuseSave(fileName, file.errorString());
    const bool finished = write(file);
    // The error of a refused write, read before anything else can reset it.
    if (file.error() != QFileDevice::NoError) RefuseSave(fileName, file.errorString());
    if (!finished) {
        // Leaving without a commit removes the temporary file.
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) RefuseSave(fileName, file.errorString());
    return true;
}
