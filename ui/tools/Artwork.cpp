// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the About page's picture (the first 2-D points of the Sobol sequence
// beside as many congruential pseudo-random points) and the application icon
// (a quasi-random line settling faster than a pseudo-random one), as PNG files
// and, for the icon, the same drawing as SVG. Usage: kvantelo-artwork DIR
// writes DIR/images/about.png and DIR/icons/kvantelo*.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

namespace {

struct Point {
    double x, y;
};

// The first two Sobol dimensions: van der Corput in base 2 and the
// dimension of the polynomial x + 1, in Gray-code order.
std::vector<Point> SobolPoints(int count)
{
    uint32_t v1[32], v2[32];
    for (int k = 0; k < 32; ++k) {
        v1[k] = 1u << (31 - k);
        v2[k] = k == 0 ? 1u << 31 : v2[k - 1] ^ (v2[k - 1] >> 1);
    }
    std::vector<Point> points;
    uint32_t x = 0, y = 0;
    for (int i = 1; i <= count; ++i) {
        int bit = 0;
        while (((i - 1) >> bit) & 1) ++bit;
        x ^= v1[bit];
        y ^= v2[bit];
        points.push_back({x / 4294967296.0, y / 4294967296.0});
    }
    return points;
}

std::vector<Point> PseudoPoints(int count)
{
    uint32_t state = 20260101u;
    const auto next = [&] {
        state = state * 22695477u + 1u;
        return state / 4294967296.0;
    };
    std::vector<Point> points;
    for (int i = 0; i < count; ++i) {
        const double x = next();
        points.push_back({x, next()});
    }
    return points;
}

void DrawPointSquare(QPainter& painter, QRectF square, const std::vector<Point>& points, QColor colour,
                     const QString& caption)
{
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(square);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (const Point& p : points)
        painter.drawEllipse(QPointF(square.left() + 2 + p.x * (square.width() - 4),
                                    square.bottom() - 2 - p.y * (square.height() - 4)),
                            0.9, 0.9);
    painter.setPen(colour.darker(130));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(square.right() + 4, square.top(), 60, 14), Qt::AlignLeft | Qt::AlignTop, caption);
}

void DrawAbout(const QString& file)
{
    QImage image(411, 70, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int count = 256;
    DrawPointSquare(painter, QRectF(6.5, 3.5, 62, 62), SobolPoints(count), QColor(255, 0, 0), QStringLiteral("Quasi"));
    DrawPointSquare(painter, QRectF(116.5, 3.5, 62, 62), PseudoPoints(count), QColor(0, 0, 255),
                    QStringLiteral("Pseudo"));
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(24);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(40, 40, 60));
    painter.drawText(QRectF(228, 6, 180, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kvantelo"));
    QFont note(QStringLiteral("DejaVu Sans"));
    note.setPixelSize(10);
    painter.setFont(note);
    painter.drawText(QRectF(228, 38, 180, 28), Qt::AlignLeft | Qt::TextWordWrap,
                     QStringLiteral("256 points each: Sobol sequence and congruential generator"));
    painter.end();
    image.save(file);
}

// The icon on a 64-unit canvas: a white card, a dashed target level and two
// running averages, the blue one wandering, the red one settling.
struct IconLine {
    QColor colour;
    std::vector<Point> points;
};

std::vector<IconLine> IconLines()
{
    std::vector<IconLine> lines{{QColor(0, 0, 255), {}}, {QColor(255, 0, 0), {}}};
    for (int i = 0; i <= 24; ++i) {
        const double x = 10 + i * 44.0 / 24;
        const double damp = std::exp(-i / 5.0);
        lines[0].points.push_back({x, 34 - 16 * std::exp(-i / 14.0) * std::cos(i * 1.3)});
        lines[1].points.push_back({x, 34 + 14 * damp * std::cos(i * 0.9 + 0.4)});
    }
    return lines;
}

void DrawIcon(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 60), 2));
    painter.setBrush(QColor(250, 250, 250));
    painter.drawRoundedRect(QRectF(3, 3, 58, 58), 8, 8);
    painter.setPen(QPen(QColor(150, 150, 150), 1.5, Qt::DashLine));
    painter.drawLine(QPointF(9, 34), QPointF(55, 34));
    for (const IconLine& line : IconLines()) {
        QPainterPath path(QPointF(line.points[0].x, line.points[0].y));
        for (const Point& p : line.points) path.lineTo(p.x, p.y);
        painter.setPen(QPen(line.colour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
}

void WriteIconSvg(const QString& file)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    QTextStream svg(&out);
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\">\n"
        << "  <rect x=\"3\" y=\"3\" width=\"58\" height=\"58\" rx=\"8\" fill=\"#fafafa\" stroke=\"#28283c\" "
           "stroke-width=\"2\"/>\n"
        << "  <line x1=\"9\" y1=\"34\" x2=\"55\" y2=\"34\" stroke=\"#969696\" stroke-width=\"1.5\" "
           "stroke-dasharray=\"6 3\"/>\n";
    for (const IconLine& line : IconLines()) {
        svg << "  <polyline fill=\"none\" stroke=\"" << line.colour.name() << "\" stroke-width=\"3\" "
            << "stroke-linecap=\"round\" stroke-linejoin=\"round\" points=\"";
        for (const Point& p : line.points) svg << QString::number(p.x, 'f', 2) << ',' << QString::number(p.y, 'f', 2) << ' ';
        svg << "\"/>\n";
    }
    svg << "</svg>\n";
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: kvantelo-artwork DIR\n", stderr);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkpath(QStringLiteral("images"));
    dir.mkpath(QStringLiteral("icons"));
    DrawAbout(dir.filePath(QStringLiteral("images/about.png")));
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        QImage icon(size, size, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        QPainter painter(&icon);
        painter.scale(size / 64.0, size / 64.0);
        DrawIcon(painter);
        painter.end();
        icon.save(dir.filePath(QStringLiteral("icons/kvantelo-%1.png").arg(size)));
    }
    WriteIconSvg(dir.filePath(QStringLiteral("icons/kvantelo.svg")));
    return 0;
}
