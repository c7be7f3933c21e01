#include "ui/StringGrid.h"

#include <QHeaderView>
#include <QScrollBar>

StringGrid::StringGrid(int columns, int rows, int cellWidth, int cellHeight, QWidget* parent)
    : QTableWidget(rows, columns, parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(cellWidth);
    verticalHeader()->setDefaultSectionSize(cellHeight);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(ScrollPerItem);
    // Moving the current cell must not scroll the view: the top row is set
    // on its own.
    setAutoScroll(false);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setWordWrap(false);
    // Headings fill their 80-pixel cells: clipped at the grid line rather
    // than shortened with an ellipsis.
    setTextElideMode(Qt::ElideNone);
    setStyleSheet(QStringLiteral("QTableView::item { padding: 0px 2px; } QTableView:disabled { color: black; }"));

    // A disabled grid still shows its texts in the ordinary colour.
    QPalette shown = palette();
    shown.setColor(QPalette::Disabled, QPalette::Text, shown.color(QPalette::Active, QPalette::Text));
    shown.setColor(QPalette::Disabled, QPalette::Base, shown.color(QPalette::Active, QPalette::Base));
    setPalette(shown);

    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            if (row < FixedCount || column < FixedCount) cell->setBackground(palette().color(QPalette::Button));
            setItem(row, column, cell);
        }
    }
}

QString StringGrid::Cell(int column, int row) const { return item(row, column)->text(); }

void StringGrid::SetCell(int column, int row, const QString& text) { item(row, column)->setText(text); }

int StringGrid::TopRow() const { return verticalScrollBar()->value() + FixedCount; }

void StringGrid::SetTopRow(int row) { verticalScrollBar()->setValue(row - FixedCount); }
