// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ConvergenceLine.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

// ReservedLineData below works on the protected members of QCustomPlot's data
// container, whose meaning is not part of the library's documented interface:
// it holds in 2.1 and is checked again whenever the library changes.
static_assert(QCUSTOMPLOT_VERSION >> 8 == 0x0201,
              "ReservedLineData relies on the data container of QCustomPlot 2.1; check it against this version");

namespace {

// Asks the system to back [start, start + bytes) with huge pages where it
// can. Only advice, given where the system knows it: refused or unknown,
// the block keeps ordinary pages and behaves the same.
void AdviseHugePages(const void* start, std::size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t HugePageBytes = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t first = (begin + HugePageBytes - 1) & ~(HugePageBytes - 1);
    const std::uintptr_t last = (begin + bytes) & ~(HugePageBytes - 1);
    if (first < last) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    static_cast<void>(start);
    static_cast<void>(bytes);
#endif
}

// The points' container, with room made ahead for a whole run: a line of a
// large run then fills one block that is never copied, backed by huge pages
// where the system grants them, so that filling it faults once per two
// megabytes instead of once per four kilobytes, and drawing it, which visits
// a new stretch of the line in every pixel column, seldom misses the address
// cache.
//
// Here it writes the container's own storage, and relies on how QCustomPlot
// 2.1 keeps it: mData is one contiguous QVector holding mPreallocSize unused
// slots at its front (room for prepends) followed by the points; adding a
// point whose key is not below the last one, the only way points are added
// here, is mData.append, which does not reallocate while capacity lasts; and
// the container squeezes mData only when points are removed, which these
// lines never do (Clear empties them). So reserving mData's capacity for the
// slots in front plus count points makes every append of the run free of
// allocation, and the block stays where it was advised.
class ReservedLineData : public QCPGraphDataContainer {
public:
    void Reserve(int32_t count)
    {
        if (count <= size()) return;
        mData.reserve(mPreallocSize + count);
        AdviseHugePages(mData.constData(), sizeof(QCPGraphData) * mData.capacity());
    }
};

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

// The end of the pixel column that starts at point i: the first index in
// (i, end] whose key reaches edge, for keys in ascending order. A line has
// about one point per unit of key, so the index is first guessed from the
// mean spacing and then bracketed by doubling steps around the guess: a
// plain binary search over tens of millions of points would miss the cache
// at nearly every step, in every column.
int32_t ColumnEnd(const QCPGraphData* points, int32_t i, int32_t end, double edge, double keysPerIndex)
{
    const double ahead = keysPerIndex > 0.0 ? (edge - points[i].key) / keysPerIndex : 0.0;
    const int32_t guess = i + 1 + static_cast<int32_t>(std::clamp(ahead, 0.0, static_cast<double>(end - i - 1)));
    // Invariant: the answer lies in (below, above]; index i counts as below
    // edge, end as reaching it.
    int32_t below = i;
    int32_t above = end;
    int32_t step = 1;
    if (guess < end && points[guess].key < edge) {
        below = guess;
        while (below + step < end && points[below + step].key < edge) {
            below += step;
            step *= 2;
        }
        above = std::min(below + step, end);
    } else {
        above = guess;
        while (above - step > i && points[above - step].key >= edge) {
            above -= step;
            step *= 2;
        }
        below = std::max(above - step, i);
    }
    const QCPGraphData* found = std::lower_bound(points + below + 1, points + above, edge,
                                                 [](const QCPGraphData& p, double key) { return p.key < key; });
    return static_cast<int32_t>(found - points);
}

}  // namespace

ConvergenceLine::ConvergenceLine(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis)
{
    setLineStyle(lsLine);
    setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
    setAdaptiveSampling(true);
    setData(QSharedPointer<ReservedLineData>::create());
}

void ConvergenceLine::Clear()
{
    data()->clear();
    colourRuns.clear();
    blockExtents.clear();
    groupExtents.clear();
    openBlock = Extent{};
    openBlockCount = 0;
}

void ConvergenceLine::Reserve(int32_t count) { static_cast<ReservedLineData&>(*mDataContainer).Reserve(count); }

QCPRange ConvergenceLine::getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain) const
{
    const auto byKey = [](double key, const QCPGraphData& p) { return key < p.key; };
    const auto keyBelow = [](const QCPGraphData& p, double key) { return p.key < key; };
    // The keys of one sign domain form a contiguous stretch of the ascending keys.
    auto first = mDataContainer->constBegin();
    auto last = mDataContainer->constEnd();
    if (inSignDomain == QCP::sdPositive) first = std::upper_bound(first, last, 0.0, byKey);
    if (inSignDomain == QCP::sdNegative) last = std::lower_bound(first, last, 0.0, keyBelow);
    foundRange = first < last;
    return foundRange ? QCPRange(first->key, (last - 1)->key) : QCPRange();
}

QColor ConvergenceLine::PointColour(int32_t index) const
{
    const auto run = std::upper_bound(colourRuns.begin(), colourRuns.end(), index,
                                      [](int32_t i, const ColourRun& r) { return i < r.first; });
    return run == colourRuns.begin() ? QColor() : QColor((run - 1)->colour);
}

QCPRange ConvergenceLine::RecentValueRange() const
{
    const int32_t count = PointCount();
    const Extent extent = ValueExtent(count / 2, count);
    return QCPRange(extent.lowest, extent.highest);
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

void ConvergenceLine::CloseBlock()
{
    blockExtents.push_back(openBlock);
    openBlock = Extent{};
    openBlockCount = 0;
    const auto blocks = static_cast<int32_t>(blockExtents.size());
    if (blocks % BlockSize != 0) return;
    Extent group;
    IncludeExtents(group, blockExtents.data(), blocks - BlockSize, blocks);
    groupExtents.push_back(group);
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
    const QCPGraphData* points = &*mDataContainer->constBegin();
    const int32_t endIndex = static_cast<int32_t>(end - mDataContainer->constBegin());
    int32_t i = static_cast<int32_t>(begin - mDataContainer->constBegin());
    const double keysPerIndex = count > 1 ? ((end - 1)->key - begin->key) / (count - 1) : 0.0;
    lineData->clear();
    lineData->reserve(static_cast<int>(4 * (pixelSpan + 2)));
    while (i < endIndex) {
        // The points of one pixel column: keys below the next column's edge.
        const double edge = keyAxis->pixelToCoord(std::floor(keyAxis->coordToPixel(points[i].key)) + 1.0);
        const int32_t j = ColumnEnd(points, i, endIndex, edge, keysPerIndex);
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
