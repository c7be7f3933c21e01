// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ConvergenceLine.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <gtest/gtest.h>

namespace {

class ProbeLine : public ConvergenceLine {
public:
    using ConvergenceLine::ConvergenceLine;
    QVector<QPointF> Lines() const
    {
        QVector<QPointF> lines;
        getLines(&lines, data()->dataRange());
        return lines;
    }
};

class ConvergenceLineTest : public testing::Test {
protected:
    void SetUp() override
    {
        // Narrow, so that a pixel column spans whole groups of blocks.
        plot.resize(200, 300);
        line = new ProbeLine(plot.xAxis, plot.yAxis);
        plot.yAxis->setRange(-2, 2);
    }
    // A noisy line with one spike up and one down far inside it.
    void Fill(int count)
    {
        for (int i = 1; i <= count; ++i) {
            double y = std::sin(i * 0.37) * 0.5;
            if (i == count / 3) y = 1.5;
            if (i == 2 * count / 3 + 7) y = -1.25;
            line->Append(i, y, qRgb(0, 0, 255));
        }
        plot.xAxis->setRange(1, count);
        plot.replot();
    }
    static double Lowest(const QVector<QPointF>& lines, bool pixelTop)
    {
        double extreme = lines.front().y();
        for (const QPointF& p : lines) extreme = pixelTop ? std::min(extreme, p.y()) : std::max(extreme, p.y());
        return extreme;
    }

    QCustomPlot plot;
    ProbeLine* line = nullptr;
};

TEST_F(ConvergenceLineTest, SampledLineKeepsEveryExtremeAndBothEnds)
{
    for (const bool logarithmic : {false, true}) {
        line->Clear();
        plot.xAxis->setScaleType(logarithmic ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
        Fill(1500000);
        const QVector<QPointF> lines = line->Lines();
        EXPECT_LE(lines.size(), 4 * (plot.axisRect()->width() + 2));
        EXPECT_GT(lines.size(), 100);
        EXPECT_DOUBLE_EQ(Lowest(lines, true), plot.yAxis->coordToPixel(1.5));
        EXPECT_DOUBLE_EQ(Lowest(lines, false), plot.yAxis->coordToPixel(-1.25));
        EXPECT_DOUBLE_EQ(lines.front().x(), plot.xAxis->coordToPixel(1));
        EXPECT_DOUBLE_EQ(lines.back().x(), plot.xAxis->coordToPixel(1500000));
        EXPECT_DOUBLE_EQ(lines.back().y(), plot.yAxis->coordToPixel(line->data()->at(1499999)->value));
        EXPECT_EQ(line->PointCount(), 1500000);
    }
}

TEST_F(ConvergenceLineTest, ShortLineIsDrawnPointByPoint)
{
    Fill(100);
    EXPECT_EQ(line->Lines().size(), 100);
}

TEST_F(ConvergenceLineTest, KeyRangeOfEachSignDomainComesFromItsOutermostKeys)
{
    line->Reserve(6);
    for (const double x : {-3.0, -1.0, 0.0, 2.0, 5.0, 9.0}) line->Append(x, 0.25 * x, qRgb(255, 0, 0));
    bool found = false;
    const QCPRange all = line->getKeyRange(found, QCP::sdBoth);
    EXPECT_TRUE(found);
    EXPECT_EQ(all, QCPRange(-3.0, 9.0));
    const QCPRange positive = line->getKeyRange(found, QCP::sdPositive);
    EXPECT_TRUE(found);
    EXPECT_EQ(positive, QCPRange(2.0, 9.0));
    const QCPRange negative = line->getKeyRange(found, QCP::sdNegative);
    EXPECT_TRUE(found);
    EXPECT_EQ(negative, QCPRange(-3.0, -1.0));
    EXPECT_EQ(line->PointCount(), 6);

    line->Clear();
    line->Append(-2.0, 1.0, qRgb(255, 0, 0));
    line->getKeyRange(found, QCP::sdPositive);
    EXPECT_FALSE(found);
    line->Clear();
    line->getKeyRange(found, QCP::sdBoth);
    EXPECT_FALSE(found);
}

TEST_F(ConvergenceLineTest, ReservedRoomTakesAWholeRunWithoutMovingThePoints)
{
    constexpr int Points = 200000;
    for (int run = 0; run < 2; ++run) {
        line->Clear();
        line->Reserve(Points);
        line->Append(1, 0.0, qRgb(255, 0, 0));
        const QCPGraphData* first = &*line->data()->constBegin();
        for (int i = 2; i <= Points; ++i) line->Append(i, 0.5, qRgb(255, 0, 0));
        EXPECT_EQ(&*line->data()->constBegin(), first) << run;
        EXPECT_EQ(line->PointCount(), Points);
    }
}

TEST_F(ConvergenceLineTest, EachPointKeepsItsColour)
{
    line->Append(1, 0, qRgb(255, 0, 0));
    line->Append(2, 0, qRgb(255, 0, 0));
    line->Append(3, 0, qRgb(0, 0, 255));
    line->Append(4, 0, qRgb(255, 0, 0));
    EXPECT_EQ(line->PointColour(0), qRgb(255, 0, 0));
    EXPECT_EQ(line->PointColour(1), qRgb(255, 0, 0));
    EXPECT_EQ(line->PointColour(2), qRgb(0, 0, 255));
    EXPECT_EQ(line->PointColour(3), qRgb(255, 0, 0));
    line->Clear();
    EXPECT_EQ(line->PointCount(), 0);
    EXPECT_FALSE(line->PointColour(0).isValid());
}

}  // namespace
