#pragma once

#include <array>
#include <cstdint>
#include <string>

#include <QWidget>

#include "pricing/RunObserver.h"
#include "ui/LiveRedraw.h"
#include "ui/ValueAxisBounds.h"

class QCheckBox;
class QCustomPlot;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class ConvergenceLine;
class EdgeAnchors;
class RadioGroup;
class StringGrid;

// The program's one window: the valuation page with its inputs, the results
// grid, the convergence chart and the progress bar, and the About page. It is
// the observer of every run it starts.
class TForm1 : public QWidget, public RunObserver {
public:
    TForm1();
    ~TForm1() override;

    // Handlers; each raises InputError (or lets an engine fault pass) to end
    // itself, and the application shows the message.
    void Button1Click();
    void Edit4Change();
    void RadioGroup4Click();
    void RadioGroup3Click();
    void CheckBox1Click();
    void Button2Click();
    void Button3Click();

    // Reads every control into Parameters, in a fixed order: the first faulty
    // field ends it.
    void ReadInputs();

    void SetProgress(int32_t percent) override;
    void ClearSeries(GeneratorKind kind) override;
    void AddPoint(GeneratorKind kind, double x, double y, RgbColour colour) override;
    void SetCell(int32_t column, int32_t row, const std::string& text) override;
    void SetValueAxisMinimum(double value) override;
    void SetValueAxisMaximum(double value) override;

    const ValueAxisBounds& ValueAxis() const { return valueAxis; }
    ConvergenceLine* Series(GeneratorKind kind) const { return series[static_cast<std::size_t>(kind)]; }

    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet4;
    QGroupBox* GroupBox2;
    QFrame* Panel2;
    QLabel* Label2;
    QLineEdit* Edit2;
    QFrame* Panel3;
    QLabel* Label3;
    QLineEdit* Edit3;
    QFrame* Panel4;
    QLabel* Label4;
    QLineEdit* Edit4;
    QFrame* Panel5;
    QLabel* Label5;
    QLineEdit* Edit5;
    QFrame* Panel6;
    QLabel* Label6;
    QLineEdit* Edit6;
    RadioGroup* RadioGroup4;
    QFrame* Panel7;
    QLabel* Label7;
    QLineEdit* Edit7;
    QGroupBox* GroupBox1;
    QFrame* Panel1;
    QLabel* Label1;
    QLineEdit* Edit1;
    QFrame* Panel9;
    QLabel* Label9;
    QLineEdit* Edit9;
    RadioGroup* RadioGroup1;
    RadioGroup* RadioGroup3;
    QCheckBox* CheckBox2;
    QPushButton* Button1;
    StringGrid* StringGrid1;
    QCustomPlot* Chart1;
    ConvergenceLine* Series1;
    ConvergenceLine* Series2;
    QPushButton* Button2;
    QPushButton* Button3;
    QCheckBox* CheckBox1;
    QProgressBar* ProgressBar3;
    QLabel* Label16;
    QLabel* Image1;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildChart();
    void SetTabOrder();
    void WriteGridHeadings();
    void ConnectHandlers();

    // Moves the window to its place, or as near it as keeps the frame inside
    // the screen, and keeps the user from shrinking it below its design.
    void FitIntoScreen();

    void SetBottomAxisLogarithmic(bool logarithmic);
    void ShowValueAxis();
    // Fits the bottom axis to the lines and draws the chart; immediately
    // (during a run, when the event loop waits) or at the next event.
    void RedrawChart(bool immediately);
    void RedrawLive();

    EdgeAnchors* valuationAnchors = nullptr;
    EdgeAnchors* chartAnchors = nullptr;
    EdgeAnchors* aboutAnchors = nullptr;
    bool anchorsMeasured = false;
    ValueAxisBounds valueAxis;
    std::array<ConvergenceLine*, 2> series{};
    int32_t shownProgress = 0;
    LiveRedraw liveRedraw;
};

// The single instance, set while the window exists.
extern TForm1* Form1;
