// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ChartImage.h"

#include <QBuffer>
#include <QPdfWriter>
#include <qcustomplot.h>

namespace {

constexpr double PngScale = 2.0;
constexpr double PointsPerInch = 72.0;
const QString DocumentTitle = QStringLiteral("Running Average");
const QString DocumentCreator = QStringLiteral("Kvantelo");

// A pixel of the page is a pixel of the screen, so the page has the chart's
// size on screen.
bool WritePdf(QCustomPlot& chart, QIODevice& device)
{
    const QSize size = chart.size();
    const int pixelsPerInch = chart.logicalDpiX();
    QPdfWriter writer(&device);
    writer.setTitle(DocumentTitle);
    writer.setCreator(DocumentCreator);
    writer.setResolution(pixelsPerInch);
    const QSizeF points = QSizeF(size) * (PointsPerInch / pixelsPerInch);
    writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                     QPageLayout::Portrait, QMarginsF()));
    QCPPainter painter;
    if (!painter.begin(&writer)) return false;
    painter.setMode(QCPPainter::pmVectorized);
    chart.toPainter(&painter, size.width(), size.height());
    return painter.end();
}

}  // namespace

QByteArray ChartImage(QCustomPlot& chart, ChartImageFormat format)
{
    QByteArray image;
    QBuffer buffer(&image);
    buffer.open(QIODevice::WriteOnly);
    const bool drawn = format == ChartImageFormat::Pdf
                           ? WritePdf(chart, buffer)
                           : chart.toPixmap(chart.width(), chart.height(), PngScale).save(&buffer, "PNG");
    // Drawing at another size laid the plot out for it; the screen's layout
    // comes back with the next drawing.
    chart.replot(QCustomPlot::rpQueuedReplot);
    return drawn ? image : QByteArray();
}
