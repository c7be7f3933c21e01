// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include <ostream>

#include <QString>
#include <QStringList>

#include "ui/TForm1.h"

class QLineEdit;

// Readable texts in the messages of failed expectations.
void PrintTo(const QString& text, std::ostream* out);

// What one press of Compute may and may not leave behind, shared by the tests
// that press with hostile or generated inputs.

// The input fields in the order ReadInputs reads them: yield, spot, strike,
// months, rate, volatility, path segments, iterations.
constexpr int InputFieldCount = 8;
std::array<QLineEdit*, InputFieldCount> InputFields(const TForm1& form);

// Replaces a field's whole text the way a paste from the clipboard does.
void Paste(QLineEdit* edit, const QString& text);

// A number as the run writes it: fixed notation, six decimals.
bool IsFixedNumberText(const QString& text);

// One of the three messages of an arithmetic fault of the run.
bool IsFloatingPointFaultMessage(const QString& message);

// The run's own refusal of the value axis, which the order of its bounds
// allows only when the estimate of the kind that ran last lies more than 100
// standard deviations below -1: only the control variate's correction can
// make an estimate negative.
bool IsAxisRefusalOfANegativeEstimate(const QString& message, const TForm1& form);

// The results a press writes, blanked before it so that what a press wrote
// and what it did not are told apart.
void BlankResults(TForm1& form);

// Every result cell is empty, "    N/A" or a number in fixed notation; none
// shows a NaN or an infinity. Returns the first offending cell, or an empty
// text.
QString UnsoundResultCell(const TForm1& form);

// Both runs went to their end: both lines hold every path and every result
// cell of both kinds holds a number.
bool BothRunsCompleted(const TForm1& form);
// No run started: both lines and the results of both kinds are still blank,
// and the progress bar still shows what it showed before the press (a fault
// leaves it where the run was).
bool NoRunStarted(const TForm1& form, int progressBefore);

// Texts of all input fields, in reading order.
QStringList FieldTexts(const TForm1& form);

// What ReadInputs is expected to make of the fields: the message of the first
// faulty field (empty when every field is accepted), and the text path
// segments show afterwards (a clamp writes the count back). The readers give
// a field's value, or nothing for a text that is not a number of their kind.
struct ExpectedReading {
    QString message;
    QString fixingText;
};
using RealReader = std::function<std::optional<double>(const QString&)>;
using IntegerReader = std::function<std::optional<int64_t>(const QString&)>;
ExpectedReading ExpectReading(const QStringList& fieldTexts, bool yieldRead, const RealReader& real,
                              const IntegerReader& integer);
