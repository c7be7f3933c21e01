// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// InverseCumulativeNormal of many uniforms at once: normals[i] is
// InverseCumulativeNormal(uniforms[i]) bit for bit, for i < count, clamps
// and NaN included. The values are formed stage by stage over blocks of
// uniforms, so that no value is read back right after the x87 unit stored
// it (a wait of many cycles on some processors), and where the processor
// allows, the central region goes through a faster evaluation that keeps
// only results proven equal. Nothing is allocated.
void InverseCumulativeNormalBlock(int32_t count, const double* uniforms, double* normals);

// The evaluations of the central region. Staged is the extended-precision
// one and runs everywhere; start-up selects the fastest that the processor
// supports.
enum class CentralEvaluation { Staged, Avx2Fma };

bool Supports(CentralEvaluation evaluation);
CentralEvaluation SelectedCentralEvaluation();

// The same with a given evaluation, which the processor must support.
void InverseCumulativeNormalBlock(CentralEvaluation evaluation, int32_t count, const double* uniforms,
                                  double* normals);
