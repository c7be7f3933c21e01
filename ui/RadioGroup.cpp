// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/RadioGroup.h"

namespace {

// The caption line at the top, and the inner margins of the items.
constexpr int CaptionHeight = 14;
constexpr int ItemLeft = 8;
constexpr int ItemRightMargin = 4;
constexpr int BottomMargin = 2;

}  // namespace

RadioGroup::RadioGroup(const QString& caption, const QStringList& itemCaptions, QWidget* parent)
    : QGroupBox(caption, parent), buttons(this)
{
    for (const QString& text : itemCaptions) {
        auto* item = new QRadioButton(text, this);
        buttons.addButton(item, static_cast<int>(items.size()));
        items.push_back(item);
    }
}

void RadioGroup::SetItemIndex(int index)
{
    if (index >= 0 && index < ItemCount()) Item(index)->setChecked(true);
}

void RadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    if (items.empty()) return;
    const int rowHeight = (height() - CaptionHeight - BottomMargin) / ItemCount();
    for (int i = 0; i < ItemCount(); ++i)
        Item(i)->setGeometry(ItemLeft, CaptionHeight + i * rowHeight, width() - ItemLeft - ItemRightMargin, rowHeight);
}
