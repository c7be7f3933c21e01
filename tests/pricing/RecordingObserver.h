// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pricing/RunObserver.h"

// Keeps every call of a run in order, as one entry each.
struct RecordedCall {
    enum Operation { Progress, Clear, Point, Cell, AxisMinimum, AxisMaximum };
    Operation operation = Progress;
    GeneratorKind kind = GeneratorKind::Quasi;
    int32_t integer = 0;   // percent, or column
    int32_t row = 0;
    double x = 0.0;
    double y = 0.0;        // point value, or axis bound
    RgbColour colour{0, 0, 0};
    std::string text;
};

class RecordingObserver : public RunObserver {
public:
    std::vector<RecordedCall> calls;
    // Paths of the pilots, which report nothing else.
    int32_t pilotPathsDone = 0;

    void SetProgress(int32_t percent) override { Record(RecordedCall::Progress).integer = percent; }
    void ClearSeries(GeneratorKind kind) override { Record(RecordedCall::Clear).kind = kind; }
    void AddPoint(GeneratorKind kind, double x, double y, RgbColour colour) override
    {
        RecordedCall& call = Record(RecordedCall::Point);
        call.kind = kind;
        call.x = x;
        call.y = y;
        call.colour = colour;
    }
    void SetCell(int32_t column, int32_t row, const std::string& text) override
    {
        RecordedCall& call = Record(RecordedCall::Cell);
        call.integer = column;
        call.row = row;
        call.text = text;
    }
    void SetValueAxisMinimum(double value) override { Record(RecordedCall::AxisMinimum).y = value; }
    void SetValueAxisMaximum(double value) override { Record(RecordedCall::AxisMaximum).y = value; }
    void PilotPathDone() override { ++pilotPathsDone; }

private:
    RecordedCall& Record(RecordedCall::Operation operation)
    {
        calls.emplace_back();
        calls.back().operation = operation;
        return calls.back();
    }
};
