// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <stdexcept>

#include <QString>

// An error of the window (a text that is not a number, an input the engine
// cannot price, a refused axis bound). Like the engine's faults it ends the
// handler that raised it and is shown by the standard error display.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The message as displayed: a full stop is appended when the last character
// comes after '.' in character order (letters and digits do; '.', '!' and ')'
// do not).
QString DisplayedErrorText(const QString& message);

// Where the standard error display sends a message. The default sink shows a
// modal error box captioned with the application's title; tests install their
// own to capture messages instead of blocking.
using ErrorSink = std::function<void(const QString& displayedText)>;
void SetErrorSink(ErrorSink sink);
void ShowError(const QString& message);

// The one place where exceptions are caught: runs action and shows the
// message of any exception it raises; the program then carries on. Handlers
// run inside it as soon as their signal fires, so an exception never unwinds
// through the toolkit's own frames, which are not built to be unwound; the
// application's notify uses it for everything else.
template <class Action>
void ShowingErrors(Action&& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        ShowError(QString::fromUtf8(error.what()));
    }
}
