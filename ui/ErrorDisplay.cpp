#include "ui/ErrorDisplay.h"

#include <QApplication>
#include <QMessageBox>

namespace {

// The application's title.
const QString ErrorBoxCaption = QStringLiteral("Kvantelo");

void ShowErrorBox(const QString& displayedText)
{
    QMessageBox box(QMessageBox::Critical, ErrorBoxCaption, displayedText,
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
