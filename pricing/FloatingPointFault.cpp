// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pricing/FloatingPointFault.h"

#include <cfenv>

namespace {

// The faults that end a press. Inexact and underflow results are ordinary.
constexpr int FaultFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

}  // namespace

int TakeFloatingPointFaults()
{
    // Testing is cheap while clearing rewrites the whole x87 environment, and
    // this runs at least twice per path: clear only what is actually raised.
    const int raised = std::fetestexcept(FaultFlags);
    if (raised != 0) {
        std::feclearexcept(raised);
    }
    return raised;
}

void ClearFloatingPointFaults()
{
    TakeFloatingPointFaults();
}

void RaiseFloatingPointFaults(int faults)
{
    if (faults != 0) {
        std::feraiseexcept(faults);
    }
}

void CheckFloatingPointFaults()
{
    const int raised = std::fetestexcept(FaultFlags);
    if (raised == 0) {
        return;
    }
    if ((raised & FE_DIVBYZERO) != 0) {
        throw FloatingPointFault("Floating point division by zero");
    }
    if ((raised & FE_OVERFLOW) != 0) {
        throw FloatingPointFault("Floating point overflow");
    }
    throw FloatingPointFault("Invalid floating point operation");
}

FaultFlagsKept::FaultFlagsKept() : raised(std::fetestexcept(FaultFlags))
{
    std::fegetexceptflag(&saved, FaultFlags);
}

FaultFlagsKept::~FaultFlagsKept()
{
    // Restoring rewrites the x87 environment: only when something changed.
    if (std::fetestexcept(FaultFlags) != raised) std::fesetexceptflag(&saved, FaultFlags);
}
