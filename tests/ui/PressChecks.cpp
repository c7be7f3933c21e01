// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PressChecks.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpression>

#include "pricing/PricingParameters.h"
#include "ui/ConvergenceLine.h"
#include "ui/StringGrid.h"

namespace {

constexpr int AnalyticColumn = 1;
constexpr int FirstKindColumn = 2;
constexpr int LastKindColumn = 3;
constexpr int ValueRow = 1;
constexpr int DeviationRow = 2;

}  // namespace

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '\'' << text.left(80).toStdString() << (text.size() > 80 ? "...'" : "'");
}

std::array<QLineEdit*, InputFieldCount> InputFields(const TForm1& form)
{
    return {form.Edit7, form.Edit3, form.Edit2, form.Edit4, form.Edit5, form.Edit6, form.Edit1, form.Edit9};
}

void Paste(QLineEdit* edit, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        edit->del();
    else
        edit->paste();
}

bool IsFixedNumberText(const QString& text)
{
    static const QRegularExpression fixed(QStringLiteral("^-?[0-9]+\\.[0-9]{6}$"));
    return fixed.match(text).hasMatch();
}

bool IsFloatingPointFaultMessage(const QString& message)
{
    return message == "Invalid floating point operation." || message == "Floating point division by zero." ||
           message == "Floating point overflow.";
}

bool IsAxisRefusalOfANegativeEstimate(const QString& message, const TForm1& form)
{
    // Half a unit of the sixth decimal in V, and a hundred of them in s.
    constexpr double CellRounding = 1e-4;
    if (message != "Axis Maximum Value must be >= Minimum.") return false;
    if (!Parameters.useControlVariate || Parameters.averageKind != AverageKind::Arithmetic) return false;
    // The quasi-random kind runs second; while its cells are blank the
    // pseudo-random run was the last.
    const int column = form.StringGrid1->Cell(FirstKindColumn, ValueRow).isEmpty() ? LastKindColumn : FirstKindColumn;
    bool valueRead = false;
    bool deviationRead = false;
    const double value = form.StringGrid1->Cell(column, ValueRow).toDouble(&valueRead);
    const double deviation = form.StringGrid1->Cell(column, DeviationRow).toDouble(&deviationRead);
    return valueRead && deviationRead && value + 100.0 * deviation < -1.0 + CellRounding;
}

void BlankResults(TForm1& form)
{
    for (int column = FirstKindColumn; column <= LastKindColumn; ++column)
        for (int row = ValueRow; row <= DeviationRow; ++row) form.SetCell(column, row, {});
    form.ClearSeries(GeneratorKind::Quasi);
    form.ClearSeries(GeneratorKind::Pseudo);
}

QString UnsoundResultCell(const TForm1& form)
{
    for (int column = AnalyticColumn; column < form.StringGrid1->columnCount(); ++column) {
        for (int row = ValueRow; row < form.StringGrid1->rowCount(); ++row) {
            const QString text = form.StringGrid1->Cell(column, row);
            const bool sound = text.isEmpty() || text == "    N/A" || IsFixedNumberText(text);
            if (!sound || text.contains("nan", Qt::CaseInsensitive) || text.contains("inf", Qt::CaseInsensitive))
                return QStringLiteral("(%1, %2) '%3'").arg(column).arg(row).arg(text);
        }
    }
    return {};
}

bool BothRunsCompleted(const TForm1& form)
{
    const int32_t paths = Parameters.pathCount;
    if (form.Series1->PointCount() != paths || form.Series2->PointCount() != paths) return false;
    for (int column = FirstKindColumn; column <= LastKindColumn; ++column)
        for (int row = ValueRow; row <= DeviationRow; ++row)
            if (!IsFixedNumberText(form.StringGrid1->Cell(column, row))) return false;
    return form.ProgressBar3->value() == 0;
}

bool NoRunStarted(const TForm1& form, int progressBefore)
{
    if (form.Series1->PointCount() != 0 || form.Series2->PointCount() != 0) return false;
    for (int column = FirstKindColumn; column <= LastKindColumn; ++column)
        for (int row = ValueRow; row <= DeviationRow; ++row)
            if (!form.StringGrid1->Cell(column, row).isEmpty()) return false;
    return form.ProgressBar3->value() == progressBefore;
}

QStringList FieldTexts(const TForm1& form)
{
    QStringList texts;
    for (const QLineEdit* edit : InputFields(form)) texts << edit->text();
    return texts;
}

ExpectedReading ExpectReading(const QStringList& fieldTexts, bool yieldRead, const RealReader& real,
                              const IntegerReader& integer)
{
    const QString notReal = QStringLiteral("'%1' is not a valid floating point value.");
    const QString notInteger = QStringLiteral("'%1' is not a valid integer value.");
    ExpectedReading expected{{}, fieldTexts[6]};
    if (yieldRead && !real(fieldTexts[0])) return {notReal.arg(fieldTexts[0]), expected.fixingText};
    const std::pair<int, const char*> positives[] = {{1, "Asset value must be greater than 0."},
                                                     {2, "Exercise price must be greater than 0."},
                                                     {3, "Expiration period (months) must be greater than 0."},
                                                     {4, nullptr},
                                                     {5, "Asset volatility [per year] must be greater than 0."}};
    for (const auto& [field, refusal] : positives) {
        const std::optional<double> value = real(fieldTexts[field]);
        if (!value) return {notReal.arg(fieldTexts[field]), expected.fixingText};
        if (refusal && !(*value > 0.0)) return {refusal, expected.fixingText};
    }
    const std::optional<int64_t> fixings = integer(fieldTexts[6]);
    if (!fixings) return {notInteger.arg(fieldTexts[6]), expected.fixingText};
    if (*fixings > MaxFixingCount) expected.fixingText = QString::number(MaxFixingCount);
    if (*fixings < MinFixingCount) expected.fixingText = QString::number(MinFixingCount);
    const std::optional<int64_t> iterations = integer(fieldTexts[7]);
    if (!iterations) return {notInteger.arg(fieldTexts[7]), expected.fixingText};
    if (*iterations < 1 || *iterations > MaxIterationCount)
        return {QStringLiteral("Iterations [x 1024] must be between 1 and %1.").arg(MaxIterationCount),
                expected.fixingText};
    return expected;
}
