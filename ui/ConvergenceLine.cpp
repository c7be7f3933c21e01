#include "ui/ConvergenceLine.h"

#include <algorithm>

namespace {

// Points per block, and blocks per group.
constexpr int32_t BlockSize = 64;
// Below this many points per pixel column the plain line is cheap enough.
constexpr double SamplingPointsPerPixel = 4.0;

int32_t CeilDiv(int32_t value, int32_t divisor) { return (value + divisor - 1) / divisor; }

template <class Item, class Extent>
void IncludeValues(Extent& extent, const Item* items, int32_t from, int32_t to)
{
    for (int32_t i = from; i < to; ++i) {
        extent.lowest = std::min(extent.lowest, items[i].value);
        extent.highest = std::max(extent.highest, items[i].value);
    }
}

template <class Extent>
void IncludeExtents(Extent& extent, const Extent* extents, int32_t from, int32_t to)
{
    for (int32_t i = from; i < to; ++i) {
        extent.lowest = std::min(extent.lowest, extents[i].lowest);
        extent.highest = std::max(extent.highest, extents[i].highest);
    }
}

}  // namespace

ConvergenceLine::ConvergenceLine(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis)
{
    setLineStyle(lsLine);
    setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
    setAdaptiveSampling(true);
}

void ConvergenceLine::Clear()
{
    data()->clear();
    colourRuns.clear();
    blockExtents.clear();
    groupExtents.clear();
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

void ConvergenceLine::ExtendSummary() const
{
    const QCPGraphData* points = &*mDataContainer->constBegin();
    const std::size_t blocks = static_cast<std::size_t>(PointCount() / BlockSize);
    for (std::size_t b = blockExtents.size(); b < blocks; ++b) {
        Extent extent{points[b * BlockSize].value, points[b * BlockSize].value};
        IncludeValues(extent, points, static_cast<int32_t>(b * BlockSize), static_cast<int32_t>((b + 1) * BlockSize));
        blockExtents.push_back(extent);
    }
    const std::size_t groups = blocks / BlockSize;
    for (std::size_t g = groupExtents.size(); g < groups; ++g) {
        Extent extent = blockExtents[g * BlockSize];
        IncludeExtents(extent, blockExtents.data(), static_cast<int32_t>(g * BlockSize),
                       static_cast<int32_t>((g + 1) * BlockSize));
        groupExtents.push_back(extent);
    }
}

ConvergenceLine::Extent ConvergenceLine::ValueExtent(int32_t first, int32_t last) const
{
    const QCPGraphData* points = &*mDataContainer->constBegin();
    Extent extent{points[first].value, points[first].value};
    // Whole blocks [firstBlock, endBlock) and whole groups [firstGroup, endGroup).
    const int32_t firstBlock = CeilDiv(first, BlockSize);
    const int32_t endBlock = last / BlockSize;
    if (firstBlock >= endBlock) {
        IncludeValues(extent, points, first, last);
        return extent;
    }
    IncludeValues(extent, points, first, firstBlock * BlockSize);
    IncludeValues(extent, points, endBlock * BlockSize, last);
    const int32_t firstGroup = CeilDiv(firstBlock, BlockSize);
    const int32_t endGroup = endBlock / BlockSize;
    if (firstGroup >= endGroup) {
        IncludeExtents(extent, blockExtents.data(), firstBlock, endBlock);
        return extent;
    }
    IncludeExtents(extent, blockExtents.data(), firstBlock, firstGroup * BlockSize);
    IncludeExtents(extent, groupExtents.data(), firstGroup, endGroup);
    IncludeExtents(extent, blockExtents.data(), endGroup * BlockSize, endBlock);
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
    ExtendSummary();
    const QCPGraphData* points = &*mDataContainer->constBegin();
    const int32_t endIndex = static_cast<int32_t>(end - mDataContainer->constBegin());
    int32_t i = static_cast<int32_t>(begin - mDataContainer->constBegin());
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
            const Extent extent = ValueExtent(i, j);
            lineData->append(QCPGraphData(points[i].key, extent.lowest));
            lineData->append(QCPGraphData(points[i].key, extent.highest));
        }
        if (j - i > 1) lineData->append(points[j - 1]);
        i = j;
    }
}
