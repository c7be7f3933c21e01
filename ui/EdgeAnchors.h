// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QRect>
#include <vector>

class QWidget;

// Keeps child widgets in place when their parent is resized. A widget kept at
// the right (or bottom) edge keeps its size and its distance from that edge in
// the parent's design size; a docked widget is laid out from the parent's size
// alone. Nothing moves until Measure has fixed the design size: a tab page,
// for one, has its real size only once the window is shown.
class EdgeAnchors : public QObject {
public:
    explicit EdgeAnchors(QWidget* parent);

    void KeepRight(QWidget* child);
    void KeepRightBottom(QWidget* child);
    // Full width along the bottom edge, with the given height.
    void DockBottom(QWidget* child, int height);
    void Fill(QWidget* child);

    // Records every distance against designSize and lays the children out
    // for the parent's current size.
    void Measure(QSize designSize);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Rule { Right, RightBottom, Bottom, Fill };
    struct Anchor {
        QWidget* child;
        Rule rule;
        int height;
        int rightDistance = 0;
        int bottomDistance = 0;
    };

    void Place();

    QWidget* parent;
    std::vector<Anchor> anchors;
    bool measured = false;
};
