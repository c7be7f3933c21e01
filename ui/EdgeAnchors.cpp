// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/EdgeAnchors.h"

#include <QEvent>
#include <QWidget>

EdgeAnchors::EdgeAnchors(QWidget* parent) : QObject(parent), parent(parent) { parent->installEventFilter(this); }

void EdgeAnchors::KeepRight(QWidget* child) { anchors.push_back({child, Rule::Right, 0}); }

void EdgeAnchors::KeepRightBottom(QWidget* child) { anchors.push_back({child, Rule::RightBottom, 0}); }

void EdgeAnchors::DockBottom(QWidget* child, int height) { anchors.push_back({child, Rule::Bottom, height}); }

void EdgeAnchors::Fill(QWidget* child) { anchors.push_back({child, Rule::Fill, 0}); }

void EdgeAnchors::Measure(QSize designSize)
{
    for (Anchor& anchor : anchors) {
        const QRect place = anchor.child->geometry();
        anchor.rightDistance = designSize.width() - place.x() - place.width();
        anchor.bottomDistance = designSize.height() - place.y() - place.height();
    }
    measured = true;
    Place();
}

bool EdgeAnchors::eventFilter(QObject*, QEvent* event)
{
    if (measured && event->type() == QEvent::Resize) Place();
    return false;
}

void EdgeAnchors::Place()
{
    const QSize size = parent->size();
    for (Anchor& anchor : anchors) {
        QRect place = anchor.child->geometry();
        switch (anchor.rule) {
        case Rule::RightBottom:
            place.moveTop(size.height() - anchor.bottomDistance - place.height());
            [[fallthrough]];
        case Rule::Right:
            place.moveLeft(size.width() - anchor.rightDistance - place.width());
            break;
        case Rule::Bottom:
            place = QRect(0, size.height() - anchor.height, size.width(), anchor.height);
            break;
        case Rule::Fill:
            place = QRect(QPoint(0, 0), size);
            break;
        }
        anchor.child->setGeometry(place);
    }
}
