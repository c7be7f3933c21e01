// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pricing/PricingParameters.h"

// What a kind's uniform source last filled for one path; process-wide. The
// paths of a run are drawn with copies of it, and it is left as the last path
// drawn left it.
extern double uniformBuffer[MaxFixingCount];

// Fills the first Parameters.fixingCount entries of a buffer with the uniform
// variates of one path.
using UniformSource = void (*)(double* buffer);

UniformSource UniformSourceOf(GeneratorKind kind);

// What the pilot and the main run both fix before their first path, from the
// current Parameters. Setting up also stores the bridge's PathScale, builds
// its table for the run, so that the threads computing paths only read it,
// and clears the fault flags raised before the run: they are not its faults.
struct RunSetUp {
    int32_t pathsPerBatch;
    double drift;  // driftPerStep
};
RunSetUp SetUpRun();
