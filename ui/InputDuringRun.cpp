// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/InputDuringRun.h"

#include <memory>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

namespace {

// At most this long is spent on pending events at one turn, so that a flood
// of them (a window dragged to a new size) cannot stall the run.
constexpr int EventMillisecondsPerTurn = 50;
// While a modal box is open (an error that ended a press) the window takes
// no input, so handing over waits for the box, looking again this often.
constexpr int ModalWaitMilliseconds = 50;

bool IsKeyboardOrMouse(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

using EventMaker = std::function<std::unique_ptr<QEvent>()>;

// Makes the kept event again when it is handed over. A copy of a mouse or
// wheel event would share its point with the pointing device, which the
// device's next event moves, so those are made anew from their values; the
// other kinds copy as they are.
EventMaker Remaker(const QEvent& event)
{
    if (event.type() == QEvent::Wheel) {
        const auto& wheel = static_cast<const QWheelEvent&>(event);
        return [position = wheel.position(), global = wheel.globalPosition(), pixels = wheel.pixelDelta(),
                angle = wheel.angleDelta(), buttons = wheel.buttons(), modifiers = wheel.modifiers(),
                phase = wheel.phase(), inverted = wheel.inverted(), source = wheel.source(),
                device = wheel.pointingDevice(), time = wheel.timestamp()] {
            auto made = std::make_unique<QWheelEvent>(position, global, pixels, angle, buttons, modifiers, phase,
                                                      inverted, source, device);
            made->setTimestamp(time);
            return std::unique_ptr<QEvent>(std::move(made));
        };
    }
    if (event.isPointerEvent()) {  // the other kept ones are mouse events
        const auto& mouse = static_cast<const QMouseEvent&>(event);
        return [type = mouse.type(), position = mouse.position(), scene = mouse.scenePosition(),
                global = mouse.globalPosition(), button = mouse.button(), buttons = mouse.buttons(),
                modifiers = mouse.modifiers(), device = mouse.pointingDevice(), time = mouse.timestamp()] {
            auto made =
                std::make_unique<QMouseEvent>(type, position, scene, global, button, buttons, modifiers, device);
            made->setTimestamp(time);
            return std::unique_ptr<QEvent>(std::move(made));
        };
    }
    return [copy = std::shared_ptr<const QEvent>(event.clone())] { return std::unique_ptr<QEvent>(copy->clone()); };
}

}  // namespace

InputDuringRun::InputDuringRun(QWidget* window) : QObject(window), window(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

void InputDuringRun::RunStarted()
{
    running = true;
    stopRequested = false;
    closeRequested = false;
}

void InputDuringRun::RunEnded()
{
    running = false;
    if (closeRequested) {
        waiting.clear();
        window->close();
        return;
    }
    ScheduleHandOver();
}

void InputDuringRun::TurnEventLoop()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, EventMillisecondsPerTurn);
    if (stopRequested) throw RunStopped{};
}

void InputDuringRun::RunHandler(std::function<void()> handler)
{
    if (running)
        waiting.push_back(std::move(handler));
    else
        handler();
}

bool InputDuringRun::eventFilter(QObject* watched, QEvent* event)
{
    if (event == handingOver) {
        handingOver = nullptr;
        return false;
    }
    if (!running && waiting.empty()) return false;
    if (running && watched == window->windowHandle()) {
        if (event->type() == QEvent::Close) {
            stopRequested = closeRequested = true;
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress && static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            stopRequested = true;
            return true;
        }
    }
    if (!Keeps(watched, event)) return false;
    Keep(watched, *event);
    return true;
}

// Keyboard and mouse input reaches the window's native window, which passes
// it on to a control; composed text from an input method goes straight to
// the focused control.
bool InputDuringRun::Keeps(const QObject* watched, const QEvent* event) const
{
    if (watched == window->windowHandle()) return IsKeyboardOrMouse(event->type());
    return event->type() == QEvent::InputMethod && watched->isWidgetType() &&
           static_cast<const QWidget*>(watched)->window() == window;
}

void InputDuringRun::Keep(QObject* receiver, const QEvent& event)
{
    waiting.push_back([this, receiver = QPointer<QObject>(receiver), remake = Remaker(event)] {
        if (receiver == nullptr) return;
        const std::unique_ptr<QEvent> again = remake();
        handingOver = again.get();
        QCoreApplication::sendEvent(receiver, again.get());
        handingOver = nullptr;
    });
}

void InputDuringRun::ScheduleHandOver()
{
    if (handOverScheduled || waiting.empty()) return;
    handOverScheduled = true;
    QMetaObject::invokeMethod(this, &InputDuringRun::HandOverNext, Qt::QueuedConnection);
}

void InputDuringRun::HandOverNext()
{
    handOverScheduled = false;
    // A run started meanwhile hands over at its end.
    if (running || waiting.empty()) return;
    if (!window->isVisible()) {
        waiting.clear();
        return;
    }
    if (QApplication::activeModalWidget() != nullptr) {
        handOverScheduled = true;
        QTimer::singleShot(ModalWaitMilliseconds, this, &InputDuringRun::HandOverNext);
        return;
    }
    const std::function<void()> next = std::move(waiting.front());
    waiting.pop_front();
    next();
    ScheduleHandOver();
}
