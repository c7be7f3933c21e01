// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QHelpEvent>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <qcustomplot.h>

#include "FormFixture.h"
#include "SavedFiles.h"
#include "pricing/PricingParameters.h"
#include "ui/ConvergenceLine.h"
#include "ui/DescriptionText.h"
#include "ui/PathsAxisTicker.h"
#include "ui/RadioGroup.h"
#include "ui/StringGrid.h"
#include "ui/TickLabelMeasure.h"

namespace {

const QString FloatMessage = QStringLiteral("'%1' is not a valid floating point value.");
const QString IntegerMessage = QStringLiteral("'%1' is not a valid integer value.");
constexpr Qt::KeyboardModifiers SaveImageKeys = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers SaveDataKeys = Qt::ControlModifier | Qt::ShiftModifier;

// A directory that refuses new files. The mode bits do not stop root, who
// runs the tests here; the immutable attribute stops root as well.
class LockedDirectory {
public:
    explicit LockedDirectory(const QString& path) : path(path)
    {
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        refusal = Probe();
        if (refusal == 0 && SetImmutable(true)) {
            immutable = true;
            refusal = Probe();
        }
    }
    ~LockedDirectory()
    {
        if (immutable) SetImmutable(false);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // The system's reason for refusing a new file; empty where it takes one.
    QString Refusal() const { return refusal == 0 ? QString() : QString::fromLocal8Bit(std::strerror(refusal)); }

private:
    int Probe() const
    {
        const QByteArray probe = QFile::encodeName(path + "/probe");
        const int file = ::open(probe.constData(), O_CREAT | O_EXCL | O_WRONLY, 0600);
        if (file < 0) return errno;
        ::close(file);
        ::unlink(probe.constData());
        return 0;
    }
    bool SetImmutable(bool on) const
    {
        const int directory = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
        if (directory < 0) return false;
        int flags = 0;
        bool set = ::ioctl(directory, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        set = set && ::ioctl(directory, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(directory);
        return set;
    }

    QString path;
    int refusal = 0;
    bool immutable = false;
};

TEST_F(FormTest, OpensWithItsDefaults)
{
    EXPECT_EQ(form->windowTitle(), "Kvantelo:         Quasi random numbers in Monte Carlo simulation");
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
    EXPECT_EQ(form->PageControl1->tabText(0), "Velmora Option Valuation");
    EXPECT_EQ(form->PageControl1->tabText(1), "About");
    const std::pair<QLineEdit*, const char*> edits[] = {{form->Edit1, "126"}, {form->Edit2, "5"},  {form->Edit3, "5"},
                                                        {form->Edit4, "6"},   {form->Edit5, "0.03"}, {form->Edit6, "0.4"},
                                                        {form->Edit7, "0.03"}, {form->Edit9, "8"}};
    for (const auto& [edit, text] : edits) EXPECT_EQ(edit->text(), text) << edit->objectName().toStdString();
    EXPECT_EQ(form->findChild<QLineEdit*>("Edit6"), form->Edit6);
    EXPECT_EQ(form->findChild<QFrame*>("Panel7"), form->Panel7);
    EXPECT_EQ(form->Label4->text(), "Expiration period (months)");
    EXPECT_EQ(form->Button1->text(), "Compute");
    EXPECT_EQ(form->Button1->geometry(), QRect(71, 336, 98, 25));
    EXPECT_EQ(form->Chart1->geometry(), QRect(259, 96, 528, 273));
    EXPECT_EQ(form->Button2->geometry(), QRect(445, 180, 50, 20));
    EXPECT_EQ(form->StringGrid1->geometry(), QRect(454, 22, 329, 60));
    EXPECT_EQ(form->RadioGroup1->ItemIndex(), 0);
    EXPECT_EQ(form->RadioGroup3->ItemIndex(), 0);
    EXPECT_EQ(form->RadioGroup4->ItemIndex(), 0);
    EXPECT_FALSE(form->Panel7->isVisible());
    EXPECT_FALSE(form->CheckBox2->isVisible());
    EXPECT_FALSE(form->CheckBox2->isChecked());
    EXPECT_FALSE(form->CheckBox1->isChecked());
    EXPECT_FALSE(form->StringGrid1->isEnabled());
    EXPECT_EQ(form->ProgressBar3->value(), 0);
    EXPECT_EQ(form->ProgressBar3->maximum(), 100);
    EXPECT_EQ(form->Series1->PointCount(), 0);
    EXPECT_EQ(form->Series2->PointCount(), 0);
    EXPECT_EQ(form->ValueAxis().Minimum(), 0.0);
    EXPECT_EQ(form->ValueAxis().Maximum(), 0.0);
    EXPECT_EQ(form->Series1->name(), "Quasi");
    EXPECT_EQ(form->Series2->name(), "Pseudo");
    EXPECT_EQ(form->Series2->pen().color(), QColor(128, 0, 255));
    EXPECT_EQ(form->Chart1->xAxis->label(), "Iterations");
    EXPECT_EQ(form->Chart1->yAxis->label(), "Option Value");
    EXPECT_FALSE(form->Chart1->yAxis2->visible());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(FormTest, WritesTheGridHeadingsAndTheDescription)
{
    const QStringList row0 = {"RESULTS", "Analytic", "Quasi random", "Pseudo random"};
    for (int column = 0; column < row0.size(); ++column) EXPECT_EQ(form->StringGrid1->Cell(column, 0), row0[column]);
    EXPECT_EQ(form->StringGrid1->Cell(0, 1), "Option value");
    EXPECT_EQ(form->StringGrid1->Cell(0, 2), "Std Dev");
    EXPECT_EQ(form->StringGrid1->Cell(1, 2), "    N/A");
    for (int column = 1; column < 6; ++column) EXPECT_EQ(form->StringGrid1->Cell(column, 1), "");
    EXPECT_EQ(form->StringGrid1->columnCount(), 6);
    EXPECT_EQ(form->StringGrid1->rowCount(), 5);
    EXPECT_EQ(form->StringGrid1->Row(), 3);
    EXPECT_EQ(form->StringGrid1->TopRow(), 1);

    EXPECT_EQ(form->Label16->text(), DescriptionText);
    const QStringList lines = DescriptionText.split('\n');
    ASSERT_EQ(lines.size(), 25);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "\t      Kvantelo Version 1.8");
    EXPECT_EQ(lines[8], " PURPOSE");
    EXPECT_EQ(lines[17], " - Asset is asumed to follow the geometric Brownian motion.");
    EXPECT_TRUE(lines[20].contains("is didvided into 16 subcycles"));
    EXPECT_EQ(lines[22], "ACKNOWLEDGMENTS");
    EXPECT_TRUE(lines[23].startsWith("\t1."));
    EXPECT_TRUE(lines[24].startsWith("\t2."));
    EXPECT_FALSE(form->Image1->pixmap().isNull());
    form->PageControl1->setCurrentWidget(form->TabSheet4);
    EXPECT_EQ(form->Image1->geometry(), QRect(318, 19, 411, 70));
    EXPECT_EQ(form->Label16->geometry(), form->TabSheet4->rect());
    EXPECT_EQ(form->TabSheet4->size(), form->TabSheet1->size());
}

TEST_F(FormTest, ACellWhoseTextIsCutShowsItWholeAsItsTooltip)
{
    StringGrid* grid = form->StringGrid1;
    const auto toolTipOf = [grid](int column, int row) {
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        const QPoint centre = grid->CellTextArea(column, row).center();
        QHelpEvent help(QEvent::ToolTip, centre, grid->viewport()->mapToGlobal(centre));
        QApplication::sendEvent(grid->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    // An asset value of 123456789 with the strike of 5.
    form->SetCell(3, 1, "123456784.123456");
    form->SetCell(2, 1, "0.324783");
    EXPECT_EQ(toolTipOf(3, 1), "123456784.123456");
    EXPECT_EQ(toolTipOf(2, 1), "");
    EXPECT_EQ(toolTipOf(3, 0), "");
    EXPECT_EQ(grid->columnWidth(3), 80);
}

TEST_F(FormTest, TabOrderFollowsTheBoxes)
{
    const QWidget* expected[] = {form->Edit2, form->Edit3, form->Edit4, form->Edit5, form->Edit6,
                                 form->RadioGroup4->Item(0), form->Button1, form->RadioGroup1->Item(0),
                                 form->Edit1, form->Edit9, form->CheckBox1, form->Button2, form->Button3,
                                 form->RadioGroup3->Item(0)};
    form->Edit2->setFocus();
    for (std::size_t i = 1; i < std::size(expected); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected[i]) << i;
    }
}

TEST_F(FormTest, ResizingKeepsRightAnchoredControlsAtTheirDistance)
{
    const int gridRight = form->TabSheet1->width() - form->StringGrid1->geometry().right();
    const int chartRight = form->TabSheet1->width() - form->Chart1->geometry().right();
    const QRect button = form->Button2->geometry();
    form->resize(1100, 650);
    QApplication::processEvents();
    EXPECT_EQ(form->TabSheet1->width() - form->StringGrid1->geometry().right(), gridRight);
    EXPECT_EQ(form->TabSheet1->width() - form->Chart1->geometry().right(), chartRight);
    EXPECT_EQ(form->Chart1->size(), QSize(528, 273));
    EXPECT_EQ(form->Button2->geometry(), button);
    EXPECT_EQ(form->Button1->geometry(), QRect(71, 336, 98, 25));
    EXPECT_EQ(form->ProgressBar3->geometry(),
              QRect(0, form->TabSheet1->height() - 16, form->TabSheet1->width(), 16));
    EXPECT_GT(form->ProgressBar3->width(), 1000);
}

TEST_F(FormTest, OpensInsideTheScreenAndCannotBeShrunkBelowItsDesign)
{
    // The offscreen screen, 800 x 800, has no room below the specified place
    // (313, 408), and is a little narrower than the framed window.
    const QRect available = form->screen()->availableGeometry();
    const QRect frame = form->frameGeometry();
    ASSERT_GT(frame.width(), available.width());
    ASSERT_LT(frame.height(), available.height());
    EXPECT_EQ(frame.left(), available.left());
    EXPECT_GE(frame.top(), available.top());
    EXPECT_LE(frame.bottom(), available.bottom());
    EXPECT_LT(frame.top(), 408);

    form->resize(600, 300);
    QApplication::processEvents();
    // The designed height, and as much of the designed width as the screen has.
    EXPECT_EQ(form->height(), 416);
    EXPECT_EQ(form->frameGeometry().width(), available.width());
    // So the right-anchored grid and chart stay clear of the input boxes.
    EXPECT_GT(form->StringGrid1->x(), form->GroupBox1->geometry().right());
    EXPECT_GT(form->Chart1->x(), form->GroupBox2->geometry().right());
    EXPECT_EQ(form->Button1->geometry(), QRect(71, 336, 98, 25));
}

TEST_F(FormTest, MaturityProposesTwentyOneFixingsPerMonth)
{
    Type(form->Edit4, "12");
    EXPECT_EQ(form->Edit1->text(), "252");
    Type(form->Edit4, "49");
    EXPECT_EQ(form->Edit1->text(), "1029");
    Type(form->Edit4, "");
    EXPECT_EQ(form->Edit1->text(), "1029");
    Type(form->Edit4, "-2");
    EXPECT_EQ(form->Edit1->text(), "-42");
    EXPECT_EQ(errors, QStringList{IntegerMessage.arg("-")});
}

TEST_F(FormTest, MaturityThatIsNoIntegerIsReportedAndLeftAsTyped)
{
    Type(form->Edit4, "0.5");
    EXPECT_EQ(errors, (QStringList{IntegerMessage.arg("0."), IntegerMessage.arg("0.5")}));
    EXPECT_EQ(form->Edit4->text(), "0.5");
    EXPECT_EQ(form->Edit1->text(), "0");
    errors.clear();
    Type(form->Edit4, "abc");
    EXPECT_EQ(errors.last(), IntegerMessage.arg("abc"));
    errors.clear();
    Click(form->Button1);
    EXPECT_EQ(errors, QStringList{FloatMessage.arg("abc")});
    EXPECT_EQ(form->Series2->PointCount(), 0);
}

TEST_F(FormTest, DividendChoiceShowsTheYieldField)
{
    Type(form->Edit7, "junk");
    Click(form->RadioGroup4->Item(1));
    EXPECT_TRUE(form->Panel7->isVisible());
    Click(form->RadioGroup4->Item(0));
    EXPECT_FALSE(form->Panel7->isVisible());
    EXPECT_EQ(form->Edit7->text(), "junk");
    Compute();
    EXPECT_EQ(Parameters.dividendYield, 0.0);
}

TEST_F(FormTest, AverageKindGovernsTheControlVariateAndTheAnalyticCell)
{
    Click(form->RadioGroup3->Item(1));
    EXPECT_EQ(form->StringGrid1->Cell(1, 1), "    N/A");
    EXPECT_TRUE(form->CheckBox2->isVisible());
    EXPECT_FALSE(form->CheckBox2->isChecked());
    Click(form->CheckBox2);
    EXPECT_TRUE(form->CheckBox2->isChecked());
    Click(form->RadioGroup3->Item(0));
    EXPECT_EQ(form->StringGrid1->Cell(1, 1), "");
    EXPECT_FALSE(form->CheckBox2->isVisible());
    EXPECT_FALSE(form->CheckBox2->isChecked());
}

TEST_F(FormTest, LogarithmicBoxSwitchesTheBottomAxis)
{
    Click(form->CheckBox1);
    EXPECT_EQ(form->Chart1->xAxis->scaleType(), QCPAxis::stLogarithmic);
    Click(form->CheckBox1);
    EXPECT_EQ(form->Chart1->xAxis->scaleType(), QCPAxis::stLinear);
}

TEST_F(FormTest, ReadsTheDefaultsIntoParameters)
{
    form->ReadInputs();
    EXPECT_EQ(Parameters.spot, 5.0);
    EXPECT_EQ(Parameters.strike, 5.0);
    EXPECT_EQ(Parameters.maturity, 6.0 / 12.0);
    EXPECT_EQ(Parameters.rate, 0.03);
    EXPECT_EQ(Parameters.volatility, 0.4);
    EXPECT_EQ(Parameters.dividendYield, 0.0);
    EXPECT_EQ(Parameters.fixingCount, 126);
    EXPECT_EQ(Parameters.pathCount, 8192);
    EXPECT_EQ(Parameters.optionClass, OptionClass::Call);
    EXPECT_EQ(Parameters.averageKind, AverageKind::Geometric);
    EXPECT_FALSE(Parameters.useControlVariate);

    Click(form->RadioGroup1->Item(1));
    Click(form->RadioGroup3->Item(1));
    Click(form->CheckBox2);
    Click(form->RadioGroup4->Item(1));
    Type(form->Edit7, "0.02");
    Type(form->Edit4, "1.5");
    Type(form->Edit9, "1");
    errors.clear();
    form->ReadInputs();
    EXPECT_EQ(Parameters.optionClass, OptionClass::Put);
    EXPECT_EQ(Parameters.averageKind, AverageKind::Arithmetic);
    EXPECT_TRUE(Parameters.useControlVariate);
    EXPECT_EQ(Parameters.dividendYield, 0.02);
    EXPECT_EQ(Parameters.maturity, 0.125);
    EXPECT_EQ(Parameters.pathCount, 1024);
}

TEST_F(FormTest, AcceptsTheLocaleSeparatorAndTheDefaultFormAndWritesThePoint)
{
    // A window built under the locale, as the program starts under it.
    struct GermanLocale {
        GermanLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
        ~GermanLocale() { QLocale::setDefault(QLocale::c()); }
    } german;
    delete form;
    form = new TForm1;
    form->show();
    Type(form->Edit6, "0,25");
    form->ReadInputs();
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(Parameters.volatility, 0.25);
    EXPECT_EQ(Parameters.rate, 0.03);

    // The axes write numbers as the grid does.
    form->SetValueAxisMinimum(-1.0);
    form->SetValueAxisMaximum(0.34);
    form->SetValueAxisMinimum(0.31);
    form->Chart1->replot();
    EXPECT_EQ(form->Chart1->yAxis->tickVectorLabels(), (QVector<QString>{"0.31", "0.32", "0.33", "0.34"}));
}

TEST_F(FormTest, ClampsTheFixingCountAndWritesItBack)
{
    const std::pair<const char*, const char*> cases[] = {
        {"0", "2"}, {"1", "2"}, {"-7", "2"}, {"5000", "1024"}, {"2", "2"}, {"1024", "1024"}, {" 300", " 300"}};
    for (const auto& [typed, shown] : cases) {
        Type(form->Edit1, typed);
        form->ReadInputs();
        EXPECT_EQ(form->Edit1->text(), shown) << typed;
        EXPECT_EQ(Parameters.fixingCount, std::clamp(QString(typed).trimmed().toInt(), 2, 1024)) << typed;
    }
}

TEST_F(FormTest, ReportsOnlyTheFirstFaultyFieldInReadingOrder)
{
    Click(form->RadioGroup4->Item(1));
    const std::pair<QLineEdit*, QString> faults[] = {
        {form->Edit7, FloatMessage.arg("y")},  {form->Edit3, FloatMessage.arg("s")},
        {form->Edit2, FloatMessage.arg("k")},  {form->Edit4, FloatMessage.arg("")},
        {form->Edit5, FloatMessage.arg("nan")}, {form->Edit6, FloatMessage.arg("inf")},
        {form->Edit1, IntegerMessage.arg("1.5")}, {form->Edit9, IntegerMessage.arg("x")}};
    const QString texts[] = {"y", "s", "k", "", "nan", "inf", "1.5", "x"};
    for (std::size_t i = 0; i < std::size(faults); ++i) Type(faults[i].first, texts[i]);
    for (const auto& [edit, message] : faults) {
        for (const auto& [way, press] : WaysToCompute(edit)) {
            errors.clear();
            press();
            EXPECT_EQ(errors, QStringList{message}) << way;
        }
        // ".5" is a valid real but no integer, so fixing Edit4 leaves Edit1 alone.
        Type(edit, edit == form->Edit1 || edit == form->Edit9 ? "1" : ".5");
    }
    EXPECT_EQ(form->Series1->PointCount(), 0);
}

TEST_F(FormTest, RefusesInputsTheEngineCannotPrice)
{
    const std::tuple<QLineEdit*, const char*, const char*> cases[] = {
        {form->Edit3, "0", "Asset value must be greater than 0."},
        {form->Edit2, "-5", "Exercise price must be greater than 0."},
        {form->Edit4, "0", "Expiration period (months) must be greater than 0."},
        {form->Edit6, "0", "Asset volatility [per year] must be greater than 0."},
        {form->Edit9, "0", "Iterations [x 1024] must be between 1 and 20971."},
        {form->Edit9, "20972", "Iterations [x 1024] must be between 1 and 20971."}};
    for (const auto& [edit, text, message] : cases) {
        const QString kept = edit->text();
        Type(edit, text);
        for (const auto& [way, press] : WaysToCompute(edit)) {
            errors.clear();
            press();
            EXPECT_EQ(errors, QStringList{message}) << way;
        }
        Type(edit, kept);
    }
    errors.clear();
    EXPECT_EQ(form->Series1->PointCount() + form->Series2->PointCount(), 0);
    EXPECT_EQ(form->StringGrid1->Cell(3, 1), "");
}

TEST_F(FormTest, ComputeFillsBothKindsAndCentresTheValueAxisOnQuasi)
{
    Type(form->Edit9, "1");
    Compute();
    for (int column = 1; column <= 3; ++column) EXPECT_FALSE(form->StringGrid1->Cell(column, 1).isEmpty()) << column;
    for (int column = 2; column <= 3; ++column) EXPECT_FALSE(form->StringGrid1->Cell(column, 2).isEmpty()) << column;
    EXPECT_EQ(form->StringGrid1->Cell(1, 1), "0.324783");
    for (const ConvergenceLine* line : {form->Series1, form->Series2}) {
        ASSERT_EQ(line->PointCount(), 1024);
        for (int i = 0; i < 1024; ++i) ASSERT_EQ(line->data()->at(i)->key, i + 1.0);
    }
    EXPECT_EQ(form->Series1->PointColour(1023), QColor(255, 0, 0));
    EXPECT_EQ(form->Series2->PointColour(0), QColor(0, 0, 255));
    EXPECT_EQ(form->ProgressBar3->value(), 0);
    const double quasi = form->StringGrid1->Cell(2, 1).toDouble();
    const double centre = (form->ValueAxis().Minimum() + form->ValueAxis().Maximum()) / 2;
    EXPECT_NEAR(centre, quasi, 1e-6);
    EXPECT_LT(form->ValueAxis().Minimum(), form->ValueAxis().Maximum());
    EXPECT_EQ(form->Chart1->xAxis->range().upper, 1024.0);

    const QString pseudo = form->StringGrid1->Cell(3, 1);
    const QString quasiText = form->StringGrid1->Cell(2, 1);
    Compute();
    EXPECT_NE(form->StringGrid1->Cell(3, 1), pseudo);
    EXPECT_NE(form->StringGrid1->Cell(2, 1), quasiText);
    EXPECT_EQ(form->StringGrid1->Cell(1, 1), "0.324783");
    EXPECT_EQ(form->Series1->PointCount(), 1024);
}

TEST_F(FormTest, EnterInAnyFieldOrOnComputeComputes)
{
    Type(form->Edit9, "1");
    Click(form->RadioGroup4->Item(1));
    for (QLineEdit* field : {form->Edit2, form->Edit3, form->Edit4, form->Edit5, form->Edit6, form->Edit7,
                             form->Edit1, form->Edit9}) {
        for (const auto& [way, press] : WaysToCompute(field)) {
            form->ClearSeries(GeneratorKind::Quasi);
            form->ClearSeries(GeneratorKind::Pseudo);
            press();
            EXPECT_EQ(form->Series1->PointCount(), 1024) << field->objectName().toStdString() << ", " << way;
            EXPECT_EQ(form->Series2->PointCount(), 1024) << field->objectName().toStdString() << ", " << way;
        }
    }
    EXPECT_TRUE(errors.isEmpty());
    // Other keys in a field only edit it.
    form->ClearSeries(GeneratorKind::Pseudo);
    QTest::keyClick(form->Edit9, Qt::Key_2);
    QTest::keyClick(form->Edit9, Qt::Key_Tab);
    EXPECT_EQ(form->Series2->PointCount(), 0);
}

TEST_F(FormTest, ZoomWorksOnTheValueAxisOnly)
{
    Click(form->Button2);
    Click(form->Button3);
    EXPECT_EQ(form->ValueAxis().Minimum(), 0.0);
    EXPECT_EQ(form->ValueAxis().Maximum(), 0.0);
    form->SetValueAxisMinimum(-1.0);
    form->SetValueAxisMaximum(1.1);
    form->SetValueAxisMinimum(0.9);
    const QCPRange bottom = form->Chart1->xAxis->range();
    Click(form->Button2);
    EXPECT_NEAR(form->ValueAxis().Minimum(), 0.95, 1e-12);
    EXPECT_NEAR(form->ValueAxis().Maximum(), 1.05, 1e-12);
    EXPECT_NEAR(form->Chart1->yAxis->range().lower, 0.95, 1e-12);
    Click(form->Button3);
    Click(form->Button3);
    EXPECT_NEAR(form->ValueAxis().Minimum(), 0.8, 1e-12);
    EXPECT_NEAR(form->ValueAxis().Maximum(), 1.2, 1e-12);
    EXPECT_EQ(form->Chart1->xAxis->range(), bottom);
    EXPECT_TRUE(errors.isEmpty());
}

// What makes the paths axis's labels, as the chart last drew them, hard to
// read, or nothing: fewer than two, two forms (plain numbers and powers of
// ten), or neighbours less than a digit's width apart in the axis's font.
std::string PathsAxisFault(const QCustomPlot& chart)
{
    const QCPAxis& axis = *chart.xAxis;
    const QVector<double> ticks = axis.tickVector();
    const QVector<QString> labels = axis.tickVectorLabels();
    const std::string shown = labels.join(QLatin1Char(' ')).toStdString();
    if (labels.size() < 2) return "fewer than two labels: " + shown;
    const auto isPower = [](const QString& label) { return label.contains(QLatin1Char('e')); };
    for (const QString& label : labels)
        if (isPower(label) != isPower(labels.first())) return "two forms: " + shown;
    const TickLabelMeasure measure(axis);
    const int digit = QFontMetrics(axis.tickLabelFont()).horizontalAdvance(QLatin1Char('0'));
    for (int i = 1; i < ticks.size(); ++i)
        if (measure.Extent(ticks[i], labels[i]).lower - measure.Extent(ticks[i - 1], labels[i - 1]).upper < digit)
            return "too close: " + shown;
    return {};
}

// The smallest rectangle that holds every pixel in which two images of one
// size differ; empty where they are the same.
QRect DifferingPixels(const QImage& a, const QImage& b)
{
    QRect differing;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) differing |= QRect(x, y, 1, 1);
    return differing;
}

std::string Described(const QRect& rect)
{
    return QStringLiteral("%1x%2 at (%3, %4)")
        .arg(rect.width())
        .arg(rect.height())
        .arg(rect.left())
        .arg(rect.top())
        .toStdString();
}

// The chart drawn with the chart's own ticker for the scale in place of the
// paths axis's is the same where the own ticker's labels can be read, and
// differs only in the paths axis's labels where they cannot. Both are drawn
// by the chart itself, as a saved image is, so that the buttons on it and
// the window system's buffers take no part.
void ExpectAsTheChartsOwnTickerWhereReadable(QCustomPlot& chart, bool logarithmic)
{
    const auto draw = [&chart] { return chart.toPixmap().toImage(); };
    const QImage ours = draw();
    const QSharedPointer<QCPAxisTicker> kept = chart.xAxis->ticker();
    chart.xAxis->setTicker(logarithmic ? QSharedPointer<QCPAxisTickerLog>::create()
                                       : QSharedPointer<QCPAxisTicker>::create());
    const QImage own = draw();
    const std::string ownFault = PathsAxisFault(chart);
    chart.xAxis->setTicker(kept);
    chart.replot();
    const QRect differing = DifferingPixels(ours, own);
    if (ownFault.empty()) {
        EXPECT_TRUE(differing.isEmpty()) << "differing in " << Described(differing);
    } else {
        // The paths axis's ticks reach into the plot; all above them is the
        // same.
        const QCPAxis& axis = *chart.xAxis;
        const int aboveTicks = axis.axisRect()->bottom() - std::max(axis.tickLengthIn(), axis.subTickLengthIn());
        EXPECT_FALSE(differing.isEmpty()) << ownFault;
        EXPECT_GE(differing.top(), aboveTicks) << ownFault << ", differing in " << Described(differing);
    }
}

TEST_F(FormTest, PathsAxisLabelsStandApartInOneFormAtEveryPathCount)
{
    Type(form->Edit1, "2");
    const QSize designed = form->size();
    const QSize sizes[] = {designed, form->minimumSize(), QSize(1920, 1080)};
    for (const char* iterations : {"1", "10", "100", "300", "700", "1500", "5000", "20971"}) {
        Type(form->Edit9, iterations);
        Compute();
        for (const bool logarithmic : {false, true}) {
            const std::string scale = std::string(iterations) + (logarithmic ? " logarithmic" : " linear");
            if (form->CheckBox1->isChecked() != logarithmic) Click(form->CheckBox1);
            for (const QSize& size : sizes) {
                form->resize(size);
                QApplication::processEvents();
                EXPECT_EQ(PathsAxisFault(*form->Chart1), "") << scale << " " << size.width() << "x" << size.height();
            }
            form->resize(designed);
            // Zoomed in until the value axis's labels are long, which leaves
            // the paths axis less room, and out again.
            for (QPushButton* zoom : {form->Button2, form->Button3}) {
                for (int i = 0; i < 8; ++i) Click(zoom);
                QApplication::processEvents();
                EXPECT_EQ(PathsAxisFault(*form->Chart1), "") << scale << " " << zoom->text().toStdString();
            }
            SCOPED_TRACE(scale);
            ExpectAsTheChartsOwnTickerWhereReadable(*form->Chart1, logarithmic);
        }
    }
    // Every decade as a power of ten, where the chart's own labels would
    // run together and write 1 to 100000 in full but the millions as powers.
    EXPECT_EQ(form->Chart1->xAxis->tickVectorLabels(),
              (QVector<QString>{"1e+00", "1e+01", "1e+02", "1e+03", "1e+04", "1e+05", "1e+06", "1e+07"}));
    // Where the chart's own labels can be read, they are kept.
    Click(form->CheckBox1);
    QApplication::processEvents();
    EXPECT_EQ(form->Chart1->xAxis->tickVectorLabels(), (QVector<QString>{"5e+06", "1e+07", "1.5e+07", "2e+07"}));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(FormTest, APathsAxisTooNarrowForItsLabelsKeepsTwo)
{
    // Every step from 1000 on leaves fewer than two ticks or labels that
    // touch: the widening ends at the last step with two, through 1000,
    // which is 10 times 100 when taken apart into mantissa and power.
    QCustomPlot chart;
    chart.setViewport(QRect(0, 0, 100, 100));
    chart.xAxis->setTicker(MakePathsAxisTicker(chart.xAxis, false));
    chart.xAxis->setRange(1.0, 2500.0);
    chart.replot();
    EXPECT_EQ(chart.xAxis->tickVectorLabels(), (QVector<QString>{"1000", "2000"}));
    EXPECT_NE(PathsAxisFault(chart), "");
}

TEST_F(FormTest, TheValueAxisKeepsALabelAfterARunOfManyPaths)
{
    // As a run of 2000 x 1024 paths leaves it: 0.324783 plus and minus 100
    // standard deviations of 0.000005, a span without a hundredth in it.
    form->SetValueAxisMinimum(-1.0);
    form->SetValueAxisMaximum(0.325283);
    form->SetValueAxisMinimum(0.324283);
    form->Chart1->replot();
    EXPECT_EQ(form->Chart1->yAxis->tickVectorLabels(), QVector<QString>{"0.32478"});
    // Zoomed out until hundredths lie inside, the ordinary labels are back.
    for (int i = 0; i < 4; ++i) Click(form->Button3);
    form->Chart1->replot();
    EXPECT_EQ(form->Chart1->yAxis->tickVectorLabels(), (QVector<QString>{"0.32", "0.33"}));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(FormTest, ThePointerShowsTheWaitFromTheStartOfARunToItsEnd)
{
    // The shape seen each time the run reports progress, from inside it.
    QList<Qt::CursorShape> during;
    QObject::connect(form->ProgressBar3, &QProgressBar::valueChanged, form, [&during] {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        during << (cursor != nullptr ? cursor->shape() : Qt::ArrowCursor);
    });
    const auto pressAndCheck = [&](const char* what) {
        during.clear();
        Click(form->Button1);
        EXPECT_FALSE(during.isEmpty()) << what;
        EXPECT_EQ(during.count(Qt::WaitCursor), during.size()) << what;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << what;
    };
    Type(form->Edit9, "1");
    pressAndCheck("a run to its end");
    EXPECT_TRUE(errors.isEmpty());
    // A put struck far above overflows once its payoffs are summed.
    Click(form->RadioGroup1->Item(1));
    Type(form->Edit2, "1e300");
    pressAndCheck("a run that a fault ends");
    EXPECT_EQ(errors, QStringList{"Floating point overflow."});
    // Refused before any run: the pointer never changes.
    errors.clear();
    Type(form->Edit2, "x");
    during.clear();
    Click(form->Button1);
    EXPECT_EQ(errors, QStringList{FloatMessage.arg("x")});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(FormTest, AFaultOfTheRunIsShownAndTheWindowCarriesOn)
{
    Type(form->Edit9, "1");
    Compute();
    Type(form->Edit5, "1e6");
    Click(form->Button1);
    ASSERT_EQ(errors.size(), 1);
    // The press wrote no estimate, and shows none of the press before.
    for (int column = 2; column <= 3; ++column)
        for (int row = 1; row <= 2; ++row) EXPECT_EQ(form->StringGrid1->Cell(column, row), "") << column << row;
    const QStringList faults = {"Invalid floating point operation.", "Floating point division by zero.",
                                "Floating point overflow."};
    EXPECT_TRUE(faults.contains(errors[0])) << errors[0].toStdString();
    errors.clear();
    Type(form->Edit5, "0.03");
    Compute();
    EXPECT_EQ(form->Series2->PointCount(), 1024);
    EXPECT_EQ(form->StringGrid1->Cell(1, 1), "0.324783");
}

TEST_F(FormTest, TheChartsMenuHoldsItsItemsInOrderWithShortcutsOnTheWholePage)
{
    const QList<QAction*> items = form->PopupMenu1->actions();
    ASSERT_EQ(items.size(), 3);
    const std::pair<const char*, QKeySequence> expected[] = {
        {"Save chart image\u2026", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"Save convergence data\u2026", QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
        {"Copy results", QKeySequence(QStringLiteral("Ctrl+Shift+C"))}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items[i]->text(), QString::fromUtf8(expected[i].first)) << i;
        EXPECT_EQ(items[i]->shortcut(), expected[i].second) << i;
        EXPECT_FALSE(items[i]->objectName().isEmpty()) << i;
    }
    // Nothing to save before a press; the chart takes no focus.
    EXPECT_FALSE(form->SaveChartImage1->isEnabled());
    EXPECT_FALSE(form->SaveConvergenceData1->isEnabled());
    EXPECT_TRUE(form->CopyResults1->isEnabled());
    EXPECT_EQ(form->Chart1->focusPolicy(), Qt::NoFocus);
    QTest::keyClick(form->Edit2, Qt::Key_S, SaveDataKeys);

    // A right click on the chart opens the menu.
    const QPoint onChart = form->Chart1->mapTo(form, QPoint(100, 100));
    QTest::mouseClick(form->windowHandle(), Qt::RightButton, {}, onChart);
    EXPECT_TRUE(form->PopupMenu1->isVisible());
    form->PopupMenu1->hide();

    // The copy holds the grid as shown and the inputs of the last completed
    // press, whatever was typed since.
    Type(form->Edit9, "1");
    Compute();
    EXPECT_TRUE(form->SaveChartImage1->isEnabled());
    EXPECT_TRUE(form->SaveConvergenceData1->isEnabled());
    Type(form->Edit2, "6");
    QTest::keyClick(form->Edit9, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const auto cell = [this](int column, int row) { return form->StringGrid1->Cell(column, row); };
    const QString table = QStringLiteral(
                              "RESULTS\tAnalytic\tQuasi random\tPseudo random\n"
                              "Option value\t0.324783\t%1\t%2\n"
                              "Std Dev\t    N/A\t%3\t%4\n"
                              "Exercise price\t5\nAsset value\t5\nExpiration period (months)\t6\n"
                              "Risk-free return (bank rate)\t0.03\nAsset volatility [per year]\t0.4\n"
                              "Asset dividend\tnone\nPath segments\t126\nIterations [x 1024]\t1\n"
                              "Option class\tcall\nType of average\tGeometric\n")
                              .arg(cell(2, 1), cell(3, 1), cell(2, 2), cell(3, 2));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), table);
    // A press refused before its run leaves the inputs of the last one.
    Type(form->Edit2, "x");
    Click(form->Button1);
    QTest::keyClick(form->Edit2, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), table);
    EXPECT_EQ(errors, QStringList{FloatMessage.arg("x")});
}

TEST_F(FormTest, SavesThePointsAsCsvAndTheChartAsPngAndPdf)
{
    QTemporaryDir dir;
    Compute();
    // No extension: the default one is added.
    AnswerSaveDialogsWith(dir.filePath("points"));
    QTest::keyClick(form->Edit2, Qt::Key_S, SaveDataKeys);
    const QByteArrayList csv = CsvLines(dir.filePath("points.csv"));
    ASSERT_EQ(csv.size(), 8193);
    EXPECT_EQ(csv[0], "paths,quasi_random,pseudo_random");
    EXPECT_EQ(FirstRowUnlike(csv, 1, *form->Series1), -1);
    EXPECT_EQ(FirstRowUnlike(csv, 2, *form->Series2), -1);
    EXPECT_EQ(QString::asprintf("%f", csv.back().split(',')[1].toDouble()), form->StringGrid1->Cell(2, 1));

    // The picture at twice the chart's size, without the controls on it.
    AnswerSaveDialogsWith(dir.filePath("chart"));
    QTest::keyClick(form->Edit2, Qt::Key_S, SaveImageKeys);
    EXPECT_EQ(QImageReader::imageFormat(dir.filePath("chart.png")), "png");
    const QImage png(dir.filePath("chart.png"));
    EXPECT_EQ(png.size(), form->Chart1->size() * 2);
    const QRect zoomIn(form->Button2->geometry().topLeft() * 2, form->Button2->size() * 2);
    bool blank = true;
    for (int y = zoomIn.top(); y <= zoomIn.bottom(); ++y)
        for (int x = zoomIn.left(); x <= zoomIn.right(); ++x) blank = blank && png.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_TRUE(blank);
    bool red = false;
    bool blue = false;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) {
            red = red || png.pixel(x, y) == qRgb(255, 0, 0);
            blue = blue || png.pixel(x, y) == qRgb(0, 0, 255);
        }
    EXPECT_TRUE(red && blue);

    // A vector page the chart's size on screen: 528 x 273 pixels at 96 an
    // inch, in whole points.
    AnswerSaveDialogsWith(dir.filePath("chart.pdf"));
    QTest::keyClick(form->Edit2, Qt::Key_S, SaveImageKeys);
    QFile pdf(dir.filePath("chart.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray document = pdf.readAll();
    EXPECT_TRUE(document.startsWith("%PDF-"));
    const QRegularExpressionMatch page =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(QString::fromLatin1(document));
    ASSERT_TRUE(page.hasMatch());
    EXPECT_NEAR(page.captured(1).toDouble(), 528 * 0.75, 0.5);
    EXPECT_NEAR(page.captured(2).toDouble(), 273 * 0.75, 0.5);
    EXPECT_FALSE(document.contains("/Subtype /Image"));

    // The points keep any extension; a picture takes its format from its
    // own, and a name with another gets the PNG one.
    AnswerSaveDialogsWith(dir.filePath("points.txt"));
    QTest::keyClick(form->Edit2, Qt::Key_S, SaveDataKeys);
    AnswerSaveDialogsWith(dir.filePath("chart.jpg"));
    QTest::keyClick(form->Edit2, Qt::Key_S, SaveImageKeys);
    EXPECT_EQ(QImageReader::imageFormat(dir.filePath("chart.jpg.png")), "png");

    EXPECT_EQ(DirectoryEntries(dir.path()),
              (QStringList{"chart.jpg.png", "chart.pdf", "chart.png", "points.csv", "points.txt"}));
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

TEST_F(FormTest, ASaveThatFailsOrIsCancelledLeavesNoFileAndTheOldOneAsItWas)
{
    QTemporaryDir dir;
    Type(form->Edit9, "1");
    Compute();
    const auto failsWith = [&](const QString& name, Qt::KeyboardModifiers keys, const QString& reason) {
        errors.clear();
        const QStringList before = DirectoryEntries(dir.path());
        AnswerSaveDialogsWith(name);
        QTest::keyClick(form->Edit2, Qt::Key_S, keys);
        EXPECT_EQ(errors, QStringList{QStringLiteral("Cannot save '%1': %2.").arg(name, reason)}) << name.toStdString();
        EXPECT_EQ(DirectoryEntries(dir.path()), before);
    };
    for (const auto& [keys, file] : {std::pair{SaveDataKeys, "points.csv"}, std::pair{SaveImageKeys, "chart.pdf"}}) {
        failsWith(dir.filePath(QStringLiteral("missing/") + file), keys, "No such file or directory");
        const LockedDirectory locked(dir.filePath("locked"));
        ASSERT_FALSE(locked.Refusal().isEmpty());
        failsWith(dir.filePath(QStringLiteral("locked/") + file), keys, locked.Refusal());
        EXPECT_TRUE(DirectoryEntries(dir.filePath("locked")).isEmpty());
    }

    // Cancelled while it writes, over a file it would replace.
    const QString existing = dir.filePath("points.csv");
    QFile old(existing);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("kept as it was\n");
    old.close();
    const QStringList before = DirectoryEntries(dir.path());
    errors.clear();
    AnswerSaveDialogsWith(existing, [this] {
        QTimer::singleShot(0, form, [this] { form->findChild<QProgressDialog*>("SaveProgress1")->cancel(); });
    });
    QTest::keyClick(form->Edit2, Qt::Key_S, SaveDataKeys);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "kept as it was\n");
    EXPECT_EQ(DirectoryEntries(dir.path()), before);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    EXPECT_FALSE(form->RunInProgress());
}

TEST_F(FormTest, ASaveOntoAFullDiskFailsWithTheDisksReasonAndLeavesNothing)
{
    QTemporaryDir dir;
    const QString disk = dir.filePath("disk");
    QDir().mkpath(disk);
    // A disk of 64 KiB; mounting it takes root.
    const QByteArray mountPoint = QFile::encodeName(disk);
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no small disk to fill: " << std::strerror(errno);
    const std::unique_ptr<const char, int (*)(const char*)> mounted(mountPoint.constData(), ::umount);
    Type(form->Edit9, "1");
    Compute();
    const QString existing = disk + "/points.csv";
    const auto fill = [](const QString& name, int64_t bytes) {
        QFile filler(name);
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        for (int64_t left = bytes; left > 0 && filler.write(QByteArray(1024, '0')) > 0; left -= 1024) {}
    };
    fill(existing, 1);
    fill(disk + "/last8k", 8 * 1024);
    fill(disk + "/filler", INT64_MAX);
    const auto failsOnTheFullDisk = [&](const QString& name, Qt::KeyboardModifiers keys) {
        const QStringList before = DirectoryEntries(disk);
        errors.clear();
        AnswerSaveDialogsWith(name);
        QTest::keyClick(form->Edit2, Qt::Key_S, keys);
        EXPECT_EQ(errors, QStringList{QStringLiteral("Cannot save '%1': No space left on device.").arg(name)});
        EXPECT_EQ(DirectoryEntries(disk), before);
        QFile old(existing);
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), QByteArray(1024, '0'));
    };
    // A few points make a file smaller than the write buffer of the
    // toolkit's files, whose last flush, on closing a saved file, goes
    // unchecked.
    for (ConvergenceLine* line : {form->Series1, form->Series2}) {
        line->Clear();
        for (int path = 1; path <= 100; ++path) line->Append(path, 0.3, qRgb(255, 0, 0));
    }
    failsOnTheFullDisk(existing, SaveDataKeys);
    // With 8 KiB free, the picture (some 20 KB) is taken in part before the
    // disk refuses the rest.
    QFile::remove(disk + "/last8k");
    failsOnTheFullDisk(disk + "/chart.pdf", SaveImageKeys);
}

}  // namespace
