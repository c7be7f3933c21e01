// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTableWidget>

// A grid of text cells addressed as (column, row) from 0. The first column
// and the first row are fixed heading cells, shaded in the window's face
// colour; Row() is the current row and TopRow() the first scrolling row in
// view (the one right below the fixed row).
class StringGrid : public QTableWidget {
public:
    StringGrid(int columns, int rows, int cellWidth, int cellHeight, QWidget* parent);

    QString Cell(int column, int row) const;
    void SetCell(int column, int row, const QString& text);
    // Where a cell's text is drawn, in the viewport's coordinates; text wider
    // than this is cut.
    QRect CellTextArea(int column, int row) const;

    int Row() const { return currentRow(); }
    void SetRow(int row) { setCurrentCell(row, FixedCount); }
    int TopRow() const;
    void SetTopRow(int row);

private:
    static constexpr int FixedCount = 1;
};
