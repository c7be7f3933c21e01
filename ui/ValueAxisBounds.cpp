// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ValueAxisBounds.h"

#include <algorithm>
#include <cmath>

#include "ui/ErrorDisplay.h"

namespace {

// Half-width of the displayed range around a single value: 5 % of the value,
// and never less than 0.05, so that a few labels 0.01 apart are in view.
constexpr double ZeroSpanRelativeHalfWidth = 0.05;
constexpr double ZeroSpanMinimumHalfWidth = 0.05;
// The margin of a fitted range on each side, as a share of the values' span.
constexpr double FittedMarginShare = 0.1;

ValueAxisBounds::Range AroundValue(double value)
{
    const double half = std::max(std::fabs(value) * ZeroSpanRelativeHalfWidth, ZeroSpanMinimumHalfWidth);
    return {value - half, value + half};
}

}  // namespace

void ValueAxisBounds::SetMinimum(double value)
{
    // Written as a negated <= so that a NaN is refused too.
    if (!(value <= maximum)) throw InputError("Axis Minimum Value must be <= Maximum");
    minimum = value;
}

void ValueAxisBounds::SetMaximum(double value)
{
    if (!(value >= minimum)) throw InputError("Axis Maximum Value must be >= Minimum");
    maximum = value;
}

void ValueAxisBounds::Set(Range range)
{
    if (range.upper >= minimum) {
        SetMaximum(range.upper);
        SetMinimum(range.lower);
    } else {
        SetMinimum(range.lower);
        SetMaximum(range.upper);
    }
}

void ValueAxisBounds::Zoom(double factor)
{
    const double mid = (maximum + minimum) * 0.5;
    const double halfSpan = std::fabs((maximum - mid) * factor);
    SetMaximum(mid + halfSpan);
    SetMinimum(mid - halfSpan);
}

ValueAxisBounds::Range ValueAxisBounds::DisplayedRange() const
{
    if (maximum > minimum) return {minimum, maximum};
    return AroundValue(minimum);
}

ValueAxisBounds::Range ValueAxisBounds::Fitted(double lowest, double highest)
{
    if (!(highest > lowest)) return AroundValue(lowest);
    const double margin = (highest - lowest) * FittedMarginShare;
    return {lowest - margin, highest + margin};
}
