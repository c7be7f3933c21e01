// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QCustomPlot;
class QIODevice;

// The chart as a picture: what the plot shows on screen, its lines, axes as
// they are (zoom and scale included), title and legend, without the controls
// that sit on it.
enum class ChartImageFormat { Png, Pdf };

// Png: pixels at twice the chart's size on screen. Pdf: vector drawing of
// one page the chart's size on screen. Whether the device took every byte.
bool WriteChartImage(QCustomPlot& chart, ChartImageFormat format, QIODevice& device);
