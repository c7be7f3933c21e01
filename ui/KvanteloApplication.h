#pragma once

#include <QApplication>

// The application object. Every exception that escapes an event handler
// (a slot, a key or mouse handler) passes through notify, the one place where
// it is caught and shown by the standard error display; the event loop then
// carries on and the window keeps its state.
class KvanteloApplication : public QApplication {
public:
    KvanteloApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
