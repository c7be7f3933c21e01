// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pricing/PricingParameters.h"
#include "pricing/RunObserver.h"

// Coefficient beta per generator kind, written by the pilot of each press.
extern double controlVariateCoefficients[2];

// Silent pilot of pathsPerBatch paths from the kind's stream: the regression
// slope of the arithmetic payoff on the geometric one. A pilot whose geometric
// payoffs have no spread gives 0, i.e. no adjustment. It reports nothing; the
// observer only hears that each path is done.
double EstimateControlVariateCoefficient(GeneratorKind kind, RunObserver& observer);
