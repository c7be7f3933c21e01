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

RunSetUp SetUpRun()
{
    ClearFloatingPointFaults();
    PathScale = terminalStandardDeviation(Parameters);
    PrepareBridgeTable(Parameters.fixingCount);
    return {pathsPerBatch(Parameters), driftPerStep(Parameters)};
}
