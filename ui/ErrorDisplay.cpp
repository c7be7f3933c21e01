#include "ui/ErrorDisplay.h"

#include <QApplication>
#include <QMessageBox>

namespace {

void ShowErrorBox(const QString& displayedText)
{
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), displayedText,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

ErrorSink& CurrentSink()
{
    static ErrorSink sink = ShowErrorBox;
    return sink;
}

}  // namespace

QString DisplayedErrorText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QChar('.')) return message + QChar('.');
    return message;
}

void SetErrorSink(ErrorSink sink)
{
    CurrentSink() = sink ? std::move(sink) : ErrorSink(ShowErrorBox);
}

void ShowError(const QString& message)
{
    CurrentSink()(DisplayedErrorText(message));
}
