// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/KvanteloApplication.h"

#include <exception>

#include <QIcon>

#include "ui/ErrorDisplay.h"

KvanteloApplication::KvanteloApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The resources live in a static library, whose registration the linker
    // would otherwise drop.
    Q_INIT_RESOURCE(kvantelo);
    // The desktop file name lets the window manager match the window to the
    // installed menu entry and show its icon. No display name is set: the
    // toolkit would append it to the title the window manager shows, which is
    // the window's caption alone.
    setApplicationName(QStringLiteral("kvantelo"));
    setApplicationVersion(QStringLiteral(KVANTELO_VERSION));
    setDesktopFileName(QStringLiteral(KVANTELO_APP_ID));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/kvantelo-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
}

bool KvanteloApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = true;
    ShowingErrors([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
