// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <qcustomplot.h>

// The value axis's ticker: ordinary steps, but labels never closer than 0.01,
// so a tight range after a zoom does not crowd the axis with long labels.
// Where that leaves no label inside the range (a run of many paths spans
// less than 0.01), one label marks the centre, with as many decimals as the
// span needs to be read.
class ValueAxisTicker : public QCPAxisTicker {
public:
    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels) override;

protected:
    double getTickStep(const QCPRange& range) override;
};
