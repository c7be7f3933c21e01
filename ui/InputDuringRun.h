// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <deque>
#include <functional>

#include <QObject>

class QEvent;
class QWidget;

// Thrown from inside a run that the user stopped. It ends the press as a
// fault would, but it is no error: nothing is shown for it.
struct RunStopped {};

// A run keeps the window's thread until it ends. So that the desktop still
// sees a live window, the run lets the event loop turn at each live redraw:
// the window manager's pings are answered and what was covered is drawn
// again. The keyboard and mouse input to the window that arrives meanwhile
// must not reach the controls inside the run, where a handler could change
// the inputs, the generators or the grid under it. This application-wide
// filter keeps it, and after the run hands it to the window in the order it
// came, one event per turn of the event loop, as if it had only just
// arrived: a Compute clicked during a run starts the next press after this
// one has returned. Input arriving while kept input waits is kept behind it.
//
// Escape during a run, and a request to close the window, are not kept:
// they stop the run, and a close then closes the window.
class InputDuringRun : public QObject {
public:
    explicit InputDuringRun(QWidget* window);

    void RunStarted();
    // Closes the window if that was asked for during the run; otherwise
    // starts handing over what was kept.
    void RunEnded();
    bool RunInProgress() const { return running; }

    // Lets the event loop handle what is pending, then throws RunStopped if
    // the user asked to stop.
    void TurnEventLoop();

    // Runs a handler now, or after the run and the input kept during it.
    // Input never gets here during a run, but other requests can, such as an
    // assistive technology pressing a button.
    void RunHandler(std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Keeps(const QObject* watched, const QEvent* event) const;
    void Keep(QObject* receiver, const QEvent& event);
    void ScheduleHandOver();
    void HandOverNext();

    QWidget* window;
    // Kept input, each event ready to be delivered, and deferred handlers.
    std::deque<std::function<void()>> waiting;
    // The kept event being handed over, which the filter lets pass once.
    const QEvent* handingOver = nullptr;
    bool running = false;
    bool stopRequested = false;
    bool closeRequested = false;
    bool handOverScheduled = false;
};
