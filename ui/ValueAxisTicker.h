#pragma once

#include <qcustomplot.h>

// The value axis's ticker: ordinary steps, but labels never closer than 0.01,
// so a tight range after a zoom does not crowd the axis with long labels.
class ValueAxisTicker : public QCPAxisTicker {
protected:
    double getTickStep(const QCPRange& range) override;
};
