// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/TickLabelMeasure.h"

TickLabelMeasure::TickLabelMeasure(const QCPAxis& axis) : QCPAxisPainterPrivate(axis.parentPlot()), axis(axis)
{
    // As the axis sets up its own painter: with a logarithmic ticker it
    // draws 1e+06 as 10 raised to 6, with any other as 1 times that.
    substituteExponent = axis.numberFormat().contains(QLatin1Char('b'));
    numberMultiplyCross = axis.numberFormat().contains(QLatin1Char('c'));
    abbreviateDecimalPowers = !axis.ticker().dynamicCast<QCPAxisTickerLog>().isNull();
}

int TickLabelMeasure::Width(const QString& label) const
{
    return getTickLabelData(axis.tickLabelFont(), label).totalBounds.width();
}

QCPRange TickLabelMeasure::Extent(double tick, const QString& label) const
{
    const double centre = axis.coordToPixel(tick);
    const double half = Width(label) / 2.0;
    return {centre - half, centre + half};
}
