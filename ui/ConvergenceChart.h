// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <qcustomplot.h>

// The convergence chart's widget: the plot inside a single border line. Its
// axes write numbers as the results grid does, with the point as decimal
// separator and without group separators, whatever the user's locale.
class ConvergenceChart : public QCustomPlot {
public:
    explicit ConvergenceChart(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void updateLayout() override;
};
