// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The convergence chart of the window: its title, axes, two lines, legend
// and the zoom controls that sit on it.
#include <QCheckBox>
#include <QPushButton>
#include <qcustomplot.h>

#include "ui/ControlFactory.h"
#include "ui/ConvergenceChart.h"
#include "ui/ConvergenceLine.h"
#include "ui/PathsAxisTicker.h"
#include "ui/TForm1.h"
#include "ui/ValueAxisTicker.h"

namespace {

constexpr int ChartFontPixels = 12;
constexpr int LegendColumnWidth = 92;
constexpr double LegendTopShare = 0.12;
constexpr QSize LegendIconSize(18, 10);
constexpr int LegendIconTextPadding = 4;
constexpr QMargins LegendMargins(4, 3, 4, 3);
// Stretch of a layout cell that takes only the room its contents need.
constexpr double NoStretch = 1e-6;

const QColor QuasiColour(255, 0, 0);
const QColor PseudoLegendColour(128, 0, 255);
const QColor ValueGridColour(192, 192, 192);

QFont ChartFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(ChartFontPixels);
    return font;
}

void AddTitle(QCustomPlot* chart)
{
    auto* title = new QCPTextElement(chart, QStringLiteral("Running Average"), ChartFont());
    title->setTextColor(Qt::black);
    chart->plotLayout()->insertRow(0);
    chart->plotLayout()->addElement(0, 0, title);
}

// The number of paths: ticks, minor ticks and grid in small dots, the grid
// white on the white wall.
void StyleBottomAxis(QCPAxis* bottom)
{
    bottom->setLabel(QStringLiteral("Iterations"));
    bottom->setTicker(MakePathsAxisTicker(bottom, false));
    const QPen dotted(Qt::black, 0, Qt::DotLine);
    bottom->setBasePen(QPen(Qt::black));
    bottom->setTickPen(dotted);
    bottom->setSubTickPen(dotted);
    bottom->grid()->setPen(QPen(Qt::white, 0, Qt::DotLine));
    bottom->grid()->setSubGridVisible(false);
}

// The option value, scaled by hand only: dashed inner ticks one pixel long,
// a solid silver grid.
void StyleValueAxis(QCPAxis* value)
{
    value->setLabel(QStringLiteral("Option Value"));
    value->setTicker(QSharedPointer<QCPAxisTicker>(new ValueAxisTicker));
    value->setTickPen(QPen(Qt::black, 0, Qt::DashLine));
    value->setSubTickPen(QPen(Qt::black, 0, Qt::DashLine));
    value->setTickLength(1, 0);
    value->setSubTickLength(0, 0);
    value->grid()->setPen(QPen(ValueGridColour, 0, Qt::SolidLine));
    value->grid()->setZeroLinePen(Qt::NoPen);
}

ConvergenceLine* AddLine(QCustomPlot* chart, const QString& title, const QColor& legendColour)
{
    auto* line = new ConvergenceLine(chart->xAxis, chart->yAxis);
    line->setName(title);
    line->setPen(QPen(legendColour));
    return line;
}

// The legend in a column of its own on the right, its top at 12 per cent of
// the plot's height; the zoom controls sit in the same column below it.
void PlaceLegend(QCustomPlot* chart)
{
    auto* legendColumn = new QCPLayoutGrid;
    chart->plotLayout()->addElement(1, 1, legendColumn);
    legendColumn->setMinimumSize(LegendColumnWidth, 0);
    legendColumn->setMaximumSize(LegendColumnWidth, QWIDGETSIZE_MAX);
    legendColumn->addElement(0, 0, new QCPLayoutElement(chart));
    legendColumn->addElement(1, 0, chart->legend);
    legendColumn->addElement(2, 0, new QCPLayoutElement(chart));
    legendColumn->setRowStretchFactors({LegendTopShare, NoStretch, 1.0 - LegendTopShare});
    QCPLegend* legend = chart->legend;
    legend->setVisible(true);
    legend->setFont(ChartFont());
    legend->setTextColor(Qt::black);
    legend->setBorderPen(QPen(Qt::black));
    legend->setIconSize(LegendIconSize);
    legend->setIconTextPadding(LegendIconTextPadding);
    legend->setMargins(LegendMargins);
    // The box as wide as its entries, at the left of its column.
    legend->setMaximumSize(legend->minimumOuterSizeHint());
    chart->plotLayout()->setColumnStretchFactors({1.0, NoStretch});
}

}  // namespace

void TForm1::BuildChart()
{
    Chart1 = MakeNamed<ConvergenceChart>(QStringLiteral("Chart1"), TabSheet1);
    Chart1->setGeometry(259, 96, 528, 273);
    Chart1->setFocusPolicy(Qt::NoFocus);
    Chart1->setBackground(Qt::white);
    AddTitle(Chart1);
    StyleBottomAxis(Chart1->xAxis);
    StyleValueAxis(Chart1->yAxis);
    Chart1->yAxis2->setVisible(false);
    Chart1->xAxis2->setVisible(false);

    // In the order of their kinds: a line's index is its GeneratorKind.
    Series1 = AddLine(Chart1, QStringLiteral("Quasi"), QuasiColour);
    Series2 = AddLine(Chart1, QStringLiteral("Pseudo"), PseudoLegendColour);
    series = {Series1, Series2};
    PlaceLegend(Chart1);
    ShowValueAxis();

    Button2 = MakeButton(QStringLiteral("Button2"), Chart1, {445, 180, 50, 20}, QStringLiteral("ZoomIn"));
    Button3 = MakeButton(QStringLiteral("Button3"), Chart1, {445, 208, 50, 20}, QStringLiteral("ZoomOut"));
    CheckBox1 = MakeCheckBox(QStringLiteral("CheckBox1"), Chart1, {446, 244, 73, 17}, QStringLiteral("logarithmic"));
    BuildChartMenu();
}
