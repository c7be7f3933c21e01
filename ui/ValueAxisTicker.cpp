// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ValueAxisTicker.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double MinimumLabelDistance = 0.01;
// The centre label shows two decimals beyond the span's first significant
// digit: 0.32478 within a span of 0.001, 0.324783 within one of 0.0005. More
// decimals than a double carries would show only noise.
constexpr int DecimalsBeyondSpan = 2;
constexpr int MaximumDecimals = 15;
// A span a rounding away from a power of ten counts as that power.
constexpr double DecadeTolerance = 1e-9;

int DecimalsToRead(double span)
{
    const int spanDecimals = static_cast<int>(std::ceil(-std::log10(span) - DecadeTolerance));
    return std::clamp(spanDecimals + DecimalsBeyondSpan, DecimalsBeyondSpan, MaximumDecimals);
}

}  // namespace

void ValueAxisTicker::generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                               QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels)
{
    QCPAxisTicker::generate(range, locale, formatChar, precision, ticks, subTicks, tickLabels);
    if (!ticks.isEmpty() || !(range.size() > 0.0)) return;
    const double centre = range.center();
    ticks = {centre};
    if (subTicks != nullptr) subTicks->clear();
    if (tickLabels != nullptr) *tickLabels = {locale.toString(centre, 'f', DecimalsToRead(range.size()))};
}

double ValueAxisTicker::getTickStep(const QCPRange& range)
{
    return std::max(QCPAxisTicker::getTickStep(range), MinimumLabelDistance);
}
