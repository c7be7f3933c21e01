// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ConvergenceChart.h"

#include <QPainter>

namespace {

const QColor BorderColour(128, 128, 128);

}  // namespace

void ConvergenceChart::paintEvent(QPaintEvent* event)
{
    QCustomPlot::paintEvent(event);
    QPainter painter(this);
    painter.setPen(BorderColour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
