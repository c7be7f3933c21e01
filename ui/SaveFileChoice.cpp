// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/SaveFileChoice.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

QString AskWithDialog(QWidget* parent, const SaveFileKinds& kinds)
{
    QFileDialog dialog(parent, kinds.caption);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(kinds.filters);
    // A name typed without an extension gets that of the kind shown, so the
    // dialog's question before replacing a file is about the file saved.
    dialog.setDefaultSuffix(kinds.suffixes.front());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &kinds](const QString& filter) {
        const qsizetype kind = kinds.filters.indexOf(filter);
        if (kind >= 0) dialog.setDefaultSuffix(kinds.suffixes[kind]);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

SaveFileChooser& CurrentChooser()
{
    static SaveFileChooser chooser = AskWithDialog;
    return chooser;
}

}  // namespace

void SetSaveFileChooser(SaveFileChooser chooser)
{
    CurrentChooser() = chooser ? std::move(chooser) : SaveFileChooser(AskWithDialog);
}

QString ChooseSaveFile(QWidget* parent, const SaveFileKinds& kinds)
{
    const QString chosen = CurrentChooser()(parent, kinds);
    if (chosen.isEmpty()) return {};
    const QString suffix = QFileInfo(chosen).suffix();
    if (!suffix.isEmpty() && !kinds.formatFromSuffix) return chosen;
    for (const QString& known : kinds.suffixes)
        if (suffix.compare(known, Qt::CaseInsensitive) == 0) return chosen;
    return chosen + QLatin1Char('.') + kinds.suffixes.front();
}
