// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The bounds of the chart's value axis, set by hand only. They are the
// window's own state: the chart shows them, but a span of zero (before the
// first run, or after a run whose standard deviation is 0) is stored as it is
// and only the displayed range is widened around it.
class ValueAxisBounds {
public:
    double Minimum() const { return minimum; }
    double Maximum() const { return maximum; }

    // Each setting keeps Minimum() <= Maximum(); a value that would cross the
    // other bound, or is not a number, is refused with InputError and nothing
    // changes.
    void SetMinimum(double value);
    void SetMaximum(double value);

    struct Range {
        double lower, upper;
    };
    // Sets both bounds, lower <= upper, in the order that keeps each setting
    // from being refused.
    void Set(Range range);

    // Scales the span about its centre by factor (0.5 zooms in, 2 out). The
    // upper bound is set first so that neither setting is refused.
    void Zoom(double factor);

    // The range to draw: the bounds themselves, or for a span of zero a small
    // interval centred on the single value.
    Range DisplayedRange() const;
    // A range that shows values from lowest to highest with a margin on each
    // side, drawn as DisplayedRange draws bounds of a span of zero when they
    // are all one value. It leaves the bounds alone.
    static Range Fitted(double lowest, double highest);

private:
    double minimum = 0.0;
    double maximum = 0.0;
};
