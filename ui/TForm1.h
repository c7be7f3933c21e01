// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QMargins>
#include <QWidget>

#include "pricing/RunObserver.h"
#include "ui/LiveRedraw.h"
#include "ui/PressEstimates.h"
#include "ui/ResultsText.h"
#include "ui/ValueAxisBounds.h"

class QAction;
class QCheckBox;
class QCustomPlot;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabWidget;
class ConvergenceLine;
class EdgeAnchors;
class InputDuringRun;
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
    void SaveChartImage1Click();
    void SaveConvergenceData1Click();
    void CopyResults1Click();

    // Reads every control into Parameters, in a fixed order: the first faulty
    // field ends it.
    void ReadInputs();

    void SetProgress(int32_t percent) override;
    void ClearSeries(GeneratorKind kind) override;
    void AddPoint(GeneratorKind kind, double x, double y, RgbColour colour) override;
    void SetCell(int32_t column, int32_t row, const std::string& text) override;
    void SetValueAxisMinimum(double value) override;
    void SetValueAxisMaximum(double value) override;
    void PilotPathDone() override;

    // From the start of a press's run to its end, however it ends.
    bool RunInProgress() const;
    const ValueAxisBounds& ValueAxis() const { return valueAxis; }
    ConvergenceLine* Series(GeneratorKind kind) const { return series[static_cast<std::size_t>(kind)]; }

    // The controls, by the names the code and the tests use.
    QTabWidget* PageControl1;   // the two pages, filling the window
    QWidget* TabSheet1;         // page "Velmora Option Valuation": inputs, results, chart
    QWidget* TabSheet4;         // page "About": the description and a picture
    QGroupBox* GroupBox2;       // "Financial parameters"
    QFrame* Panel2;             //   box of Exercise price
    QLabel* Label2;             //   "Exercise price"
    QLineEdit* Edit2;           //   strike
    QFrame* Panel3;             //   box of Asset value
    QLabel* Label3;             //   "Asset value"
    QLineEdit* Edit3;           //   spot
    QFrame* Panel4;             //   box of Expiration period
    QLabel* Label4;             //   "Expiration period (months)"
    QLineEdit* Edit4;           //   maturity in months; proposes 21 path segments a month
    QFrame* Panel5;             //   box of Risk-free return
    QLabel* Label5;             //   "Risk-free return (bank rate)"
    QLineEdit* Edit5;           //   rate per year
    QFrame* Panel6;             //   box of Asset volatility
    QLabel* Label6;             //   "Asset volatility [per year]"
    QLineEdit* Edit6;           //   volatility per year
    RadioGroup* RadioGroup4;    //   "Asset dividend": none, continuous
    QFrame* Panel7;             //   box of the yield, shown only for a continuous dividend
    QLabel* Label7;             //   "yield"
    QLineEdit* Edit7;           //   dividend yield per year
    QGroupBox* GroupBox1;       // "Simulation parameters"
    QFrame* Panel1;             //   box of Path segments
    QLabel* Label1;             //   "Path segments"
    QLineEdit* Edit1;           //   number of fixing dates, clamped to 2..1024
    QFrame* Panel9;             //   box of Iterations
    QLabel* Label9;             //   "Iterations [x 1024]"
    QLineEdit* Edit9;           //   paths in units of 1024
    RadioGroup* RadioGroup1;    // "Option class": call, put
    RadioGroup* RadioGroup3;    // "Type of average": Geometric, Arithmetic
    QCheckBox* CheckBox2;       // "use geometric average as control variate", arithmetic only
    QPushButton* Button1;       // "Compute"
    StringGrid* StringGrid1;    // results grid: value and standard deviation per kind
    QCustomPlot* Chart1;        // convergence chart "Running Average"
    ConvergenceLine* Series1;   //   line of the quasi-random run (index 0)
    ConvergenceLine* Series2;   //   line of the pseudo-random run (index 1)
    QPushButton* Button2;       //   "ZoomIn" of the value axis
    QPushButton* Button3;       //   "ZoomOut" of the value axis
    QCheckBox* CheckBox1;       //   "logarithmic" paths axis
    QMenu* PopupMenu1;          //   the chart's context menu, its items' shortcuts on the whole page:
    QAction* SaveChartImage1;   //     "Save chart image…" (Ctrl+S)
    QAction* SaveConvergenceData1; //  "Save convergence data…" (Ctrl+Shift+S)
    QAction* CopyResults1;      //     "Copy results" (Ctrl+Shift+C)
    QProgressBar* ProgressBar3; // progress of the run, along the page's bottom
    QLabel* Label16;            // the description text on the About page
    QLabel* Image1;             // the picture over the description

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The construction of the controls, a group at a time, in the order that
    // gives each its place in the stacking and focus chains.
    void BuildControls();
    void BuildWindow();
    void BuildPages();
    void BuildFinancialBox();
    void BuildSimulationBox();
    void BuildChoices();
    void BuildResults();
    void BuildChart();
    void BuildChartMenu();
    void BuildAboutPage();
    void AnchorToEdges();
    void SetTabOrder();
    void WriteGridHeadings();
    void ConnectHandlers();

    // Moves the window's frame to wanted, or as near it as keeps the frame
    // inside the screen, and keeps the user from shrinking the window below
    // its design.
    void FitIntoScreen(QPoint wanted);
    // Fits the window again, from where it is, when the window manager has
    // changed its frame since the last fit: the frame is not known until the
    // window manager has framed the shown window, and a frame that grew may
    // reach past the screen's edge.
    void KeepFrameInside();

    // Around the run of a press: the wait cursor, the live view, and the
    // window's input kept for after the run. The end draws the chart with
    // the value axis's shown bounds, however the run ended.
    void PressStarted();
    void PressEnded(bool completed);
    // After a press that a stop or a fault ended: the grid keeps only the
    // estimates this press wrote, and the chart the live view's range until
    // a run sets the value axis.
    void ShowOnlyWhatThePressComputed();
    // The range fitted to the latest half of the running line's points, as
    // long as the live view shows it: until the press sets the value axis.
    std::optional<ValueAxisBounds::Range> LiveRange() const;

    // The inputs as the window shows them, for the results copied after the
    // press that read them.
    std::vector<NamedInput> InputsAsShown() const;
    // The saving items act on the lines' points, so they are offered only
    // where a line holds one, or during a press, which will add some.
    void EnableSaving(bool enabled);
    // Tells a screen reader what the chart shows, once a run has completed
    // and after a press that did not.
    void DescribeChart();

    void SetBottomAxisLogarithmic(bool logarithmic);
    // The bounds the value axis shows and zoom acts on: the range a stopped
    // press keeps, or else the axis's own.
    ValueAxisBounds& ShownBounds();
    // Shows the value axis's shown bounds, which ends a live view's fit.
    void ShowValueAxis();
    // Whether either line holds a point.
    bool AnyLinePoints() const;
    // Fits the bottom axis to the lines and draws the chart; immediately
    // (a live redraw) or at the next turn of the event loop.
    void RedrawChart(bool immediately);
    // Lets the event loop turn, then draws the chart and the progress bar.
    void RedrawLive();

    EdgeAnchors* valuationAnchors = nullptr;
    EdgeAnchors* chartAnchors = nullptr;
    EdgeAnchors* aboutAnchors = nullptr;
    bool anchorsMeasured = false;
    // The frame's widths on each side when the window was last fitted.
    QMargins fittedFrame;
    ValueAxisBounds valueAxis;
    std::array<ConvergenceLine*, 2> series{};
    int32_t shownProgress = 0;
    LiveRedraw liveRedraw;
    InputDuringRun* inputDuringRun = nullptr;
    // Until a press sets the value axis, its live redraws show a value range
    // fitted to the line its run is drawing: the bounds of the press before
    // (both 0 before the first) would mostly leave that line out of view.
    bool fitLiveView = false;
    std::optional<GeneratorKind> runningLine;
    std::vector<NamedInput> completedPressInputs;
    PressEstimates pressEstimates;
    // The live view's range, kept after a press that ended before it set
    // the value axis, until a run sets it. The axis's own bounds stay as
    // they were: the next run sets them in an order that starts from them.
    std::optional<ValueAxisBounds> stoppedView;
};

// The single instance, set while the window exists.
extern TForm1* Form1;
