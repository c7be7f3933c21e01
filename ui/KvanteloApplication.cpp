#include "ui/KvanteloApplication.h"

#include <exception>

#include <QIcon>

#include "ui/ErrorDisplay.h"

KvanteloApplication::KvanteloApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The resources live in a static library, whose registration the linker
    // would otherwise drop.
    Q_INIT_RESOURCE(kvantelo);
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
