// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ErrorDisplay.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScreen>

namespace {

// The application's title.
const QString ErrorBoxCaption = QStringLiteral("Kvantelo");
// The share of the screen's available width that a quoted text may take.
constexpr int QuotedWidthDivisor = 2;

// A refused text stands between quotes in its message and can be thousands
// of characters long with no space to wrap at: the box would grow with it
// past the screen's edge and cut the message's end. The quoted text is
// shortened in its middle to width, so both quotes and the message's end
// stay in view.
QString ElideQuoted(const QString& text, const QFontMetrics& metrics, int width)
{
    const qsizetype open = text.indexOf(QLatin1Char('\''));
    const qsizetype close = text.lastIndexOf(QLatin1Char('\''));
    if (open < 0 || close <= open) return text;
    const QString quoted = text.mid(open + 1, close - open - 1);
    return text.left(open + 1) + metrics.elidedText(quoted, Qt::ElideMiddle, width) + text.mid(close);
}

void ShowErrorBox(const QString& displayedText)
{
    QMessageBox box(QMessageBox::Critical, ErrorBoxCaption, QString(), QMessageBox::Ok, QApplication::activeWindow());
    // Messages quote what the user typed, which is shown as typed, never
    // read as markup.
    box.setTextFormat(Qt::PlainText);
    // Polished, the box has the font it will draw the text in.
    box.ensurePolished();
    const int width = box.screen()->availableGeometry().width() / QuotedWidthDivisor;
    box.setText(ElideQuoted(displayedText, box.fontMetrics(), width));
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
