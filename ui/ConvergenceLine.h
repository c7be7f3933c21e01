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
// values are drawn, and the lowest and highest come from a summary of blocks
// of points that is extended as the line grows. The line itself keeps every
// point.
class ConvergenceLine : public QCPGraph {
public:
    ConvergenceLine(QCPAxis* keyAxis, QCPAxis* valueAxis);

    // Appends (x, y); x must not be below the last x of the line.
    void Append(double x, double y, QColor colour);
    void Clear();

    int32_t PointCount() const { return static_cast<int32_t>(data()->size()); }
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
    struct BlockExtent {
        double lowest, highest;
    };

    void ExtendBlockSummary() const;
    BlockExtent ValueExtent(int32_t first, int32_t last) const;

    std::vector<ColourRun> colourRuns;
    // Extent of the values of each complete block of BlockSize points; filled
    // lazily when the line is drawn, since points arrive faster than draws.
    mutable std::vector<BlockExtent> blockExtents;
};
