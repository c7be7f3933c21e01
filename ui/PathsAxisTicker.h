// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <qcustomplot.h>

// The ticker of the chart's paths axis, on its linear or its logarithmic
// scale. It ticks the axis as the chart's own ticker for that scale does
// wherever those labels can be read: one form for all of them, and
// neighbours at least a digit's width apart in the axis's font. Elsewhere (a
// path count that crosses a million, or labels too long for their step) it
// writes every label in one form, plain numbers on the linear scale and
// powers of ten on the logarithmic one, and widens the step until the labels
// stand apart, as long as two labels remain.
QSharedPointer<QCPAxisTicker> MakePathsAxisTicker(const QCPAxis* axis, bool logarithmic);
