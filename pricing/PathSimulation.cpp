// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pricing/PathSimulation.h"

#include "pricing/FloatingPointFault.h"
#include "random/BrownianBridge.h"
#include "random/PseudoRandom.h"
#include "random/SobolGenerator.h"

double uniformBuffer[MaxFixingCount];

UniformSource UniformSourceOf(GeneratorKind kind)
{
    return kind == GeneratorKind::Quasi ? QuasiUniformSource : PseudoUniformSource;
}

RunSetUp SetUpRun(GeneratorKind kind)
{
    ClearFloatingPointFaults();
    PathScale = terminalStandardDeviation(Parameters);
    return {pathsPerBatch(Parameters), driftPerStep(Parameters), UniformSourceOf(kind)};
}

void SimulatePath(UniformSource source, double* path)
{
    source(uniformBuffer);
    // The fixing count is clamped into the bridge's range when it is read,
    // so its refusal cannot occur.
    BrownianBridgePath(Parameters.fixingCount, uniformBuffer, path);
}
