// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pricing/FloatingPointFault.h"

#include <cfenv>
#include <cstdint>

namespace {

// The faults that end a press. Inexact and underflow results are ordinary.
constexpr int FaultFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
// The x87 status word and the SSE control and status register keep these
// flags at the same bits, which are the FE_ values.
static_assert(FE_INVALID == 0x01 && FE_DIVBYZERO == 0x04 && FE_OVERFLOW == 0x08);

// The raised fault flags of both units, as fetestexcept(FaultFlags) gives
// them. fetestexcept stores the x87 status word to memory and loads it back
// at once, and on some processors that load waits for the x87 store to
// complete; this reads the word into a register. It runs several times a
// path, on the thread that reports as on the workers.
int RaisedFaultFlags()
{
    uint16_t x87Status = 0;
    uint32_t sseStatus = 0;
    asm volatile("fnstsw %0" : "=a"(x87Status) : : "memory");
    asm volatile("stmxcsr %0" : "=m"(sseStatus) : : "memory");
    return (x87Status | static_cast<int>(sseStatus)) & FaultFlags;
}

}  // namespace

int TakeFloatingPointFaults()
{
    // Testing is cheap while clearing rewrites the whole x87 environment, and
    // this runs at least twice per path: clear only what is actually raised.
    const int raised = RaisedFaultFlags();
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
    const int raised = RaisedFaultFlags();
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

FaultFlagsKept::FaultFlagsKept() : raised(RaisedFaultFlags())
{
    std::fegetexceptflag(&saved, FaultFlags);
}

FaultFlagsKept::~FaultFlagsKept()
{
    // Restoring rewrites the x87 environment: only when something changed.
    if (RaisedFaultFlags() != raised) std::fesetexceptflag(&saved, FaultFlags);
}
