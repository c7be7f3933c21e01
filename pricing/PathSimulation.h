// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pricing/PricingParameters.h"

// Filled by a kind's uniform source for one path; process-wide, so a path
// costs no allocation.
extern double uniformBuffer[MaxFixingCount];

// Fills the first Parameters.fixingCount entries of a buffer with the uniform
// variates of one path.
using UniformSource = void (*)(double* buffer);

UniformSource UniformSourceOf(GeneratorKind kind);

// What the pilot and the main run both fix before their first path, from the
// current Parameters. Setting up also stores the bridge's PathScale and clears
// the fault flags raised before the run: they are not its faults.
struct RunSetUp {
    int32_t pathsPerBatch;
    double drift;  // driftPerStep
    UniformSource source;
};
RunSetUp SetUpRun(GeneratorKind kind);

// One path, the same in pilot and main run: the source fills uniformBuffer
// and the bridge maps it into path[0..n-1] = sigma * W(t_i).
void SimulatePath(UniformSource source, double* path);
