#include "ui/ConvergenceLine.h"

#include <algorithm>

namespace {

constexpr int32_t BlockSize = 1024;
// Below this many points per pixel column the plain line is cheap enough.
constexpr double SamplingPointsPerPixel = 4.0;

}  // namespace

ConvergenceLine::ConvergenceLine(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis)
{
    setLineStyle(lsLine);
    setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
    setAdaptiveSampling(true);
}

void ConvergenceLine::Append(double x, double y, QColor colour)
{
    const QRgb rgb = colour.rgb();
    if (colourRuns.empty() || colourRuns.back().colour != rgb) colourRuns.push_back({PointCount(), rgb});
    data()->add(QCPGraphData(x, y));
}

void ConvergenceLine::Clear()
{
    data()->clear();
    colourRuns.clear();
    blockExtents.clear();
}

QColor ConvergenceLine::PointColour(int32_t index) const
{
    const auto run = std::upper_bound(colourRuns.begin(), colourRuns.end(), index,
                                      [](int32_t i, const ColourRun& r) { return i < r.first; });
    return run == colourRuns.begin() ? QColor() : QColor((run - 1)->colour);
}

void ConvergenceLine::draw(QCPPainter* painter)
{
    if (!mKeyAxis || !mValueAxis || mKeyAxis->range().size() <= 0 || colourRuns.empty()) return;
    QVector<QPointF> lines;
    QPen pen = mPen;
    for (std::size_t r = 0; r < colourRuns.size(); ++r) {
        // The run's first segment ends at its first point and starts at the
        // last point of the run before.
        const int32_t first = std::max(colourRuns[r].first - 1, 0);
        const int32_t end = r + 1 < colourRuns.size() ? colourRuns[r + 1].first : PointCount();
        getLines(&lines, QCPDataRange(first, end));
        pen.setColor(QColor(colourRuns[r].colour));
        painter->setPen(pen);
        drawLinePlot(painter, lines);
    }
}

void ConvergenceLine::ExtendBlockSummary() const
{
    const auto* points = &*data()->constBegin();
    const std::size_t completeBlocks = static_cast<std::size_t>(PointCount() / BlockSize);
    for (std::size_t b = blockExtents.size(); b < completeBlocks; ++b) {
        BlockExtent extent{points[b * BlockSize].value, points[b * BlockSize].value};
        for (std::size_t i = b * BlockSize + 1; i < (b + 1) * BlockSize; ++i) {
            extent.lowest = std::min(extent.lowest, points[i].value);
            extent.highest = std::max(extent.highest, points[i].value);
        }
        blockExtents.push_back(extent);
    }
}

ConvergenceLine::BlockExtent ConvergenceLine::ValueExtent(int32_t first, int32_t last) const
{
    const auto* points = &*data()->constBegin();
    BlockExtent extent{points[first].value, points[first].value};
    const auto include = [&](int32_t from, int32_t to) {
        for (int32_t i = from; i < to; ++i) {
            extent.lowest = std::min(extent.lowest, points[i].value);
            extent.highest = std::max(extent.highest, points[i].value);
        }
    };
    const int32_t firstBlock = (first + BlockSize - 1) / BlockSize;
    const int32_t endBlock = last / BlockSize;
    if (firstBlock >= endBlock) {
        include(first, last);
        return extent;
    }
    include(first, firstBlock * BlockSize);
    for (int32_t b = firstBlock; b < endBlock; ++b) {
        extent.lowest = std::min(extent.lowest, blockExtents[b].lowest);
        extent.highest = std::max(extent.highest, blockExtents[b].highest);
    }
    include(endBlock * BlockSize, last);
    return extent;
}

void ConvergenceLine::getOptimizedLineData(QVector<QCPGraphData>* lineData,
                                           const QCPGraphDataContainer::const_iterator& begin,
                                           const QCPGraphDataContainer::const_iterator& end) const
{
    const QCPAxis* keyAxis = mKeyAxis.data();
    const int32_t count = static_cast<int32_t>(end - begin);
    const double pixelSpan = count > 0 ? keyAxis->coordToPixel((end - 1)->key) - keyAxis->coordToPixel(begin->key) : 0.0;
    // Only the ordinary orientation (key growing to the right) is sampled here.
    if (!mAdaptiveSampling || keyAxis->orientation() != Qt::Horizontal || keyAxis->rangeReversed() ||
        count < SamplingPointsPerPixel * std::max(pixelSpan, 1.0)) {
        QCPGraph::getOptimizedLineData(lineData, begin, end);
        return;
    }
    ExtendBlockSummary();
    const QCPGraphData* points = &*data()->constBegin();
    const int32_t endIndex = static_cast<int32_t>(end - data()->constBegin());
    int32_t i = static_cast<int32_t>(begin - data()->constBegin());
    lineData->clear();
    lineData->reserve(static_cast<int>(4 * (pixelSpan + 2)));
    while (i < endIndex) {
        // The points of one pixel column: keys below the next column's edge.
        const double edge = keyAxis->pixelToCoord(std::floor(keyAxis->coordToPixel(points[i].key)) + 1.0);
        const QCPGraphData* columnEnd =
            std::lower_bound(points + i + 1, points + endIndex, edge,
                             [](const QCPGraphData& p, double key) { return p.key < key; });
        const int32_t j = static_cast<int32_t>(columnEnd - points);
        lineData->append(points[i]);
        if (j - i > 2) {
            const BlockExtent extent = ValueExtent(i, j);
            lineData->append(QCPGraphData(points[i].key, extent.lowest));
            lineData->append(QCPGraphData(points[i].key, extent.highest));
        }
        if (j - i > 1) lineData->append(points[j - 1]);
        i = j;
    }
}
