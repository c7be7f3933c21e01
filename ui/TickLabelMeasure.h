// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <qcustomplot.h>

// Where a horizontal axis draws a tick label, measured by the axis painter
// itself: a power of ten with its raised exponent included, so that what is
// measured is what is drawn. The label is centred on its tick.
class TickLabelMeasure : private QCPAxisPainterPrivate {
public:
    explicit TickLabelMeasure(const QCPAxis& axis);

    // From the left to the right edge of the label, in the chart's pixels.
    QCPRange Extent(double tick, const QString& label) const;

private:
    int Width(const QString& label) const;

    const QCPAxis& axis;
};
