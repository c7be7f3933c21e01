#pragma once

#include <cstdint>
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
// of blocks of points that is extended as the line grows, so that a column
// costs about a hundred reads however many points it covers. The line itself
// keeps every point.
class ConvergenceLine : public QCPGraph {
public:
    ConvergenceLine(QCPAxis* keyAxis, QCPAxis* valueAxis);

    // Appends (x, y); x must not be below the last x of the line. Called
    // once per simulated path, so it touches only the data container itself.
    void Append(double x, double y, QRgb colour)
    {
        if (colourRuns.empty() || colourRuns.back().colour != colour) colourRuns.push_back({PointCount(), colour});
        mDataContainer->add(QCPGraphData(x, y));
    }
    void Clear();

    int32_t PointCount() const { return mDataContainer->size(); }
    // The colour of the segment that ends at point index (0 for the first).
    QColor PointColour(int32_t index) const;

protected:
    void draw(QCPPainter* painter) override;
    void getOptimizedLineData(QVector<QCPGraphData>* lineData,
                              const QCPGraphDataContainer::const_iterator& begin,
                              const QCPGraphDataContainer::const_iterator& end) const override;

private:
    struct ColourRun {
        int32_t first;
        QRgb colour;
    };
    struct Extent {
        double lowest, highest;
    };

    void ExtendSummary() const;
    // The extent of the values of points [first, last), first < last.
    Extent ValueExtent(int32_t first, int32_t last) const;

    std::vector<ColourRun> colourRuns;
    // Extents of each complete block of BlockSize points and of each complete
    // group of BlockSize blocks; extended lazily when the line is drawn, since
    // points arrive far more often than draws.
    mutable std::vector<Extent> blockExtents;
    mutable std::vector<Extent> groupExtents;
};
