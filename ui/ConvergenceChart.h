// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <qcustomplot.h>

// The convergence chart's widget: the plot inside a single border line.
class ConvergenceChart : public QCustomPlot {
public:
    using QCustomPlot::QCustomPlot;

protected:
    void paintEvent(QPaintEvent* event) override;
};
