// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ConvergenceChart.h"

#include <QPainter>

namespace {

const QColor BorderColour(128, 128, 128);

QLocale AxisLocale()
{
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

}  // namespace

ConvergenceChart::ConvergenceChart(QWidget* parent) : QCustomPlot(parent) { setLocale(AxisLocale()); }

void ConvergenceChart::paintEvent(QPaintEvent* event)
{
    QCustomPlot::paintEvent(event);
    QPainter painter(this);
    painter.setPen(BorderColour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// The axes choose their ticks before the layout places them, from the width
// the axis had in the last layout: the paths axis spaces its labels by that
// width. When the value axis's labels have changed the room left of the plot,
// the width has changed too, and the ticks are chosen once more.
void ConvergenceChart::updateLayout()
{
    const int widthBefore = axisRect()->width();
    QCustomPlot::updateLayout();
    if (axisRect()->width() != widthBefore) QCustomPlot::updateLayout();
}
