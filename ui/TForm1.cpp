#include "ui/TForm1.h"

#include <mutex>
#include <utility>

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

#include "random/PseudoRandom.h"
#include "ui/ConvergenceChart.h"
#include "ui/ConvergenceLine.h"
#include "ui/DescriptionText.h"
#include "ui/ErrorDisplay.h"
#include "ui/EdgeAnchors.h"
#include "ui/RadioGroup.h"
#include "ui/StringGrid.h"
#include "ui/ValueAxisTicker.h"
#include "ui/WindowPlacement.h"

TForm1* Form1 = nullptr;

namespace {

const QString WindowCaption = QStringLiteral(KVANTELO_WINDOW_CAPTION);
constexpr QPoint WindowPlace(313, 408);
constexpr QSize ClientSize(797, 416);
constexpr int WindowFontPixels = 11;
constexpr int ChartFontPixels = 12;
constexpr int ProgressBarHeight = 16;
constexpr int GridColumns = 6;
constexpr int GridRows = 5;
constexpr int GridCellWidth = 80;
constexpr int GridCellHeight = 18;
constexpr int LegendColumnWidth = 92;
constexpr double LegendTopShare = 0.12;
constexpr QSize LegendIconSize(18, 10);

const QColor QuasiColour(255, 0, 0);
const QColor PseudoLegendColour(128, 0, 255);
const QColor ValueGridColour(192, 192, 192);

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

QFont ChartFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(ChartFontPixels);
    return font;
}

template <class Widget, class... Args>
Widget* Make(const char* name, QWidget* parent, Args&&... args)
{
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QFrame* MakePanel(const char* name, QWidget* parent, QRect place)
{
    auto* panel = Make<QFrame>(name, parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(place);
    return panel;
}

QLabel* MakeLabel(const char* name, QWidget* parent, QPoint place, const QString& caption)
{
    auto* label = Make<QLabel>(name, parent, caption);
    label->move(place);
    label->adjustSize();
    return label;
}

QLineEdit* MakeEdit(const char* name, QWidget* parent, QRect place, const QString& text)
{
    auto* edit = Make<QLineEdit>(name, parent, text);
    edit->setGeometry(place);
    edit->setTextMargins(0, 0, 0, 0);
    return edit;
}

QPushButton* MakeButton(const char* name, QWidget* parent, QRect place, const QString& caption)
{
    auto* button = Make<QPushButton>(name, parent, caption);
    button->setGeometry(place);
    return button;
}

QCheckBox* MakeCheckBox(const char* name, QWidget* parent, QRect place, const QString& caption)
{
    auto* box = Make<QCheckBox>(name, parent, caption);
    box->setGeometry(place);
    return box;
}

RadioGroup* MakeRadioGroup(const char* name, QWidget* parent, QRect place, const QString& caption,
                           const QStringList& items)
{
    auto* group = Make<RadioGroup>(name, parent, caption, items);
    group->setGeometry(place);
    group->SetItemIndex(0);
    return group;
}

QGroupBox* MakeGroupBox(const char* name, QWidget* parent, QRect place, const QString& caption)
{
    auto* box = Make<QGroupBox>(name, parent, caption);
    box->setGeometry(place);
    return box;
}

// Screen readers and UI automation find an input by the caption beside it;
// the buddy also gives the field the label's keyboard focus.
void NameAfterCaption(QLabel* caption, QWidget* input)
{
    caption->setBuddy(input);
    input->setAccessibleName(caption->text());
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
    ConnectHandlers();
}

TForm1::~TForm1() { Form1 = nullptr; }

void TForm1::BuildControls()
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

    PageControl1 = Make<QTabWidget>("PageControl1", this);
    PageControl1->setGeometry(QRect(QPoint(0, 0), ClientSize));
    TabSheet1 = Make<QWidget>("TabSheet1", nullptr);
    TabSheet4 = Make<QWidget>("TabSheet4", nullptr);
    PageControl1->addTab(TabSheet1, QStringLiteral("Velmora Option Valuation"));
    PageControl1->addTab(TabSheet4, QStringLiteral("About"));
    PageControl1->setCurrentWidget(TabSheet1);

    GroupBox2 = MakeGroupBox("GroupBox2", TabSheet1, {2, 8, 247, 241}, QStringLiteral("Financial parameters"));
    Panel2 = MakePanel("Panel2", GroupBox2, {87, 21, 146, 25});
    Label2 = MakeLabel("Label2", Panel2, {8, 6}, QStringLiteral("Exercise price"));
    Edit2 = MakeEdit("Edit2", Panel2, {90, 3, 40, 18}, QStringLiteral("5"));
    Panel3 = MakePanel("Panel3", GroupBox2, {87, 54, 146, 25});
    Label3 = MakeLabel("Label3", Panel3, {16, 6}, QStringLiteral("Asset value"));
    Edit3 = MakeEdit("Edit3", Panel3, {90, 3, 40, 18}, QStringLiteral("5"));
    Panel4 = MakePanel("Panel4", GroupBox2, {24, 86, 209, 25});
    Label4 = MakeLabel("Label4", Panel4, {16, 6}, QStringLiteral("Expiration period (months)"));
    Edit4 = MakeEdit("Edit4", Panel4, {154, 3, 40, 18}, QStringLiteral("6"));
    Panel5 = MakePanel("Panel5", GroupBox2, {24, 118, 209, 25});
    Label5 = MakeLabel("Label5", Panel5, {16, 6}, QStringLiteral("Risk-free return (bank rate)"));
    Edit5 = MakeEdit("Edit5", Panel5, {154, 3, 40, 18}, QStringLiteral("0.03"));
    Panel6 = MakePanel("Panel6", GroupBox2, {48, 149, 185, 25});
    Label6 = MakeLabel("Label6", Panel6, {8, 6}, QStringLiteral("Asset volatility [per year]"));
    Edit6 = MakeEdit("Edit6", Panel6, {130, 3, 40, 18}, QStringLiteral("0.4"));
    RadioGroup4 = MakeRadioGroup("RadioGroup4", GroupBox2, {26, 178, 207, 50}, QStringLiteral("Asset dividend"),
                                 {QStringLiteral("none"), QStringLiteral("continuous")});
    Panel7 = MakePanel("Panel7", GroupBox2, {144, 202, 88, 25});
    Label7 = MakeLabel("Label7", Panel7, {8, 6}, QStringLiteral("yield"));
    Edit7 = MakeEdit("Edit7", Panel7, {40, 3, 40, 18}, QStringLiteral("0.03"));
    Panel7->hide();

    GroupBox1 = MakeGroupBox("GroupBox1", TabSheet1, {258, 8, 191, 81}, QStringLiteral("Simulation parameters"));
    Panel1 = MakePanel("Panel1", GroupBox1, {32, 20, 153, 25});
    Label1 = MakeLabel("Label1", Panel1, {10, 6}, QStringLiteral("Path segments"));
    Edit1 = MakeEdit("Edit1", Panel1, {88, 3, 56, 18}, QStringLiteral("126"));
    Panel9 = MakePanel("Panel9", GroupBox1, {8, 48, 177, 25});
    Label9 = MakeLabel("Label9", Panel9, {10, 6}, QStringLiteral("Iterations [x 1024]"));
    Edit9 = MakeEdit("Edit9", Panel9, {112, 3, 56, 18}, QStringLiteral("8"));

    RadioGroup1 = MakeRadioGroup("RadioGroup1", TabSheet1, {2, 256, 103, 53}, QStringLiteral("Option class"),
                                 {QStringLiteral("call"), QStringLiteral("put")});
    RadioGroup3 = MakeRadioGroup("RadioGroup3", TabSheet1, {144, 256, 105, 53}, QStringLiteral("Type of average"),
                                 {QStringLiteral("Geometric"), QStringLiteral("Arithmetic")});
    CheckBox2 = MakeCheckBox("CheckBox2", TabSheet1, {16, 312, 225, 17},
                             QStringLiteral("use geometric average as control variate"));
    CheckBox2->hide();
    Button1 = MakeButton("Button1", TabSheet1, {71, 336, 98, 25}, QStringLiteral("Compute"));

    StringGrid1 = Make<StringGrid>("StringGrid1", TabSheet1, GridColumns, GridRows, GridCellWidth, GridCellHeight);
    StringGrid1->setGeometry(454, 22, 329, 60);
    StringGrid1->setEnabled(false);

    BuildChart();

    ProgressBar3 = Make<QProgressBar>("ProgressBar3", TabSheet1);
    ProgressBar3->setRange(0, 100);
    ProgressBar3->setValue(0);
    ProgressBar3->setTextVisible(false);
    ProgressBar3->setFocusPolicy(Qt::NoFocus);

    Label16 = Make<QLabel>("Label16", TabSheet4);
    Label16->setTextFormat(Qt::PlainText);
    Label16->setWordWrap(true);
    Label16->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1 = Make<QLabel>("Image1", TabSheet4);
    Image1->setGeometry(318, 19, 411, 70);
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/about.png")));

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
    Image1->raise();

    for (const auto& [caption, input] : {std::pair<QLabel*, QWidget*>{Label2, Edit2}, {Label3, Edit3},
                                          {Label4, Edit4}, {Label5, Edit5}, {Label6, Edit6}, {Label7, Edit7},
                                          {Label1, Edit1}, {Label9, Edit9}})
        NameAfterCaption(caption, input);
    for (RadioGroup* group : {RadioGroup4, RadioGroup1, RadioGroup3})
        group->setAccessibleName(group->title());

    SetTabOrder();
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
    // Placed now with what is known of the frame, and again when the window
    // is first exposed: by then the window manager has framed it.
    FitIntoScreen();
    windowHandle()->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        FitIntoScreen();
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::FitIntoScreen()
{
    QScreen* target = QGuiApplication::screenAt(WindowPlace);
    if (target == nullptr) target = screen();
    const QRect available = target->availableGeometry();
    const QSize frameExtra = frameGeometry().size() - size();
    setMinimumSize(MinimumClientSize(available, ClientSize, frameExtra));
    move(PlaceInside(available, WindowPlace, size() + frameExtra));
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PageControl1->setGeometry(rect());
}

void TForm1::BuildChart()
{
    Chart1 = Make<ConvergenceChart>("Chart1", TabSheet1);
    Chart1->setGeometry(259, 96, 528, 273);
    Chart1->setFocusPolicy(Qt::NoFocus);
    Chart1->setBackground(Qt::white);

    auto* title = new QCPTextElement(Chart1, QStringLiteral("Running Average"), ChartFont());
    title->setTextColor(Qt::black);
    Chart1->plotLayout()->insertRow(0);
    Chart1->plotLayout()->addElement(0, 0, title);

    QCPAxis* bottom = Chart1->xAxis;
    bottom->setLabel(QStringLiteral("Iterations"));
    const QPen dotted(Qt::black, 0, Qt::DotLine);
    bottom->setBasePen(QPen(Qt::black));
    bottom->setTickPen(dotted);
    bottom->setSubTickPen(dotted);
    bottom->grid()->setPen(QPen(Qt::white, 0, Qt::DotLine));
    bottom->grid()->setSubGridVisible(false);

    QCPAxis* value = Chart1->yAxis;
    value->setLabel(QStringLiteral("Option Value"));
    value->setTicker(QSharedPointer<QCPAxisTicker>(new ValueAxisTicker));
    value->setTickPen(QPen(Qt::black, 0, Qt::DashLine));
    value->setSubTickPen(QPen(Qt::black, 0, Qt::DashLine));
    value->setTickLength(1, 0);
    value->setSubTickLength(0, 0);
    value->grid()->setPen(QPen(ValueGridColour, 0, Qt::SolidLine));
    value->grid()->setZeroLinePen(Qt::NoPen);
    Chart1->yAxis2->setVisible(false);
    Chart1->xAxis2->setVisible(false);

    Series1 = new ConvergenceLine(bottom, value);
    Series1->setName(QStringLiteral("Quasi"));
    Series1->setPen(QPen(QuasiColour));
    Series2 = new ConvergenceLine(bottom, value);
    Series2->setName(QStringLiteral("Pseudo"));
    Series2->setPen(QPen(PseudoLegendColour));
    series = {Series1, Series2};

    // The legend in a column of its own on the right, its top at 12 per cent
    // of the plot's height; the zoom controls sit in the same column below it.
    auto* legendColumn = new QCPLayoutGrid;
    Chart1->plotLayout()->addElement(1, 1, legendColumn);
    legendColumn->setMinimumSize(LegendColumnWidth, 0);
    legendColumn->setMaximumSize(LegendColumnWidth, QWIDGETSIZE_MAX);
    legendColumn->addElement(0, 0, new QCPLayoutElement(Chart1));
    legendColumn->addElement(1, 0, Chart1->legend);
    legendColumn->addElement(2, 0, new QCPLayoutElement(Chart1));
    legendColumn->setRowStretchFactors({LegendTopShare, 1e-6, 1.0 - LegendTopShare});
    Chart1->legend->setVisible(true);
    Chart1->legend->setFont(ChartFont());
    Chart1->legend->setTextColor(Qt::black);
    Chart1->legend->setBorderPen(QPen(Qt::black));
    Chart1->legend->setIconSize(LegendIconSize);
    Chart1->legend->setIconTextPadding(4);
    Chart1->legend->setMargins(QMargins(4, 3, 4, 3));
    // The box as wide as its entries, at the left of its column.
    Chart1->legend->setMaximumSize(Chart1->legend->minimumOuterSizeHint());
    Chart1->plotLayout()->setColumnStretchFactors({1.0, 1e-6});

    ShowValueAxis();

    Button2 = MakeButton("Button2", Chart1, {445, 180, 50, 20}, QStringLiteral("ZoomIn"));
    Button3 = MakeButton("Button3", Chart1, {445, 208, 50, 20}, QStringLiteral("ZoomOut"));
    CheckBox1 = MakeCheckBox("CheckBox1", Chart1, {446, 244, 73, 17}, QStringLiteral("logarithmic"));
}

void TForm1::SetTabOrder()
{
    const QWidget* order[] = {Edit2,     Edit3,          Edit4,          Edit5,        Edit6,
                              RadioGroup4->Item(0), RadioGroup4->Item(1), Edit7,   Button1,
                              RadioGroup1->Item(0), RadioGroup1->Item(1), Edit1,   Edit9,
                              CheckBox1, Button2,        Button3,        RadioGroup3->Item(0),
                              RadioGroup3->Item(1), CheckBox2};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
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
    const auto bind = [this](auto* sender, auto signal, void (TForm1::*handler)()) {
        connect(sender, signal, this, [this, handler] { ShowingErrors([this, handler] { (this->*handler)(); }); });
    };
    bind(Edit4, &QLineEdit::textChanged, &TForm1::Edit4Change);
    bind(RadioGroup4->Buttons(), &QButtonGroup::idClicked, &TForm1::RadioGroup4Click);
    bind(Button1, &QPushButton::clicked, &TForm1::Button1Click);
    bind(RadioGroup3->Buttons(), &QButtonGroup::idClicked, &TForm1::RadioGroup3Click);
    bind(CheckBox1, &QCheckBox::clicked, &TForm1::CheckBox1Click);
    bind(Button2, &QPushButton::clicked, &TForm1::Button2Click);
    bind(Button3, &QPushButton::clicked, &TForm1::Button3Click);
}
