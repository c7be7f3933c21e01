// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cfenv>
#include <stdexcept>

// An invalid operation, a division by zero or an overflow during a press.
// The run detects them from the floating-point status flags (SSE and x87
// alike) at fixed points and throws this, ending the press where it happened.
class FloatingPointFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Clears the invalid, division-by-zero and overflow flags. Cheap when none is
// raised, so it can follow every observer call.
void ClearFloatingPointFaults();

// Throws FloatingPointFault with "Floating point division by zero",
// "Floating point overflow" or "Invalid floating point operation" when the
// corresponding flag is raised (in that order of precedence: the first two
// produce the infinities that then make an invalid operation).
void CheckFloatingPointFaults();

// Returns the invalid, division-by-zero and overflow flags that are raised,
// and clears them: what one path's computation raised, on the thread that
// computed it.
int TakeFloatingPointFaults();

// Raises the given flags, as taken from a path computed elsewhere, on this
// thread: the path's faults then end the press where they would have if this
// thread had computed it.
void RaiseFloatingPointFaults(int faults);

// Keeps the invalid, division-by-zero and overflow flags as they were when it
// was made: what code running during its life raises or clears is undone when
// it ends. Cheap when that code leaves the flags alone.
class FaultFlagsKept {
public:
    FaultFlagsKept();
    ~FaultFlagsKept();
    FaultFlagsKept(const FaultFlagsKept&) = delete;
    FaultFlagsKept& operator=(const FaultFlagsKept&) = delete;

private:
    int raised;
    std::fexcept_t saved;
};
