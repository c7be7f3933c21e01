// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Arithmetic faults of a press: inputs that pass every check of the window
// but overflow in the engine end the press with their message, and the next
// sane press computes as if nothing had happened. Flags raised by the toolkit
// and the chart, in their paint and replot paths or before a press, never
// become a fault of a press.
#include <cfenv>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QProgressBar>
#include <qcustomplot.h>

#include "FormFixture.h"
#include "PressChecks.h"
#include "ui/RadioGroup.h"
#include "ui/StringGrid.h"

namespace {

constexpr int AllFaultFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

class RunFaultTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        Type(form->Edit9, "1");
    }

    // Compute on blanked results, with the messages of earlier presses gone.
    void Press()
    {
        BlankResults(*form);
        errors.clear();
        Click(form->Button1);
    }

    // A press that runs both kinds to their end without a message.
    void ExpectCompletedPress()
    {
        Press();
        EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
        EXPECT_TRUE(BothRunsCompleted(*form));
    }

    // A press with the defaults and one iteration, as a user recovers.
    void ExpectSanePress()
    {
        ExpectCompletedPress();
        EXPECT_EQ(form->StringGrid1->Cell(1, 1), "0.324783");
        EXPECT_EQ(UnsoundResultCell(*form), "");
    }
};

TEST_F(RunFaultTest, OverflowingInputsEndThePressAndTheNextPressIsSound)
{
    struct Case {
        QLineEdit* edit;
        const char* text;
        const char* message;
        bool continuousDividend;
    };
    const Case cases[] = {
        {form->Edit6, "1e200", "Floating point overflow.", false},
        {form->Edit3, "1e300", "Floating point overflow.", false},
        {form->Edit3, "1.7976931348623157e308", "Floating point overflow.", false},
        // The discount factor underflows to 0, and the undiscounted expectation
        // of the geometric payoff is then 0 / 0.
        {form->Edit4, "1e300", "Invalid floating point operation.", false},
        {form->Edit5, "-1e6", "Floating point overflow.", false},
        {form->Edit7, "-1e6", "Floating point overflow.", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edit->objectName().toStdString() + " " + c.text);
        const QString kept = c.edit->text();
        Click(form->RadioGroup4->Item(c.continuousDividend ? 1 : 0));
        Type(c.edit, c.text);
        Press();
        EXPECT_EQ(errors, QStringList{c.message});
        EXPECT_EQ(UnsoundResultCell(*form), "");
        EXPECT_EQ(c.edit->text(), c.text);
        Type(c.edit, kept);
        Click(form->RadioGroup4->Item(0));
        ExpectSanePress();
    }
}

TEST_F(RunFaultTest, APutStruckFarAboveOverflowsWhereTheCallIsWorthNothing)
{
    Type(form->Edit2, "1e300");
    Press();
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(form->StringGrid1->Cell(2, 1), "0.000000");
    EXPECT_EQ(form->StringGrid1->Cell(3, 2), "0.000000");
    Click(form->RadioGroup1->Item(1));
    BlankResults(*form);
    Click(form->Button1);
    EXPECT_EQ(errors, QStringList{"Floating point overflow."});
    Click(form->RadioGroup1->Item(0));
    Type(form->Edit2, "5");
    ExpectSanePress();
}

TEST_F(RunFaultTest, InputsThatVanishInTheEngineEndThePressWithAMessage)
{
    // Positive as typed, zero or subnormal once converted to years or squared.
    const std::pair<QLineEdit*, const char*> cases[] = {{form->Edit4, "1e-323"}, {form->Edit6, "1e-320"}};
    for (const auto& [edit, text] : cases) {
        SCOPED_TRACE(text);
        const QString kept = edit->text();
        Type(edit, text);
        Press();
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(IsFloatingPointFaultMessage(errors[0])) << errors[0].toStdString();
        EXPECT_EQ(UnsoundResultCell(*form), "");
        Type(edit, kept);
        ExpectSanePress();
    }
}

// Raises every fault flag whenever the toolkit or the chart does the thing
// it watches, and counts how often it did.
class FlagRaiser : public QObject {
public:
    int raised = 0;

    void Raise()
    {
        ++raised;
        std::feraiseexcept(AllFaultFlags);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) Raise();
        return false;
    }
};

TEST_F(RunFaultTest, FlagsOfTheToolkitAndTheChartAreNoFaultOfAPress)
{
    FlagRaiser inPaint;
    FlagRaiser inRun;
    for (QWidget* widget : {static_cast<QWidget*>(form->Chart1), static_cast<QWidget*>(form->ProgressBar3),
                            static_cast<QWidget*>(form->Edit1), static_cast<QWidget*>(form->StringGrid1)})
        widget->installEventFilter(&inPaint);
    // Called synchronously from inside the run: progress, axis changes and
    // every replot of the chart.
    const auto raise = [&inRun] { inRun.Raise(); };
    QObject::connect(form->ProgressBar3, &QProgressBar::valueChanged, &inRun, raise);
    QObject::connect(form->Chart1->yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), &inRun, raise);
    QObject::connect(form->Chart1->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), &inRun, raise);
    QObject::connect(form->Chart1, &QCustomPlot::beforeReplot, &inRun, raise);
    QObject::connect(form->Chart1, &QCustomPlot::afterReplot, &inRun, raise);
    QObject::connect(form->Edit1, &QLineEdit::textChanged, &inRun, raise);

    // A clamp writes the fixing count back and repaints it before the run.
    Type(form->Edit1, "1");
    std::feraiseexcept(AllFaultFlags);
    ExpectCompletedPress();
    EXPECT_EQ(form->Edit1->text(), "2");
    EXPECT_GT(inRun.raised, 0);
    EXPECT_GT(inPaint.raised, 0);

    Type(form->Edit1, "126");
    QApplication::processEvents();
    Click(form->Button2);
    QApplication::processEvents();
    ExpectSanePress();

    // The pilot of the control variate runs before any report of the run.
    Click(form->RadioGroup3->Item(1));
    Click(form->CheckBox2);
    std::feraiseexcept(AllFaultFlags);
    ExpectCompletedPress();
    EXPECT_EQ(UnsoundResultCell(*form), "");
    std::feclearexcept(AllFaultFlags);
}

}  // namespace
