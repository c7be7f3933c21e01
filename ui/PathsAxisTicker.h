// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <qcustomplot.h>

// The ticker of the chart's paths axis, on its linear or its logarithmic
// scale. It ticks the axis as the chart's own tickers do wherever their
// labels can be read: one form for all of them, and neighbours at least a
// digit's width apart in the axis's font. Elsewhere (a path count that
// crosses a million, or labels too long for their step) it writes every
// label in one form, plain numbers on the linear scale and powers of ten on
// the logarithmic one, and widens the step until the labels stand apart,
// as long as two labels remain.
class PathsAxisTicker : public QCPAxisTickerLog {
public:
    PathsAxisTicker(const QCPAxis* axis, bool logarithmic);

    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels) override;

protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double tickStep) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override;
    QVector<double> createTickVector(double tickStep, const QCPRange& range) override;
    QVector<double> createSubTickVector(int subTickCount, const QVector<double>& ticks) override;

private:
    enum class LabelForm { Chart, Plain, Power };

    bool Readable(const QVector<double>& ticks, const QVector<QString>& labels) const;
    // Decades from one tick to the next on the logarithmic scale once the
    // step is widened.
    int DecadeStep() const { return 1 + widening; }

    const QCPAxis* axis;
    bool logarithmic;
    LabelForm form = LabelForm::Chart;
    // How many steps beyond the chart's own the current generation is.
    int widening = 0;
};
