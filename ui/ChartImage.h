// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

class QCustomPlot;

// The chart as a picture: what the plot shows on screen, its lines, axes as
// they are (zoom and scale included), title and legend, without the controls
// that sit on it.
enum class ChartImageFormat { Png, Pdf };

// Png: pixels at twice the chart's size on screen. Pdf: vector drawing of
// one page the chart's size on screen. Drawn in memory, so that only whole
// writes reach the file (the image writers let a write that the disk takes
// in part pass); empty where it cannot be drawn.
QByteArray ChartImage(QCustomPlot& chart, ChartImageFormat format);
