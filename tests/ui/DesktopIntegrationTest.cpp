// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>
#include <utility>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QToolTip>

#include "FormFixture.h"
#include "ui/ErrorDisplay.h"
#include "ui/RadioGroup.h"
#include "ui/ConvergenceLine.h"
#include "ui/StringGrid.h"

// How the program presents itself to the desktop, and whether its captions
// fit at the device-pixel ratio the test runs with (1, and 2 through
// QT_SCALE_FACTOR in a second registration of this suite).
using DesktopIntegrationTest = FormTest;

TEST_F(DesktopIntegrationTest, IdentifiesItselfAsTheInstalledDesktopEntry)
{
    EXPECT_EQ(QApplication::applicationName(), "kvantelo");
    // No display name: the toolkit would append it to the window's title.
    EXPECT_EQ(QApplication::applicationDisplayName(), QApplication::applicationName());
    EXPECT_EQ(QApplication::applicationVersion(), "1.8.0");
    EXPECT_EQ(QGuiApplication::desktopFileName(), "org.kvantelo.Kvantelo");
    // The window shows the icon the menu shows: the same images, at every
    // size the hicolor theme gets.
    const QList<QSize> sizes = form->windowIcon().availableSizes();
    for (const int size : {16, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

TEST_F(DesktopIntegrationTest, EveryInputIsFoundByTheCaptionBesideIt)
{
    const std::pair<const char*, const char*> inputs[] = {
        {"Exercise price", "Edit2"},
        {"Asset value", "Edit3"},
        {"Expiration period (months)", "Edit4"},
        {"Risk-free return (bank rate)", "Edit5"},
        {"Asset volatility [per year]", "Edit6"},
        {"yield", "Edit7"},
        {"Path segments", "Edit1"},
        {"Iterations [x 1024]", "Edit9"},
        {"Asset dividend", "RadioGroup4"},
        {"Option class", "RadioGroup1"},
        {"Type of average", "RadioGroup3"},
        {"use geometric average as control variate", "CheckBox2"},
        {"logarithmic", "CheckBox1"},
    };
    const QList<QWidget*> widgets = form->findChildren<QWidget*>();
    for (const auto& [caption, name] : inputs) {
        QStringList found;
        for (const QWidget* widget : widgets) {
            const QString accessible = widget->accessibleName().isEmpty()
                                           ? (qobject_cast<const QAbstractButton*>(widget)
                                                  ? qobject_cast<const QAbstractButton*>(widget)->text()
                                                  : QString())
                                           : widget->accessibleName();
            if (accessible == caption)
                found << widget->objectName();
        }
        EXPECT_EQ(found, QStringList{name}) << caption;
    }
}

TEST_F(DesktopIntegrationTest, EveryInputAndComputeSayWhatTheyMean)
{
    Click(form->RadioGroup4->Item(1));
    const std::pair<QWidget*, const char*> controls[] = {
        {form->Edit2, "strike"}, {form->Edit3, "price"}, {form->Edit4, "months"},  {form->Edit5, "rate"},
        {form->Edit6, "volatility"}, {form->Edit7, "yield"}, {form->Edit1, "2 to 1024"},
        {form->Edit9, "1 to 20971"}, {form->Button1, "pseudo-random"}};
    QStringList seen;
    for (const auto& [control, word] : controls) {
        SCOPED_TRACE(control->objectName().toStdString());
        const QString help = control->toolTip();
        EXPECT_TRUE(help.contains(QString::fromUtf8(word))) << help.toStdString();
        EXPECT_EQ(control->accessibleDescription(), help);
        const QStringList lines = help.split('\n');
        EXPECT_LE(lines.size(), 2);
        for (const QString& line : lines) EXPECT_LE(line.size(), 70) << line.toStdString();
        EXPECT_FALSE(seen.contains(help));
        seen << help;
        // Shown where the pointer rests.
        QHelpEvent rest(QEvent::ToolTip, control->rect().center(), control->mapToGlobal(control->rect().center()));
        QApplication::sendEvent(control, &rest);
        EXPECT_TRUE(QToolTip::isVisible());
        EXPECT_EQ(QToolTip::text(), help);
        QToolTip::hideText();
    }
}

TEST_F(DesktopIntegrationTest, AScreenReaderLearnsWhatTheChartShowsAndHowFarARunIs)
{
    QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(form->Chart1);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->text(QAccessible::Name), "Running Average");
    EXPECT_EQ(chart->text(QAccessible::Description), "No press of Compute has run yet");
    Compute();
    const auto cell = [this](int column) { return form->StringGrid1->Cell(column, 1); };
    EXPECT_EQ(chart->text(QAccessible::Description),
              QStringLiteral("Quasi random: %1 after 8192 paths; Pseudo random: %2 after 8192 paths")
                  .arg(cell(2), cell(3)));
    // A line without points is left out.
    form->ClearSeries(GeneratorKind::Quasi);
    form->SetCell(3, 2, "0.001000");
    EXPECT_EQ(chart->text(QAccessible::Description), QStringLiteral("Pseudo random: %1 after 8192 paths").arg(cell(3)));

    // The progress bar's value as it changes; the bar announces each new
    // value itself while a screen reader listens.
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(form->ProgressBar3);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->text(QAccessible::Name), "Progress");
    ASSERT_NE(bar->valueInterface(), nullptr);
    for (const int percent : {42, 43, 0}) {
        form->SetProgress(percent);
        EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), percent);
    }

    QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(form->Image1);
    EXPECT_TRUE(picture->text(QAccessible::Name).contains("Sobol")) << picture->text(QAccessible::Name).toStdString();
}

// What the standard error display showed for one message.
struct ShownBox {
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    QString text;
    int width = 0;
};

// Shows message through the application's own error display and reads the
// modal box once it is up, then closes it.
ShownBox ShowThroughTheErrorBox(const QString& message)
{
    ShownBox shown;
    SetErrorSink(nullptr);
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        shown = {box->windowTitle(), box->icon(), box->textFormat(), box->text(), box->frameGeometry().width()};
        box->done(0);
    });
    ShowError(message);
    return shown;
}

TEST_F(DesktopIntegrationTest, ErrorBoxKeepsALongRefusedTextOnTheScreen)
{
    const QString refused = QStringLiteral("A") + QString(5000, '9') + QStringLiteral("Z");
    const ShownBox shown = ShowThroughTheErrorBox(QStringLiteral("'%1' is not a valid floating point value").arg(refused));
    SetErrorSink([this](const QString& text) { errors << text; });
    EXPECT_EQ(shown.title, "Kvantelo");
    EXPECT_EQ(shown.icon, QMessageBox::Critical);
    EXPECT_EQ(shown.format, Qt::PlainText);
    EXPECT_LE(shown.width, form->screen()->availableGeometry().width());
    // Elided in its middle, both quotes and the full stop kept.
    EXPECT_TRUE(shown.text.startsWith("'A999")) << shown.text.left(20).toStdString();
    EXPECT_TRUE(shown.text.endsWith("99Z' is not a valid floating point value.")) << shown.text.right(50).toStdString();
    EXPECT_TRUE(shown.text.contains(QChar(0x2026)));
    EXPECT_LT(shown.text.size(), 200);

    const ShownBox plain = ShowThroughTheErrorBox(QStringLiteral("'<b>5</b>' is not a valid integer value"));
    SetErrorSink([this](const QString& text) { errors << text; });
    EXPECT_EQ(plain.text, "'<b>5</b>' is not a valid integer value.");
}

namespace {

// The fixed heading cells that hold text, as (column, row).
constexpr std::pair<int, int> GridHeadings[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {0, 2}};

int TextWidth(const QWidget* widget, const QString& text)
{
    return widget->fontMetrics().horizontalAdvance(text);
}

// The width a button's caption needs: the text, and for a check box or radio
// button its indicator and the gap beside it; a push button's minimum width
// is a style preference, not a clip.
int CaptionWidth(const QAbstractButton* button)
{
    const int text = TextWidth(button, button->text());
    const QStyle* style = button->style();
    if (qobject_cast<const QCheckBox*>(button))
        return text + style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, button);
    if (qobject_cast<const QRadioButton*>(button))
        return text + style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) +
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
    return text + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
}

}  // namespace

TEST_F(DesktopIntegrationTest, EveryCaptionFitsWithoutClippingOrOverlap)
{
    // Shown controls only, as a user sees them; then the hidden ones.
    for (const bool showHidden : {false, true}) {
        if (showHidden) {
            Click(form->RadioGroup4->Item(1));
            Click(form->RadioGroup3->Item(1));
        }
        // A caption beside its field ends before the field begins.
        for (QLabel* label : form->findChildren<QLabel*>()) {
            QWidget* field = label->buddy();
            if (field == nullptr || !label->isVisible())
                continue;
            EXPECT_LE(label->x() + TextWidth(label, label->text()), field->x()) << label->text().toStdString();
            EXPECT_LE(field->geometry().right(), label->parentWidget()->width()) << label->text().toStdString();
        }
        for (QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
            if (!button->isVisible() || button->text().isEmpty())
                continue;
            EXPECT_LE(CaptionWidth(button), button->width()) << button->text().toStdString();
        }
        for (QGroupBox* box : form->findChildren<QGroupBox*>()) {
            if (!box->isVisible())
                continue;
            EXPECT_LT(TextWidth(box, box->title()), box->width()) << box->title().toStdString();
        }
    }
    const QTabBar* tabs = form->findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    for (int tab = 0; tab < tabs->count(); ++tab)
        EXPECT_LE(TextWidth(tabs, tabs->tabText(tab)), tabs->tabRect(tab).width()) << tab;
    // Each heading of the results grid within its cell's text area, which
    // lies within the cell.
    const StringGrid* grid = form->StringGrid1;
    for (const auto& [column, row] : GridHeadings) {
        const QString text = grid->Cell(column, row);
        const QRect area = grid->CellTextArea(column, row);
        EXPECT_LE(QFontMetricsF(grid->font()).horizontalAdvance(text), area.width()) << text.toStdString();
        EXPECT_TRUE(grid->visualRect(grid->model()->index(row, column)).contains(area)) << text.toStdString();
    }
}

TEST_F(DesktopIntegrationTest, TheGridShadesOnlyItsHeadingsAndShowsEveryTextWhole)
{
    Type(form->Edit9, "1");
    Compute();
    const StringGrid* grid = form->StringGrid1;
    const QImage shot = grid->viewport()->grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    const auto pixel = [&](int x, int y) { return shot.pixelColor(qRound(x * ratio), qRound(y * ratio)); };
    const QColor face = grid->palette().color(QPalette::Active, QPalette::Button);
    ASSERT_NE(face, QColor(Qt::white));
    // Columns 0 to 3 and rows 0 to 2 are in view.
    for (int row = 0; row <= 2; ++row) {
        for (int column = 0; column <= 3; ++column) {
            SCOPED_TRACE(testing::Message() << "cell (" << column << ", " << row << ")");
            const QRect cell = grid->visualRect(grid->model()->index(row, column));
            const bool heading = row == 0 || column == 0;
            // The background right of any text, and no text touching the
            // cell's right edge, where it would be cut.
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                ASSERT_EQ(pixel(cell.right(), y), heading ? face : QColor(Qt::white)) << "y " << y;
            // Text in black.
            if (grid->Cell(column, row).isEmpty()) continue;
            int darkest = 255;
            for (int x = cell.left(); x <= cell.right(); ++x)
                for (int y = cell.top(); y <= cell.bottom(); ++y) darkest = std::min(darkest, qGray(pixel(x, y).rgb()));
            EXPECT_LT(darkest, 64);
        }
    }
}

TEST_F(DesktopIntegrationTest, RendersAtTheScreensPixelRatio)
{
    const QPixmap shot = form->grab();
    const qreal ratio = form->devicePixelRatioF();
    EXPECT_EQ(shot.devicePixelRatio(), ratio);
    EXPECT_EQ(shot.width(), qRound(form->width() * ratio));
    const QString file = QStringLiteral("window-at-ratio-%1.png").arg(ratio);
    EXPECT_TRUE(shot.save(file)) << file.toStdString();
}
