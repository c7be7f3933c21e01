// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <utility>

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RadioGroup;

// Makers of the window's controls: each is created with its object name, the
// name the code and the tests know it by, and put in its place.

template <class Widget, class... Args>
Widget* MakeNamed(const QString& name, QWidget* parent, Args&&... args)
{
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(name);
    return widget;
}

// A small raised box that holds one caption and its field.
QFrame* MakePanel(const QString& name, QWidget* parent, QRect place);
// Plain text, as wide as its caption.
QLabel* MakeLabel(const QString& name, QWidget* parent, QPoint place, const QString& caption);
QLineEdit* MakeEdit(const QString& name, QWidget* parent, QRect place, const QString& text);
QPushButton* MakeButton(const QString& name, QWidget* parent, QRect place, const QString& caption);
QCheckBox* MakeCheckBox(const QString& name, QWidget* parent, QRect place, const QString& caption);
QGroupBox* MakeGroupBox(const QString& name, QWidget* parent, QRect place, const QString& caption);
// With its first item selected, found by screen readers under its caption.
RadioGroup* MakeRadioGroup(const QString& name, QWidget* parent, QRect place, const QString& caption,
                           const QStringList& items);

// Screen readers and UI automation find an input by the caption beside it;
// the buddy also gives the field the label's keyboard focus.
void NameAfterCaption(QLabel* caption, QWidget* input);
