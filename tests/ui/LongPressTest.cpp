// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// A press long enough for the window to redraw while it runs: the live chart
// shows the running line, input made during the run is handled after it in
// its order, and Escape or closing the window stops the run at once.
#include <functional>

#include <QDialog>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <qcustomplot.h>

#include "FormFixture.h"
#include "PressChecks.h"
#include "SavedFiles.h"
#include "ui/ConvergenceLine.h"
#include "ui/ErrorDisplay.h"
#include "ui/RadioGroup.h"
#include "ui/StringGrid.h"

namespace {

// Iterations of a press that lasts seconds, far longer than the few live
// redraws each test waits for before it stops the press.
const QString LongIterations = QStringLiteral("4096");
constexpr int32_t LongPaths = 4096 * 1024;
// Long enough for the hand-over of kept input and the short press it starts.
constexpr int HandOverMilliseconds = 20000;

class LongPressTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        Type(form->Edit9, LongIterations);
    }

    void TearDown() override
    {
        QObject::disconnect(redrawn);
        FormTest::TearDown();
    }

    // Calls action at each drawing of the chart while a run is in progress,
    // with its number, counted from 1.
    void AtEachLiveRedraw(std::function<void(int)> action)
    {
        redrawn = QObject::connect(form->Chart1, &QCustomPlot::afterReplot, [this, action, count = 0]() mutable {
            if (form->RunInProgress()) action(++count);
        });
    }

    // Input as the window system delivers it: to the window, at a control's
    // centre, or to whichever control has the focus.
    void ClickInWindow(QWidget* control)
    {
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, control->mapTo(form, control->rect().center()));
    }
    void KeyInWindow(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(form->windowHandle(), key, modifiers);
    }

    // A long press stopped by Escape at its first live redraw; returns the
    // points of the pseudo-random line then.
    int32_t PressAndEscape()
    {
        int32_t points = -1;
        AtEachLiveRedraw([this, &points](int redraw) {
            if (redraw != 1) return;
            points = form->Series2->PointCount();
            KeyInWindow(Qt::Key_Escape);
        });
        Click(form->Button1);
        QObject::disconnect(redrawn);
        EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
        EXPECT_FALSE(form->RunInProgress());
        EXPECT_EQ(form->ProgressBar3->value(), 0);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        return points;
    }

    // The value axis shows the line's latest value and the latest half of
    // its points with a margin, but not so wide that the line lies flat.
    void ExpectShownFittedTo(const ConvergenceLine& line) const
    {
        const QCPRange shown = form->Chart1->yAxis->range();
        const QCPRange recent = line.RecentValueRange();
        EXPECT_TRUE(shown.contains(line.data()->at(line.PointCount() - 1)->value));
        EXPECT_LE(shown.lower, recent.lower);
        EXPECT_GE(shown.upper, recent.upper);
        EXPECT_LT(shown.size(), 2 * recent.size() + 0.2);
    }

    // Lets the event loop run until condition holds, or for at most the
    // given time.
    static bool WaitFor(const std::function<bool()>& condition, int milliseconds)
    {
        for (int waited = 0; waited < milliseconds && !condition(); waited += 10) QTest::qWait(10);
        return condition();
    }

    QMetaObject::Connection redrawn;
};

TEST_F(LongPressTest, LiveRedrawsFitTheRunningLineAndAStopKeepsTheirRangeAndTheBounds)
{
    // Bounds of an earlier press far from the option's value, as ZoomIn and
    // ZoomOut act on them.
    form->SetValueAxisMinimum(-1.0);
    form->SetValueAxisMaximum(2.0);
    form->SetValueAxisMinimum(1.5);
    int redraws = 0;
    AtEachLiveRedraw([&](int redraw) {
        ASSERT_GT(form->Series2->PointCount(), 0);
        ExpectShownFittedTo(*form->Series2);
        EXPECT_FALSE(form->Chart1->yAxis->tickVectorLabels().isEmpty());
        EXPECT_EQ(form->ValueAxis().Minimum(), 1.5);
        EXPECT_EQ(form->ValueAxis().Maximum(), 2.0);
        redraws = redraw;
        if (redraw == 3) KeyInWindow(Qt::Key_Escape);
    });
    Click(form->Button1);
    EXPECT_EQ(redraws, 3);
    // The stopped line stays in view in a range fitted to it, as the live
    // view showed it; the bounds stay, and the next press starts from them.
    ExpectShownFittedTo(*form->Series2);
    EXPECT_EQ(form->ValueAxis().Minimum(), 1.5);
    EXPECT_EQ(form->ValueAxis().Maximum(), 2.0);
    // Zoom acts on what the user sees.
    const QCPRange shown = form->Chart1->yAxis->range();
    Click(form->Button3);
    EXPECT_NEAR(form->Chart1->yAxis->range().size(), shown.size() * 2, 1e-12);
    EXPECT_NEAR(form->Chart1->yAxis->range().center(), shown.center(), 1e-12);
    EXPECT_EQ(form->ValueAxis().Maximum(), 2.0);
    Type(form->Edit9, "1");
    Compute();
    EXPECT_NEAR((form->ValueAxis().Minimum() + form->ValueAxis().Maximum()) / 2,
                form->StringGrid1->Cell(2, 1).toDouble(), 1e-6);
    EXPECT_EQ(QCPRange(form->ValueAxis().Minimum(), form->ValueAxis().Maximum()), form->Chart1->yAxis->range());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(LongPressTest, EscapeStopsThePressWhereItIsAndTheNextPressComputes)
{
    Type(form->Edit9, "1");
    Compute();
    const auto results = [this] {
        return QStringList({form->StringGrid1->Cell(2, 1), form->StringGrid1->Cell(2, 2),
                            form->StringGrid1->Cell(3, 1), form->StringGrid1->Cell(3, 2)});
    };
    const QStringList noResults(4, QString());

    // In the pseudo-random run of a press at another strike: its points so
    // far and its analytic value stay, the quasi-random line of the press
    // before too, but none of that press's estimates, which this one did not
    // compute. The stopped line is in view, and ZoomIn halves what is shown.
    Type(form->Edit2, "4");
    Type(form->Edit9, LongIterations);
    const int32_t pointsAtEscape = PressAndEscape();
    EXPECT_GT(pointsAtEscape, 0);
    EXPECT_GE(form->Series2->PointCount(), pointsAtEscape);
    EXPECT_LT(form->Series2->PointCount(), LongPaths);
    EXPECT_EQ(form->Series1->PointCount(), 1024);
    EXPECT_EQ(results(), noResults);
    EXPECT_EQ(form->StringGrid1->Cell(1, 1), "1.018182");
    // A screen reader is told the same: no estimate beside either line.
    EXPECT_EQ(form->Chart1->accessibleDescription(),
              QStringLiteral("Quasi random: no estimate after 1024 paths; Pseudo random: no estimate after %1 paths")
                  .arg(form->Series2->PointCount()));
    ExpectShownFittedTo(*form->Series2);
    const QCPRange shown = form->Chart1->yAxis->range();
    Click(form->Button2);
    EXPECT_NEAR(form->Chart1->yAxis->range().size(), shown.size() / 2, 1e-12);
    EXPECT_NEAR(form->Chart1->yAxis->range().center(), shown.center(), 1e-12);

    // In the quasi-random run: the pseudo-random estimates this press wrote
    // stay.
    Type(form->Edit9, "256");
    BlankResults(*form);
    QStringList pseudoWritten;
    AtEachLiveRedraw([&](int) {
        if (!pseudoWritten.isEmpty() || form->StringGrid1->Cell(3, 2).isEmpty()) return;
        pseudoWritten = results().mid(2);
        KeyInWindow(Qt::Key_Escape);
    });
    Click(form->Button1);
    QObject::disconnect(redrawn);
    ASSERT_FALSE(pseudoWritten.isEmpty());
    EXPECT_LT(form->Series1->PointCount(), 256 * 1024);
    EXPECT_EQ(results(), QStringList({QString(), QString()}) + pseudoWritten);

    // In the control variate's pilot, which the window redraws during too:
    // no line has been cleared yet, and no estimate written.
    Type(form->Edit9, LongIterations);
    Click(form->RadioGroup3->Item(1));
    Click(form->CheckBox2);
    const int32_t pseudoPoints = form->Series2->PointCount();
    EXPECT_EQ(PressAndEscape(), pseudoPoints);
    EXPECT_EQ(form->Series2->PointCount(), pseudoPoints);
    EXPECT_EQ(results(), noResults);
    EXPECT_EQ(form->StringGrid1->Cell(1, 1), "    N/A");

    Type(form->Edit9, "1");
    BlankResults(*form);
    Compute();
    EXPECT_TRUE(BothRunsCompleted(*form));
}

TEST_F(LongPressTest, InputDuringARunIsHandledAfterItInTheOrderItCame)
{
    QWidget* focused = nullptr;
    AtEachLiveRedraw([&](int redraw) {
        if (redraw != 1) return;
        focused = QApplication::focusWidget();
        // Fewer iterations typed into their field, the tab to the next
        // control ("logarithmic") and a space that checks it, a Compute,
        // ZoomIn asked for by other means than input (as an assistive
        // technology does), then Escape.
        ClickInWindow(form->Edit9);
        KeyInWindow(Qt::Key_A, Qt::ControlModifier);
        KeyInWindow(Qt::Key_1);
        KeyInWindow(Qt::Key_Tab);
        KeyInWindow(Qt::Key_Space);
        ClickInWindow(form->Button1);
        form->Button2->click();
        // None of it reached a control, nor ran a handler, inside the run.
        EXPECT_EQ(form->Edit9->text(), LongIterations);
        EXPECT_EQ(QApplication::focusWidget(), focused);
        EXPECT_FALSE(form->CheckBox1->isChecked());
        EXPECT_EQ(form->Series1->PointCount(), 0);
        EXPECT_EQ(form->ValueAxis().Maximum(), 0.0);
        KeyInWindow(Qt::Key_Escape);
    });
    Click(form->Button1);
    ASSERT_EQ(focused, form->Button1);
    EXPECT_EQ(form->Edit9->text(), LongIterations);
    EXPECT_EQ(form->Series1->PointCount(), 0);
    // The first press, stopped, leaves its line in view, not the bounds of
    // 0 to 0.
    ExpectShownFittedTo(*form->Series2);

    // After the run, one by one: the click gives the field the focus, the
    // keys replace its text and then go to the control the tab reached,
    // Compute runs a press of 1024 paths, and the zoom acts on the bounds
    // that press set.
    ASSERT_TRUE(WaitFor([this] { return form->Series1->PointCount() == 1024; }, HandOverMilliseconds));
    ASSERT_TRUE(WaitFor([this] { return form->ValueAxis().Maximum() - form->ValueAxis().Minimum() > 0.0; },
                        HandOverMilliseconds));
    QTest::qWait(100);
    EXPECT_EQ(form->Edit9->text(), "1");
    EXPECT_TRUE(form->CheckBox1->isChecked());
    EXPECT_EQ(form->Chart1->xAxis->scaleType(), QCPAxis::stLogarithmic);
    EXPECT_EQ(form->Series2->PointCount(), 1024);
    EXPECT_EQ(QApplication::focusWidget(), form->Button1);
    const double deviation = form->StringGrid1->Cell(2, 2).toDouble();
    const double halfSpan = (form->ValueAxis().Maximum() - form->ValueAxis().Minimum()) / 2;
    EXPECT_NEAR(halfSpan, 50 * deviation, 50 * 1e-6);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

TEST_F(LongPressTest, TheChartsMenuAndItsShortcutsDuringARunActAfterItOnWhatItLeft)
{
    Type(form->Edit9, "1");
    Compute();
    Type(form->Edit9, LongIterations);
    QTemporaryDir dir;
    const QString saved = dir.filePath("stopped.csv");
    bool askedDuringTheRun = false;
    AnswerSaveDialogsWith(saved, [&] { askedDuringTheRun = askedDuringTheRun || form->RunInProgress(); });
    // Stopped in the pseudo-random run once its line is the longer one.
    AtEachLiveRedraw([&](int) {
        if (form->Series2->PointCount() <= 2048) return;
        QTest::mouseClick(form->windowHandle(), Qt::RightButton, {}, form->Chart1->mapTo(form, QPoint(100, 100)));
        KeyInWindow(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_FALSE(form->PopupMenu1->isVisible());
        KeyInWindow(Qt::Key_Escape);
    });
    Click(form->Button1);
    QObject::disconnect(redrawn);
    EXPECT_FALSE(QFileInfo::exists(saved));
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(saved) && form->PopupMenu1->isVisible(); },
                        HandOverMilliseconds));
    form->PopupMenu1->hide();
    EXPECT_FALSE(askedDuringTheRun);

    // Every point of both lines; the quasi-random line of the press before
    // has fewer, and its field is empty beyond them.
    const int32_t pseudoPoints = form->Series2->PointCount();
    ASSERT_GT(pseudoPoints, 2048);
    ASSERT_EQ(form->Series1->PointCount(), 1024);
    const QByteArrayList csv = CsvLines(saved);
    ASSERT_EQ(csv.size(), pseudoPoints + 1);
    EXPECT_EQ(FirstRowUnlike(csv, 1, *form->Series1), -1);
    EXPECT_EQ(FirstRowUnlike(csv, 2, *form->Series2), -1);
    EXPECT_EQ(csv.back().split(',')[1], "");
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

TEST_F(LongPressTest, InputKeptDuringARunThatFaultsWaitsUntilTheErrorIsClosed)
{
    // The payoffs and their sums fit, the square of the first batch mean
    // overflows: after the first live redraws, in every press.
    Click(form->RadioGroup3->Item(1));
    Type(form->Edit3, "1e300");
    Type(form->Edit2, "1e300");
    // Each error in a modal box, as the standard display shows it, closed a
    // moment later; meanwhile the window takes no input.
    bool pressedUnderTheBox = false;
    SetErrorSink([&](const QString& text) {
        errors << text;
        QDialog box(form);
        box.setModal(true);
        QTimer::singleShot(300, &box, [&] {
            pressedUnderTheBox = pressedUnderTheBox || form->RunInProgress();
            box.accept();
        });
        box.exec();
    });
    AtEachLiveRedraw([&](int redraw) {
        if (redraw == 1) ClickInWindow(form->Button1);
    });
    Click(form->Button1);
    ASSERT_TRUE(WaitFor([this] { return errors.size() == 2; }, HandOverMilliseconds));
    EXPECT_FALSE(pressedUnderTheBox);
    EXPECT_EQ(errors, QStringList({"Floating point overflow.", "Floating point overflow."}));
}

}  // namespace
