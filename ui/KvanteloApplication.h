// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>

// The application object. An exception that escapes any event's handling
// ends in notify and is shown by the standard error display; the event loop
// then carries on and the window keeps its state.
class KvanteloApplication : public QApplication {
public:
    KvanteloApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
