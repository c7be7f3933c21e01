// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstdio>
#include <exception>

#include "pricing/PathThreadCount.h"
#include "ui/ErrorDisplay.h"
#include "ui/KvanteloApplication.h"
#include "ui/TForm1.h"

int main(int argc, char** argv)
{
    // Settled at start-up, so that a KVANTELO_THREADS value it ignores is
    // reported at once rather than at the first press.
    PathThreadCount();
    try {
        KvanteloApplication application(argc, argv);
        try {
            TForm1 window;
            window.show();
            application.exec();
        } catch (const std::exception& error) {
            ShowError(QString::fromUtf8(error.what()));
        }
    } catch (const std::exception& error) {
        // Without an application object no error box can be shown.
        std::fputs(error.what(), stderr);
    }
    return 0;
}
