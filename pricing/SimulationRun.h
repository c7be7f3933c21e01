// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pricing/PricingParameters.h"
#include "pricing/RunObserver.h"

// One press: Pseudo then Quasi, each with its pilot when the control variate
// is on. Throws FloatingPointFault where a fault happens; what the observer
// received until then stays.
void RunSequence(RunObserver& observer);

// The main run of one kind: pathCount paths in BatchCount batches, reported
// through the observer only.
void RunSimulation(GeneratorKind kind, RunObserver& observer);
