// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>
#include <vector>

// A captioned box of mutually exclusive items, stacked evenly from top to
// bottom. ItemIndex() is the selected item, -1 when none is.
class RadioGroup : public QGroupBox {
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent);

    int ItemIndex() const { return buttons.checkedId(); }
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const { return items[static_cast<std::size_t>(index)]; }
    int ItemCount() const { return static_cast<int>(items.size()); }
    // Emits idClicked when the user picks an item.
    QButtonGroup* Buttons() { return &buttons; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QButtonGroup buttons;
    std::vector<QRadioButton*> items;
};
