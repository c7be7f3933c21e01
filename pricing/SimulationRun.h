#pragma once

#include "pricing/PricingParameters.h"
#include "pricing/RunObserver.h"

// uniformBuffer is filled by a kind's uniform source for one path.
extern double uniformBuffer[MaxFixingCount];

// One press: Pseudo then Quasi, each with its pilot when the control variate
// is on. Throws FloatingPointFault where a fault happens.
void RunSequence(RunObserver& observer);

// The main run of one kind: pathCount paths in BatchCount batches.
void RunSimulation(GeneratorKind kind, RunObserver& observer);
