// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

#include "pricing/PricingParameters.h"

struct RgbColour {
    uint8_t red, green, blue;
};

// Everything a run reports goes through this interface; the engine knows no
// window.
class RunObserver {
public:
    virtual void SetProgress(int32_t percent) = 0;
    virtual void ClearSeries(GeneratorKind kind) = 0;
    virtual void AddPoint(GeneratorKind kind, double x, double y, RgbColour colour) = 0;
    virtual void SetCell(int32_t column, int32_t row, const std::string& text) = 0;
    virtual void SetValueAxisMinimum(double value) = 0;
    virtual void SetValueAxisMaximum(double value) = 0;
    // After each path of a control-variate pilot, which reports nothing: a
    // chance to keep a window alive during a long pilot, or to end the press
    // by throwing. Whatever floating-point flags it raises or clears are not
    // the pilot's.
    virtual void PilotPathDone() {}

protected:
    ~RunObserver() = default;
};
