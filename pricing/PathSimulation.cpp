#include "pricing/PathSimulation.h"

#include "random/BrownianBridge.h"
#include "random/PseudoRandom.h"
#include "random/SobolGenerator.h"

double uniformBuffer[MaxFixingCount];

UniformSource UniformSourceOf(GeneratorKind kind)
{
    return kind == GeneratorKind::Quasi ? QuasiUniformSource : PseudoUniformSource;
}

void SimulatePath(UniformSource source, double* path)
{
    source(uniformBuffer);
    // The fixing count is clamped into the bridge's range when it is read,
    // so its refusal cannot occur.
    BrownianBridgePath(Parameters.fixingCount, uniformBuffer, path);
}
