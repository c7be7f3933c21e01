// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

#include <QString>

class StringGrid;

// The results put into words: as a table for the clipboard, and as the
// chart's description for a screen reader.

// An input as the window shows it: the caption beside it and its text.
struct NamedInput {
    QString name;
    QString value;
};

// Tab-separated lines that a spreadsheet pastes as a table: the grid's three
// rows in view with their four columns in view, as shown, then one line per
// input.
QString ResultsTable(const StringGrid& grid, const std::vector<NamedInput>& inputs);

// What one line of the chart shows: the grid heading of its kind, its
// estimate as the grid shows it, and the paths behind it.
struct LineSummary {
    QString heading;
    QString estimate;
    int32_t paths;
};

// "Quasi random: 0.324783 after 8192 paths; Pseudo random: ..." for the
// lines that hold points, "no estimate" for one whose estimate is not in the
// grid; without any line, that no press has run.
QString ChartDescription(const std::vector<LineSummary>& lines);
