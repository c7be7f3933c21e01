// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

#include "pricing/FloatingPointFault.h"
#include "pricing/RunObserver.h"

// The run's only way to its observer. Before each report a raised fault flag
// ends the press, so no infinity or NaN ever reaches the window; after each
// call the flags the observer itself raised (its toolkit and chart may) are
// dropped, so they never become a fault of the press.
class CheckedObserver {
public:
    explicit CheckedObserver(RunObserver& observer) : target(observer) {}

    void SetProgress(int32_t percent) { Call(&RunObserver::SetProgress, percent); }
    void ClearSeries(GeneratorKind kind) { Call(&RunObserver::ClearSeries, kind); }
    void AddPoint(GeneratorKind kind, double x, double y, RgbColour colour)
    {
        Call(&RunObserver::AddPoint, kind, x, y, colour);
    }
    void SetCell(int32_t column, int32_t row, const std::string& text)
    {
        Call(&RunObserver::SetCell, column, row, text);
    }
    void SetValueAxisMinimum(double value) { Call(&RunObserver::SetValueAxisMinimum, value); }
    void SetValueAxisMaximum(double value) { Call(&RunObserver::SetValueAxisMaximum, value); }
    // The pilot checks its faults once, at its end, with the flags of all its
    // paths: the observer may neither end it early with them nor drop them.
    void PilotPathDone()
    {
        const FaultFlagsKept pilotFlags;
        target.PilotPathDone();
    }

private:
    template <typename... Declared, typename... Given>
    void Call(void (RunObserver::*operation)(Declared...), const Given&... arguments)
    {
        CheckFloatingPointFaults();
        (target.*operation)(arguments...);
        ClearFloatingPointFaults();
    }

    RunObserver& target;
};
