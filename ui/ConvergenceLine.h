// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include <QColor>
#include <qcustomplot.h>

// One convergence line of the chart. Each point keeps the colour it was added
// with, and each segment is drawn in the colour of the point at which it ends.
// Colours are kept as runs (first index, colour), so a line added in one
// colour holds a single run however many points it has. The graph's own pen
// colour is the one its legend entry shows.
//
// Drawing stays fast for lines of tens of millions of points: where many
// points fall on one pixel column only their first, lowest, highest and last
// values are drawn, and the lowest and highest come from a two-level summary
// of blocks of points that grows with each point appended, so that a column
// costs about a hundred reads however many points it covers and a redraw
// during a run need not read the points added since the last one. The line
// itself keeps every point.
class ConvergenceLine : public QCPGraph {
public:
    ConvergenceLine(QCPAxis* keyAxis, QCPAxis* valueAxis);

    // Appends (x, y); x must not be below the last x of the line. Called
    // once per simulated path, so beyond the data container it updates only
    // the extent of the block being filled.
    void Append(double x, double y, QRgb colour)
    {
        if (colourRuns.empty() || colourRuns.back().colour != colour) colourRuns.push_back({PointCount(), colour});
        mDataContainer->add(QCPGraphData(x, y));
        openBlock.lowest = std::min(openBlock.lowest, y);
        openBlock.highest = std::max(openBlock.highest, y);
        if (++openBlockCount == BlockSize) CloseBlock();
    }
    void Clear();
    // Makes room for count points, so that appending them allocates nothing.
    void Reserve(int32_t count);

    int32_t PointCount() const { return mDataContainer->size(); }
    // The colour of the segment that ends at point index (0 for the first).
    QColor PointColour(int32_t index) const;
    // The lowest and highest values of the latest half of the points: the
    // first points of a run wander far more than the rest. The line must hold
    // a point.
    QCPRange RecentValueRange() const;

    // From the first and last keys alone, also on a logarithmic axis (where
    // the graph's own search visits every point): the keys are ascending and
    // no value is NaN, since the run traps invalid operations.
    QCPRange getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth) const override;

protected:
    void draw(QCPPainter* painter) override;
    void getOptimizedLineData(QVector<QCPGraphData>* lineData,
                              const QCPGraphDataContainer::const_iterator& begin,
                              const QCPGraphDataContainer::const_iterator& end) const override;

private:
    // Points per block, and blocks per group.
    static constexpr int32_t BlockSize = 64;

    struct ColourRun {
        int32_t first;
        QRgb colour;
    };
    struct Extent {
        double lowest = std::numeric_limits<double>::infinity();
        double highest = -std::numeric_limits<double>::infinity();
    };

    // Files the extent of the block just completed, and of its group when
    // that is complete too.
    void CloseBlock();
    // The extent of the values of points [first, last), first < last.
    Extent ValueExtent(int32_t first, int32_t last) const;

    std::vector<ColourRun> colourRuns;
    // Extents of each complete block of BlockSize points and of each complete
    // group of BlockSize blocks, and of the block being filled.
    std::vector<Extent> blockExtents;
    std::vector<Extent> groupExtents;
    Extent openBlock;
    int32_t openBlockCount = 0;
};
