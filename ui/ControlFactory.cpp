// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ControlFactory.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/RadioGroup.h"

QFrame* MakePanel(const QString& name, QWidget* parent, QRect place)
{
    auto* panel = MakeNamed<QFrame>(name, parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(place);
    return panel;
}

QLabel* MakeLabel(const QString& name, QWidget* parent, QPoint place, const QString& caption)
{
    auto* label = MakeNamed<QLabel>(name, parent, caption);
    label->move(place);
    label->adjustSize();
    return label;
}

QLineEdit* MakeEdit(const QString& name, QWidget* parent, QRect place, const QString& text)
{
    auto* edit = MakeNamed<QLineEdit>(name, parent, text);
    edit->setGeometry(place);
    edit->setTextMargins(0, 0, 0, 0);
    return edit;
}

QPushButton* MakeButton(const QString& name, QWidget* parent, QRect place, const QString& caption)
{
    auto* button = MakeNamed<QPushButton>(name, parent, caption);
    button->setGeometry(place);
    return button;
}

QCheckBox* MakeCheckBox(const QString& name, QWidget* parent, QRect place, const QString& caption)
{
    auto* box = MakeNamed<QCheckBox>(name, parent, caption);
    box->setGeometry(place);
    return box;
}

QGroupBox* MakeGroupBox(const QString& name, QWidget* parent, QRect place, const QString& caption)
{
    auto* box = MakeNamed<QGroupBox>(name, parent, caption);
    box->setGeometry(place);
    return box;
}

RadioGroup* MakeRadioGroup(const QString& name, QWidget* parent, QRect place, const QString& caption,
                           const QStringList& items)
{
    auto* group = MakeNamed<RadioGroup>(name, parent, caption, items);
    group->setGeometry(place);
    group->SetItemIndex(0);
    group->setAccessibleName(caption);
    return group;
}

void NameAfterCaption(QLabel* caption, QWidget* input)
{
    caption->setBuddy(input);
    input->setAccessibleName(caption->text());
}
