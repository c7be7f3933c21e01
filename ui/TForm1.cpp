// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/TForm1.h"

#include <array>
#include <cstddef>
#include <mutex>
#include <span>

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QWindow>
#include <qcustomplot.h>

#include "pricing/PricingParameters.h"
#include "random/PseudoRandom.h"
#include "ui/ControlFactory.h"
#include "ui/DescriptionText.h"
#include "ui/EdgeAnchors.h"
#include "ui/ErrorDisplay.h"
#include "ui/InputDuringRun.h"
#include "ui/RadioGroup.h"
#include "ui/StringGrid.h"
#include "ui/WindowPlacement.h"

TForm1* Form1 = nullptr;

namespace {

const QString WindowCaption = QStringLiteral(KVANTELO_WINDOW_CAPTION);
constexpr QPoint WindowPlace(313, 408);
constexpr QSize ClientSize(797, 416);
constexpr int WindowFontPixels = 11;
constexpr int ProgressBarHeight = 16;
constexpr int GridColumns = 6;
constexpr int GridRows = 5;
constexpr int GridCellWidth = 80;
constexpr int GridCellHeight = 18;

// The window's font is not found on every desktop; these have nearly its
// metrics (the narrower of the common sans faces first) so that every caption
// fits its box.
QFont WindowFont()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                                QStringLiteral("Arimo"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans Condensed")});
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(WindowFontPixels);
    return font;
}

// One input of the window: a raised panel in its group box holding a caption
// and the edit field beside it, named Panel<n>, Label<n> and Edit<n>. The
// help, what the field means, its unit and its range, is the field's tooltip
// and its description for screen readers.
struct FieldBlock {
    QFrame* TForm1::*panel;
    QLabel* TForm1::*label;
    QLineEdit* TForm1::*edit;
    int number;
    QRect panelPlace;
    QPoint labelPlace;
    QRect editPlace;
    const char* caption;
    const char* text;
    QString help;
};

// In the order they are built: the boxes of "Financial parameters" from the
// top, the yield last (it lies over the dividend choice, built before it),
// then those of "Simulation parameters".
const std::array<FieldBlock, 8> FieldBlocks = {{
    {&TForm1::Panel2, &TForm1::Label2, &TForm1::Edit2, 2, {87, 21, 146, 25}, {8, 6}, {90, 3, 40, 18},
     "Exercise price", "5",
     QStringLiteral("The strike: paid (call) or received (put) for the average price.\n"
                    "A price greater than 0.")},
    {&TForm1::Panel3, &TForm1::Label3, &TForm1::Edit3, 3, {87, 54, 146, 25}, {16, 6}, {90, 3, 40, 18},
     "Asset value", "5", QStringLiteral("Today's price of the asset, greater than 0.")},
    {&TForm1::Panel4, &TForm1::Label4, &TForm1::Edit4, 4, {24, 86, 209, 25}, {16, 6}, {154, 3, 40, 18},
     "Expiration period (months)", "6",
     QStringLiteral("Time to expiry in months, greater than 0; fractions are allowed.\n"
                    "Changing it proposes 21 path segments per month.")},
    {&TForm1::Panel5, &TForm1::Label5, &TForm1::Edit5, 5, {24, 118, 209, 25}, {16, 6}, {154, 3, 40, 18},
     "Risk-free return (bank rate)", "0.03",
     QStringLiteral("The continuously compounded interest rate per year, as a\n"
                    "fraction: 0.03 is 3 %. It may be 0 or negative.")},
    {&TForm1::Panel6, &TForm1::Label6, &TForm1::Edit6, 6, {48, 149, 185, 25}, {8, 6}, {130, 3, 40, 18},
     "Asset volatility [per year]", "0.4",
     QStringLiteral("The yearly volatility of the asset, as a fraction\n"
                    "greater than 0: 0.4 is 40 %.")},
    {&TForm1::Panel7, &TForm1::Label7, &TForm1::Edit7, 7, {144, 202, 88, 25}, {8, 6}, {40, 3, 40, 18},
     "yield", "0.03",
     QStringLiteral("The continuous dividend yield per year, as a fraction:\n"
                    "0.03 is 3 %. It may be 0 or negative.")},
    {&TForm1::Panel1, &TForm1::Label1, &TForm1::Edit1, 1, {32, 20, 153, 25}, {10, 6}, {88, 3, 56, 18},
     "Path segments", "126",
     QStringLiteral("How many equally spaced fixing dates are averaged, the last\n"
                    "on the expiry date: %1 to %2, others are clamped.")
         .arg(MinFixingCount)
         .arg(MaxFixingCount)},
    {&TForm1::Panel9, &TForm1::Label9, &TForm1::Edit9, 9, {8, 48, 177, 25}, {10, 6}, {112, 3, 56, 18},
     "Iterations [x 1024]", "8",
     QStringLiteral("How many paths each generator simulates, in units of 1024:\n"
                    "8 means 8192; a whole number from 1 to %1.")
         .arg(MaxIterationCount)},
}};
const std::span<const FieldBlock> FinancialFields = std::span(FieldBlocks).first(5);
const FieldBlock& YieldField = FieldBlocks[5];
const std::span<const FieldBlock> SimulationFields = std::span(FieldBlocks).last(2);

const QString ComputeHelp = QStringLiteral("Runs the pseudo-random simulation, then the quasi-random one.\n"
                                           "Return or Enter in any field does the same; Escape stops a run.");

// Where the eye rests on a control, and where a screen reader looks.
void SetHelp(QWidget* control, const QString& help)
{
    control->setToolTip(help);
    control->setAccessibleDescription(help);
}

void BuildField(TForm1& form, const FieldBlock& field, QWidget* box)
{
    const QString number = QString::number(field.number);
    QFrame* panel = form.*field.panel = MakePanel(QStringLiteral("Panel") + number, box, field.panelPlace);
    QLabel* label = form.*field.label =
        MakeLabel(QStringLiteral("Label") + number, panel, field.labelPlace, QString::fromUtf8(field.caption));
    QLineEdit* edit = form.*field.edit =
        MakeEdit(QStringLiteral("Edit") + number, panel, field.editPlace, QString::fromUtf8(field.text));
    NameAfterCaption(label, edit);
    SetHelp(edit, field.help);
}

// The pseudo-random state and the Sobol start index are seeded once for the
// life of the process, however often a window is built.
void SeedGeneratorsOnce()
{
    static std::once_flag seeded;
    std::call_once(seeded, [] { SeedGenerators(); });
}

}  // namespace

TForm1::TForm1()
{
    Q_INIT_RESOURCE(kvantelo);
    Q_ASSERT(Form1 == nullptr);
    Form1 = this;
    BuildControls();
    SeedGeneratorsOnce();
    Label16->setText(DescriptionText);
    WriteGridHeadings();
    StringGrid1->SetRow(3);
    StringGrid1->SetTopRow(1);
    inputDuringRun = new InputDuringRun(this);
    ConnectHandlers();
}

TForm1::~TForm1() { Form1 = nullptr; }

void TForm1::BuildControls()
{
    BuildWindow();
    BuildPages();
    BuildFinancialBox();
    BuildSimulationBox();
    BuildChoices();
    BuildResults();
    BuildAboutPage();
    AnchorToEdges();
    SetTabOrder();
}

void TForm1::BuildWindow()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(WindowCaption);
    // The font is set twice: as the widget font, which the chart copies when
    // it is built, and in the style sheet, which would otherwise replace it.
    setFont(WindowFont());
    // Captions of group boxes sit in their top border line, so the boxes'
    // contents can start near the top as the layout places them.
    setStyleSheet(QStringLiteral("QWidget { font-family: \"MS Sans Serif\"; font-size: %1px; }"
                                 "QGroupBox { border: 1px solid #a0a0a0; border-radius: 2px; margin-top: 6px; }"
                                 "QGroupBox::title { subcontrol-origin: margin; left: 7px; padding: 0px 2px; }"
                                 // The description's lines are 13 pixels apart, as the page's layout
                                 // (heading below the picture, last line in view) needs.
                                 "#Label16 { font-family: \"DejaVu Sans\"; }")
                      .arg(WindowFontPixels));
    move(WindowPlace);
    resize(ClientSize);
}

void TForm1::BuildPages()
{
    PageControl1 = MakeNamed<QTabWidget>(QStringLiteral("PageControl1"), this);
    PageControl1->setGeometry(QRect(QPoint(0, 0), ClientSize));
    TabSheet1 = MakeNamed<QWidget>(QStringLiteral("TabSheet1"), nullptr);
    TabSheet4 = MakeNamed<QWidget>(QStringLiteral("TabSheet4"), nullptr);
    PageControl1->addTab(TabSheet1, QStringLiteral("Velmora Option Valuation"));
    PageControl1->addTab(TabSheet4, QStringLiteral("About"));
    PageControl1->setCurrentWidget(TabSheet1);
}

void TForm1::BuildFinancialBox()
{
    GroupBox2 = MakeGroupBox(QStringLiteral("GroupBox2"), TabSheet1, {2, 8, 247, 241},
                             QStringLiteral("Financial parameters"));
    for (const FieldBlock& field : FinancialFields) BuildField(*this, field, GroupBox2);
    RadioGroup4 = MakeRadioGroup(QStringLiteral("RadioGroup4"), GroupBox2, {26, 178, 207, 50},
                                 QStringLiteral("Asset dividend"),
                                 {QStringLiteral("none"), QStringLiteral("continuous")});
    BuildField(*this, YieldField, GroupBox2);
    Panel7->hide();
}

void TForm1::BuildSimulationBox()
{
    GroupBox1 = MakeGroupBox(QStringLiteral("GroupBox1"), TabSheet1, {258, 8, 191, 81},
                             QStringLiteral("Simulation parameters"));
    for (const FieldBlock& field : SimulationFields) BuildField(*this, field, GroupBox1);
}

void TForm1::BuildChoices()
{
    RadioGroup1 = MakeRadioGroup(QStringLiteral("RadioGroup1"), TabSheet1, {2, 256, 103, 53},
                                 QStringLiteral("Option class"), {QStringLiteral("call"), QStringLiteral("put")});
    RadioGroup3 = MakeRadioGroup(QStringLiteral("RadioGroup3"), TabSheet1, {144, 256, 105, 53},
                                 QStringLiteral("Type of average"),
                                 {QStringLiteral("Geometric"), QStringLiteral("Arithmetic")});
    CheckBox2 = MakeCheckBox(QStringLiteral("CheckBox2"), TabSheet1, {16, 312, 225, 17},
                             QStringLiteral("use geometric average as control variate"));
    CheckBox2->hide();
    Button1 = MakeButton(QStringLiteral("Button1"), TabSheet1, {71, 336, 98, 25}, QStringLiteral("Compute"));
    SetHelp(Button1, ComputeHelp);
}

void TForm1::BuildResults()
{
    StringGrid1 = MakeNamed<StringGrid>(QStringLiteral("StringGrid1"), TabSheet1, GridColumns, GridRows,
                                        GridCellWidth, GridCellHeight);
    StringGrid1->setGeometry(454, 22, 329, 60);
    StringGrid1->setEnabled(false);

    BuildChart();

    ProgressBar3 = MakeNamed<QProgressBar>(QStringLiteral("ProgressBar3"), TabSheet1);
    ProgressBar3->setRange(0, 100);
    ProgressBar3->setValue(0);
    ProgressBar3->setTextVisible(false);
    ProgressBar3->setFocusPolicy(Qt::NoFocus);
    ProgressBar3->setAccessibleName(QStringLiteral("Progress"));
}

void TForm1::BuildAboutPage()
{
    Label16 = MakeNamed<QLabel>(QStringLiteral("Label16"), TabSheet4);
    Label16->setTextFormat(Qt::PlainText);
    Label16->setWordWrap(true);
    Label16->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1 = MakeNamed<QLabel>(QStringLiteral("Image1"), TabSheet4);
    Image1->setGeometry(318, 19, 411, 70);
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/about.png")));
    Image1->setAccessibleName(QStringLiteral("256 points of the Sobol sequence (Quasi) beside 256 points of the "
                                             "congruential generator (Pseudo)"));
}

void TForm1::AnchorToEdges()
{
    valuationAnchors = new EdgeAnchors(TabSheet1);
    valuationAnchors->KeepRight(StringGrid1);
    valuationAnchors->KeepRight(Chart1);
    valuationAnchors->DockBottom(ProgressBar3, ProgressBarHeight);
    chartAnchors = new EdgeAnchors(Chart1);
    chartAnchors->KeepRightBottom(Button2);
    chartAnchors->KeepRightBottom(Button3);
    chartAnchors->KeepRightBottom(CheckBox1);
    aboutAnchors = new EdgeAnchors(TabSheet4);
    aboutAnchors->Fill(Label16);
    aboutAnchors->KeepRight(Image1);
    // The picture is drawn over the text that fills the page.
    Image1->raise();
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (anchorsMeasured) return;
    // By now the tab control has laid out the page in front; both pages share
    // its size, and the chart has its own fixed one.
    anchorsMeasured = true;
    valuationAnchors->Measure(TabSheet1->size());
    aboutAnchors->Measure(TabSheet1->size());
    chartAnchors->Measure(Chart1->size());
    // Placed now with what is known of the frame; placed again from where it
    // then is whenever the window manager frames it anew (see KeepFrameInside).
    FitIntoScreen(WindowPlace);
    windowHandle()->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // Exposed, the window has the frame the window manager gave it.
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed())
        KeepFrameInside();
    return QWidget::eventFilter(watched, event);
}

void TForm1::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    KeepFrameInside();
}

// The frame is asked of the native window each time: the widget's own copy
// of it is not renewed when the window manager frames the window after it
// was shown.
void TForm1::KeepFrameInside()
{
    if (!anchorsMeasured || windowHandle()->frameMargins() == fittedFrame) return;
    FitIntoScreen(windowHandle()->framePosition());
}

void TForm1::FitIntoScreen(QPoint wanted)
{
    QScreen* target = QGuiApplication::screenAt(wanted);
    if (target == nullptr) target = screen();
    const QRect available = target->availableGeometry();
    fittedFrame = windowHandle()->frameMargins();
    const QSize frameExtra(fittedFrame.left() + fittedFrame.right(), fittedFrame.top() + fittedFrame.bottom());
    setMinimumSize(MinimumClientSize(available, ClientSize, frameExtra));
    move(PlaceInside(available, wanted, size() + frameExtra));
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PageControl1->setGeometry(rect());
}

void TForm1::SetTabOrder()
{
    QWidget* const order[] = {
        Edit2, Edit3, Edit4, Edit5, Edit6, RadioGroup4->Item(0), RadioGroup4->Item(1), Edit7,  // GroupBox2
        Button1,
        RadioGroup1->Item(0), RadioGroup1->Item(1),
        Edit1, Edit9,                 // GroupBox1
        CheckBox1, Button2, Button3,  // on Chart1
        RadioGroup3->Item(0), RadioGroup3->Item(1),
        CheckBox2,
    };
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

void TForm1::WriteGridHeadings()
{
    StringGrid1->SetCell(0, 0, QStringLiteral("RESULTS"));
    StringGrid1->SetCell(1, 0, QStringLiteral("Analytic"));
    StringGrid1->SetCell(2, 0, QStringLiteral("Quasi random"));
    StringGrid1->SetCell(3, 0, QStringLiteral("Pseudo random"));
    StringGrid1->SetCell(0, 1, QStringLiteral("Option value"));
    StringGrid1->SetCell(0, 2, QStringLiteral("Std Dev"));
    StringGrid1->SetCell(1, 2, QStringLiteral("    N/A"));
}

void TForm1::ConnectHandlers()
{
    // No handler runs inside a run: one asked for then runs after it.
    const auto bind = [this](auto* sender, auto signal, void (TForm1::*handler)()) {
        connect(sender, signal, this, [this, handler] {
            inputDuringRun->RunHandler([this, handler] { ShowingErrors([this, handler] { (this->*handler)(); }); });
        });
    };
    bind(Edit4, &QLineEdit::textChanged, &TForm1::Edit4Change);
    bind(RadioGroup4->Buttons(), &QButtonGroup::idClicked, &TForm1::RadioGroup4Click);
    bind(Button1, &QPushButton::clicked, &TForm1::Button1Click);
    // Return or Enter computes from any field, and on Compute itself, which
    // outside a dialog clicks on them only when told to.
    for (const FieldBlock& field : FieldBlocks) bind(this->*field.edit, &QLineEdit::returnPressed, &TForm1::Button1Click);
    Button1->setAutoDefault(true);
    bind(RadioGroup3->Buttons(), &QButtonGroup::idClicked, &TForm1::RadioGroup3Click);
    bind(CheckBox1, &QCheckBox::clicked, &TForm1::CheckBox1Click);
    bind(Button2, &QPushButton::clicked, &TForm1::Button2Click);
    bind(Button3, &QPushButton::clicked, &TForm1::Button3Click);
    bind(SaveChartImage1, &QAction::triggered, &TForm1::SaveChartImage1Click);
    bind(SaveConvergenceData1, &QAction::triggered, &TForm1::SaveConvergenceData1Click);
    bind(CopyResults1, &QAction::triggered, &TForm1::CopyResults1Click);
}
