// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The output side of the window: the run's reports into the grid, the chart
// and the progress bar, and the zoom of the value axis.
#include <QProgressBar>
#include <qcustomplot.h>

#include "pricing/ResultsGrid.h"
#include "ui/ConvergenceLine.h"
#include "ui/InputDuringRun.h"
#include "ui/PathsAxisTicker.h"
#include "ui/StringGrid.h"
#include "ui/TForm1.h"

namespace {

constexpr double ZoomInFactor = 0.5;
constexpr double ZoomOutFactor = 2.0;

}  // namespace

void TForm1::SetProgress(int32_t percent)
{
    if (percent == shownProgress) return;
    shownProgress = percent;
    // The bar would repaint itself at once on each new value, some two
    // hundred times a press; it keeps every value but is drawn with the live
    // redraws during a run, and by the event loop after it.
    ProgressBar3->setUpdatesEnabled(false);
    ProgressBar3->setValue(percent);
    ProgressBar3->setUpdatesEnabled(true);
}

void TForm1::ClearSeries(GeneratorKind kind)
{
    Series(kind)->Clear();
    // The run that clears a line adds one point per path.
    Series(kind)->Reserve(Parameters.pathCount);
    runningLine = kind;
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void TForm1::AddPoint(GeneratorKind kind, double x, double y, RgbColour colour)
{
    Series(kind)->Append(x, y, qRgb(colour.red, colour.green, colour.blue));
    if (liveRedraw.Due()) RedrawLive();
}

void TForm1::PilotPathDone()
{
    if (liveRedraw.Due()) RedrawLive();
}

void TForm1::SetCell(int32_t column, int32_t row, const std::string& text)
{
    StringGrid1->SetCell(column, row, QString::fromStdString(text));
    pressEstimates.Written(column, row);
    // A run's standard deviation is the last result it writes: its line and
    // its estimate are complete.
    if (row == StandardDeviationRow && column != AnalyticColumn) DescribeChart();
}

void TForm1::SetValueAxisMinimum(double value)
{
    valueAxis.SetMinimum(value);
    stoppedView.reset();
    ShowValueAxis();
}

void TForm1::SetValueAxisMaximum(double value)
{
    valueAxis.SetMaximum(value);
    stoppedView.reset();
    ShowValueAxis();
}

void TForm1::Button2Click()
{
    ShownBounds().Zoom(ZoomInFactor);
    ShowValueAxis();
}

void TForm1::Button3Click()
{
    ShownBounds().Zoom(ZoomOutFactor);
    ShowValueAxis();
}

ValueAxisBounds& TForm1::ShownBounds() { return stoppedView ? *stoppedView : valueAxis; }

bool TForm1::RunInProgress() const { return inputDuringRun->RunInProgress(); }

void TForm1::ShowValueAxis()
{
    fitLiveView = false;
    const ValueAxisBounds::Range shown = ShownBounds().DisplayedRange();
    Chart1->yAxis->setRange(shown.lower, shown.upper);
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void TForm1::SetBottomAxisLogarithmic(bool logarithmic)
{
    QCPAxis* bottom = Chart1->xAxis;
    const QCPAxis::ScaleType scale = logarithmic ? QCPAxis::stLogarithmic : QCPAxis::stLinear;
    if (bottom->scaleType() == scale) return;
    bottom->setScaleType(scale);
    bottom->setTicker(MakePathsAxisTicker(bottom, logarithmic));
    RedrawChart(false);
}

bool TForm1::AnyLinePoints() const
{
    return Series1->PointCount() > 0 || Series2->PointCount() > 0;
}

void TForm1::RedrawChart(bool immediately)
{
    if (AnyLinePoints()) Chart1->xAxis->rescale();
    Chart1->replot(immediately ? QCustomPlot::rpImmediateRefresh : QCustomPlot::rpQueuedReplot);
}

void TForm1::RedrawLive()
{
    // Fitted first, so that whatever draws the chart while the event loop
    // turns shows the running line too.
    if (const std::optional<ValueAxisBounds::Range> fitted = LiveRange())
        Chart1->yAxis->setRange(fitted->lower, fitted->upper);
    inputDuringRun->TurnEventLoop();
    RedrawChart(true);
    ProgressBar3->repaint();
    liveRedraw.Redrawn();
}

std::optional<ValueAxisBounds::Range> TForm1::LiveRange() const
{
    if (!fitLiveView || !runningLine || Series(*runningLine)->PointCount() == 0) return std::nullopt;
    const QCPRange recent = Series(*runningLine)->RecentValueRange();
    return ValueAxisBounds::Fitted(recent.lower, recent.upper);
}

void TForm1::ShowOnlyWhatThePressComputed()
{
    for (const PressEstimates::Cell& cell : pressEstimates.Unwritten())
        StringGrid1->SetCell(cell.column, cell.row, QString());
    DescribeChart();
    // Until the press set the value axis, its live view showed the running
    // line in a range fitted to it; the bounds of the press before would
    // leave that line out of view. The chart keeps showing that range.
    if (const std::optional<ValueAxisBounds::Range> fitted = LiveRange()) {
        stoppedView.emplace();
        stoppedView->Set(*fitted);
    }
}
