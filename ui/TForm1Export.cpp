// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// What the user takes away from the window: the chart's context menu with
// its shortcuts, the chart saved as a picture, the lines' points saved as
// comma-separated values, the results copied as a table; and the chart's
// description for a screen reader.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <qcustomplot.h>

#include "pricing/ResultsGrid.h"
#include "ui/AtomicFileSave.h"
#include "ui/ChartImage.h"
#include "ui/ControlFactory.h"
#include "ui/ConvergenceCsv.h"
#include "ui/ConvergenceLine.h"
#include "ui/InputDuringRun.h"
#include "ui/RadioGroup.h"
#include "ui/SaveFileChoice.h"
#include "ui/StringGrid.h"
#include "ui/TForm1.h"

namespace {

// A write expected to last longer than this shows its progress, with Cancel.
constexpr int ProgressDelayMilliseconds = 1000;
// Wide enough for its caption in the window manager's title bar.
constexpr int ProgressDialogWidth = 360;

const SaveFileKinds ImageKinds = {QStringLiteral("Save chart image"),
                                  {QStringLiteral("PNG image (*.png)"), QStringLiteral("PDF document (*.pdf)")},
                                  {QStringLiteral("png"), QStringLiteral("pdf")},
                                  true};
const SaveFileKinds DataKinds = {QStringLiteral("Save convergence data"),
                                 {QStringLiteral("Comma-separated values (*.csv)")},
                                 {QStringLiteral("csv")},
                                 false};

QAction* MakeAction(const QString& name, const QString& text, const QKeySequence& shortcut, QWidget* page)
{
    auto* action = new QAction(text, page);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    action->setShortcutVisibleInContextMenu(true);
    page->addAction(action);
    return action;
}

// While the window writes a file it keeps the window's input for after the
// write, as a run does: a press meanwhile would change the points being
// written. Escape, like Cancel, ends the write; closing the window ends it
// and then closes the window.
struct WriteInProgress {
    InputDuringRun& input;
    explicit WriteInProgress(InputDuringRun& kept) : input(kept) { input.RunStarted(); }
    ~WriteInProgress() { input.RunEnded(); }
};

}  // namespace

void TForm1::BuildChartMenu()
{
    PopupMenu1 = MakeNamed<QMenu>(QStringLiteral("PopupMenu1"), Chart1);
    SaveChartImage1 = MakeAction(QStringLiteral("SaveChartImage1"), QStringLiteral("Save chart image\u2026"),
                                 QKeySequence(Qt::CTRL | Qt::Key_S), TabSheet1);
    SaveConvergenceData1 =
        MakeAction(QStringLiteral("SaveConvergenceData1"), QStringLiteral("Save convergence data\u2026"),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), TabSheet1);
    CopyResults1 = MakeAction(QStringLiteral("CopyResults1"), QStringLiteral("Copy results"),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), TabSheet1);
    PopupMenu1->addActions({SaveChartImage1, SaveConvergenceData1, CopyResults1});
    EnableSaving(false);
    // A right click opens the menu. The chart takes no focus and is no stop
    // of the tab order: the shortcuts are the keyboard's way to its items.
    Chart1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Chart1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& place) { PopupMenu1->popup(Chart1->mapToGlobal(place)); });
    Chart1->setAccessibleName(QStringLiteral("Running Average"));
    Chart1->setAccessibleDescription(ChartDescription({}));
}

void TForm1::EnableSaving(bool enabled)
{
    SaveChartImage1->setEnabled(enabled);
    SaveConvergenceData1->setEnabled(enabled);
}

void TForm1::SaveChartImage1Click()
{
    if (!AnyLinePoints()) return;
    const QString name = ChooseSaveFile(this, ImageKinds);
    if (name.isEmpty()) return;
    const ChartImageFormat format = QFileInfo(name).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0
                                        ? ChartImageFormat::Pdf
                                        : ChartImageFormat::Png;
    const QByteArray image = ChartImage(*Chart1, format);
    if (image.isEmpty()) RefuseSave(name, QStringLiteral("the chart could not be drawn"));
    SaveAtomically(name, [&image](QIODevice& file) { return WriteAll(file, image.constData(), image.size()); });
}

void TForm1::SaveConvergenceData1Click()
{
    if (!AnyLinePoints()) return;
    const QString name = ChooseSaveFile(this, DataKinds);
    if (name.isEmpty()) return;
    const QCPGraphDataContainer& quasi = *Series1->data();
    const QCPGraphDataContainer& pseudo = *Series2->data();
    const int64_t rows = ConvergenceCsvRows(quasi, pseudo);

    const WriteInProgress writing(*inputDuringRun);
    QProgressDialog progress(QStringLiteral("Saving %1\u2026").arg(QFileInfo(name).fileName()),
                             QStringLiteral("Cancel"), 0, static_cast<int>(rows), this);
    progress.setObjectName(QStringLiteral("SaveProgress1"));
    progress.setWindowTitle(DataKinds.caption);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumWidth(ProgressDialogWidth);
    progress.setMinimumDuration(ProgressDelayMilliseconds);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    SaveAtomically(name, [&](QIODevice& file) {
        return WriteConvergenceCsv(file, quasi, pseudo, [&](int64_t written) {
            progress.setValue(static_cast<int>(written));
            try {
                inputDuringRun->TurnEventLoop();
            } catch (const RunStopped&) {
                return false;
            }
            return !progress.wasCanceled();
        });
    });
}

void TForm1::CopyResults1Click()
{
    QGuiApplication::clipboard()->setText(ResultsTable(*StringGrid1, completedPressInputs));
}

std::vector<NamedInput> TForm1::InputsAsShown() const
{
    const auto field = [](const QLabel* caption, const QLineEdit* edit) {
        return NamedInput{caption->text(), edit->text()};
    };
    const auto choice = [](const RadioGroup* group) {
        const int chosen = group->ItemIndex();
        return NamedInput{group->title(), chosen >= 0 ? group->Item(chosen)->text() : QString()};
    };
    std::vector<NamedInput> inputs = {field(Label2, Edit2), field(Label3, Edit3), field(Label4, Edit4),
                                      field(Label5, Edit5), field(Label6, Edit6), choice(RadioGroup4)};
    // Only what the press read: the yield of a continuous dividend, the
    // control variate of an arithmetic average.
    if (RadioGroup4->ItemIndex() == 1) inputs.push_back(field(Label7, Edit7));
    inputs.insert(inputs.end(), {field(Label1, Edit1), field(Label9, Edit9), choice(RadioGroup1), choice(RadioGroup3)});
    if (RadioGroup3->ItemIndex() == 1)
        inputs.push_back({CheckBox2->text(), CheckBox2->isChecked() ? QStringLiteral("yes") : QStringLiteral("no")});
    return inputs;
}

void TForm1::DescribeChart()
{
    std::vector<LineSummary> lines;
    for (const GeneratorKind kind : {GeneratorKind::Quasi, GeneratorKind::Pseudo}) {
        const int32_t paths = Series(kind)->PointCount();
        if (paths == 0) continue;
        const int32_t column = KindColumn(kind);
        lines.push_back({StringGrid1->Cell(column, 0), StringGrid1->Cell(column, ValueRow).trimmed(), paths});
    }
    Chart1->setAccessibleDescription(ChartDescription(lines));
}
