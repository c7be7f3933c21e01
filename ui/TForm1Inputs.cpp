// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The input side of the window: reading the controls into Parameters, and the
// handlers that keep the controls consistent with one another.
#include <cstdint>
#include <string>

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <qcustomplot.h>

#include "pricing/SimulationRun.h"
#include "ui/ConvergenceLine.h"
#include "ui/ErrorDisplay.h"
#include "ui/InputDuringRun.h"
#include "ui/NumberConversion.h"
#include "ui/RadioGroup.h"
#include "ui/StringGrid.h"
#include "ui/TForm1.h"

namespace {

constexpr int32_t FixingsPerMonth = 21;
constexpr int32_t PathsPerIteration = 1024;
constexpr int64_t ProgressScale = 100;
static_assert(MaxIterationCount * PathsPerIteration * ProgressScale <= INT32_MAX &&
                  (MaxIterationCount + 1) * PathsPerIteration * ProgressScale > INT32_MAX,
              "the iteration limit is the largest whose progress computations fit a signed 32-bit integer");
constexpr double MonthsPerYear = 12.0;

const std::string IterationRefusal =
    "Iterations [x 1024] must be between 1 and " + std::to_string(MaxIterationCount);

double ReadReal(const QLineEdit* edit)
{
    const QString text = edit->text();
    const auto value = ParseReal(text.toStdString(), QLocale().decimalPoint().toStdString());
    if (!value) throw InputError(QStringLiteral("'%1' is not a valid floating point value").arg(text).toStdString());
    return *value;
}

int32_t ReadInteger(const QLineEdit* edit)
{
    const QString text = edit->text();
    const auto value = ParseInteger(text.toStdString());
    if (!value) throw InputError(QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString());
    return *value;
}

// The engine cannot price these; they are refused before any run.
double ReadPositive(const QLineEdit* edit, const char* refusal)
{
    const double value = ReadReal(edit);
    if (!(value > 0.0)) throw InputError(refusal);
    return value;
}

// The clamped value is written back and shown at once: the run that follows
// lets the event loop turn only at its first live redraw.
void WriteBack(QLineEdit* edit, int32_t value)
{
    edit->setText(QString::asprintf("%d", value));
    edit->repaint();
}

}  // namespace

void TForm1::ReadInputs()
{
    PricingParameters& p = Parameters;
    p.optionClass = RadioGroup1->ItemIndex() == 1 ? OptionClass::Put : OptionClass::Call;
    p.averageKind = RadioGroup3->ItemIndex() == 0 ? AverageKind::Geometric : AverageKind::Arithmetic;
    p.useControlVariate = CheckBox2->isChecked();
    p.dividendYield = RadioGroup4->ItemIndex() == 1 ? ReadReal(Edit7) : 0.0;
    p.spot = ReadPositive(Edit3, "Asset value must be greater than 0");
    p.strike = ReadPositive(Edit2, "Exercise price must be greater than 0");
    p.maturity = ReadPositive(Edit4, "Expiration period (months) must be greater than 0") / MonthsPerYear;
    p.rate = ReadReal(Edit5);
    p.volatility = ReadPositive(Edit6, "Asset volatility [per year] must be greater than 0");

    int32_t fixings = ReadInteger(Edit1);
    if (fixings > MaxFixingCount) {
        fixings = MaxFixingCount;
        WriteBack(Edit1, fixings);
    }
    if (fixings < MinFixingCount) {
        fixings = MinFixingCount;
        WriteBack(Edit1, fixings);
    }
    p.fixingCount = fixings;

    const int32_t iterations = ReadInteger(Edit9);
    if (iterations < 1 || iterations > MaxIterationCount) throw InputError(IterationRefusal);
    p.pathCount = iterations * PathsPerIteration;

    SetBottomAxisLogarithmic(CheckBox1->isChecked());
}

void TForm1::Button1Click()
{
    ReadInputs();
    std::vector<NamedInput> inputs = InputsAsShown();
    // The press ends the same way whether the run completes, is stopped or
    // ends in a fault, which then reaches the error display.
    struct Press {
        TForm1& form;
        bool completed = false;
        explicit Press(TForm1& pressed) : form(pressed) { form.PressStarted(); }
        ~Press() { form.PressEnded(completed); }
    } press(*this);
    try {
        RunSequence(*this);
        completedPressInputs = std::move(inputs);
        press.completed = true;
    } catch (const RunStopped&) {
        // Stopped by the user, without a message: what the run reported
        // stays, and the bar is ready for the next press.
        SetProgress(0);
    }
}

void TForm1::PressStarted()
{
    // The run keeps the input for after it, so the pointer shows the wait
    // from its start to its end. A cursor change is a request to the window
    // system: it takes effect without a turn of the event loop.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    fitLiveView = true;
    runningLine.reset();
    pressEstimates.PressStarted();
    liveRedraw.Start();
    EnableSaving(true);
    inputDuringRun->RunStarted();
}

void TForm1::PressEnded(bool completed)
{
    // Whatever the run reported stays on screen, also when it was stopped or
    // a fault ended it; then only the estimates it wrote, though.
    if (!completed) ShowOnlyWhatThePressComputed();
    ShowValueAxis();
    RedrawChart(false);
    EnableSaving(AnyLinePoints());
    QGuiApplication::restoreOverrideCursor();
    // Last: it may close the window.
    inputDuringRun->RunEnded();
}

void TForm1::Edit4Change()
{
    const QString text = Edit4->text();
    if (text.isEmpty()) return;
    const int32_t months = ReadInteger(Edit4);
    // In 64 bits, so that a large month count cannot overflow; ReadInputs
    // refuses a fixing count outside 32 bits.
    Edit1->setText(QString::number(static_cast<int64_t>(months) * FixingsPerMonth));
}

void TForm1::RadioGroup4Click()
{
    switch (RadioGroup4->ItemIndex()) {
    case 0:
        Panel7->hide();
        break;
    case 1:
        Panel7->show();
        break;
    default:
        break;
    }
}

void TForm1::RadioGroup3Click()
{
    switch (RadioGroup3->ItemIndex()) {
    case 0:
        StringGrid1->SetCell(1, 1, QString());
        CheckBox2->hide();
        CheckBox2->setChecked(false);
        break;
    case 1:
        StringGrid1->SetCell(1, 1, QStringLiteral("    N/A"));
        CheckBox2->show();
        break;
    default:
        break;
    }
}

void TForm1::CheckBox1Click()
{
    SetBottomAxisLogarithmic(CheckBox1->isChecked());
}
