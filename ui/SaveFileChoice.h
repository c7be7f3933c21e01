// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QString>
#include <QStringList>

class QWidget;

// What the user is asked when saving: a caption, and the kinds of file on
// offer, the first the default, each with a filter such as "PNG image
// (*.png)" and its extension. A writer that decides the format by the
// extension needs one of its own; another keeps any extension it is given.
struct SaveFileKinds {
    QString caption;
    QStringList filters;
    QStringList suffixes;
    bool formatFromSuffix;
};

// Asks where to save; returns the chosen name, or an empty text when the user
// cancelled. The default asks with the toolkit's save dialog, which confirms
// before an existing file is replaced; tests install their own instead of
// driving a dialog.
using SaveFileChooser = std::function<QString(QWidget* parent, const SaveFileKinds& kinds)>;
void SetSaveFileChooser(SaveFileChooser chooser);

// The chosen name, with the default kind's extension added when it has no
// extension, or, where the format comes from it, none of the kinds'
// extensions; empty when the user cancelled.
QString ChooseSaveFile(QWidget* parent, const SaveFileKinds& kinds);
