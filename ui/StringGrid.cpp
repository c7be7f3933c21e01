// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/StringGrid.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace {

// Text begins this far right of the cell's left edge. The headings fill
// their 80-pixel cells: "Pseudo random" is some 78 pixels wide in the
// window's font.
constexpr int TextIndent = 1;

QRect TextArea(const QRect& cell) { return cell.adjusted(TextIndent, 0, 0, 0); }

// Draws each cell as the grid always shows it, enabled or not: headings on
// the face colour, results on the ordinary cell background, all text black
// and clipped at the cell's edge rather than shortened with an ellipsis. The
// whole text of a cell that is cut shows as its tooltip.
class CellPainter : public QStyledItemDelegate {
public:
    CellPainter(int fixedCount, QObject* parent) : QStyledItemDelegate(parent), fixedCount(fixedCount) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QPalette& palette = option.widget->palette();
        const bool heading = index.row() < fixedCount || index.column() < fixedCount;
        painter->save();
        painter->fillRect(option.rect, palette.color(QPalette::Active, heading ? QPalette::Button : QPalette::Base));
        painter->setPen(palette.color(QPalette::Active, QPalette::Text));
        painter->setFont(option.font);
        painter->setClipRect(option.rect);
        painter->drawText(TextArea(option.rect), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        if (event->type() != QEvent::ToolTip) return QStyledItemDelegate::helpEvent(event, view, option, index);
        const QString text = index.data(Qt::DisplayRole).toString();
        if (QFontMetrics(option.font).horizontalAdvance(text) > TextArea(option.rect).width())
            QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
        else
            QToolTip::hideText();
        return true;
    }

private:
    int fixedCount;
};

}  // namespace

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
    setItemDelegate(new CellPainter(FixedCount, this));

    // A disabled grid still shows its background in the ordinary colour.
    QPalette shown = palette();
    shown.setColor(QPalette::Disabled, QPalette::Base, shown.color(QPalette::Active, QPalette::Base));
    setPalette(shown);

    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) setItem(row, column, new QTableWidgetItem);
}

QString StringGrid::Cell(int column, int row) const { return item(row, column)->text(); }

void StringGrid::SetCell(int column, int row, const QString& text) { item(row, column)->setText(text); }

QRect StringGrid::CellTextArea(int column, int row) const
{
    return TextArea(visualRect(model()->index(row, column)));
}

int StringGrid::TopRow() const { return verticalScrollBar()->value() + FixedCount; }

void StringGrid::SetTopRow(int row) { verticalScrollBar()->setValue(row - FixedCount); }
