#pragma once

#include <qcustomplot.h>

// The convergence chart's widget: the plot inside a single border line.
class ConvergenceChart : public QCustomPlot {
public:
    using QCustomPlot::QCustomPlot;

protected:
    void paintEvent(QPaintEvent* event) override;
};
