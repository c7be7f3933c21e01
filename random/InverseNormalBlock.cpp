// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "random/InverseNormalBlock.h"

#include <algorithm>

#include <emmintrin.h>

#include "random/AcklamApproximation.h"
#include "random/CentralNormalAvx2.h"
#include "random/ExtendedPrecision.h"

namespace {

using namespace Acklam;

// Values per block: the stage buffers, a few KiB on the stack, stay in the
// first-level cache.
constexpr int32_t BlockCapacity = 256;

// The tail arguments of a block: where they are, their tail probabilities
// (u or 1 - u of the clamped argument) and the sign of their normals.
struct Tails {
    int32_t count;
    int32_t positions[BlockCapacity];
    double probabilities[BlockCapacity];
    double signs[BlockCapacity];
};

// Two arguments at once: all bits set in the lanes of central arguments, and
// q = u - 0.5 there, 0.0 elsewhere (a value every central evaluation takes
// without a flag). NaN lanes are replaced by 0 with a quiet comparison
// first, so that the ordered comparisons raise no invalid flag; clamped
// arguments all lie in the tails.
struct CentralPair {
    __m128d central;
    __m128d q;
};

CentralPair SortPair(__m128d u) {
    const __m128d number = _mm_and_pd(u, _mm_cmpord_pd(u, u));
    const __m128d central =
        _mm_and_pd(_mm_cmpge_pd(number, _mm_set1_pd(PLow)), _mm_cmple_pd(number, _mm_set1_pd(PHigh)));
    return {central, _mm_and_pd(central, _mm_sub_pd(number, _mm_set1_pd(0.5)))};
}

// The first stage: centralQ[i] as above, and the tails listed. No branch
// depends on the region.
void SortByRegion(int32_t count, const double* uniforms, double* centralQ, Tails& tails) {
    constexpr int32_t Pair = 2;
    int32_t tailCount = 0;
    int32_t i = 0;
    for (; i + Pair <= count; i += Pair) {
        const CentralPair pair = SortPair(_mm_loadu_pd(uniforms + i));
        _mm_storeu_pd(centralQ + i, pair.q);
        const int central = _mm_movemask_pd(pair.central);
        tails.positions[tailCount] = i;
        tailCount += 1 - (central & 1);
        tails.positions[tailCount] = i + 1;
        tailCount += 1 - (central >> 1);
    }
    if (i < count) {
        const CentralPair pair = SortPair(_mm_load_sd(uniforms + i));
        _mm_store_sd(centralQ + i, pair.q);
        tails.positions[tailCount] = i;
        tailCount += 1 - (_mm_movemask_pd(pair.central) & 1);
    }
    for (int32_t k = 0; k < tailCount; ++k) {
        const double u = ClampedArgument(uniforms[tails.positions[k]]);
        const bool lower = u < PLow;
        tails.probabilities[k] = lower ? u : 1.0 - u;
        tails.signs[k] = lower ? 1.0 : -1.0;
    }
    tails.count = tailCount;
}

// The extended-precision central formula at positions position(0 ..
// count-1), one operation over all of them before the next: each r is
// stored long before it is read back.
template <typename Position>
void CentralStagedAt(int32_t count, Position position, const double* q, double* out) {
    double squares[BlockCapacity];
    for (int32_t k = 0; k < count; ++k) {
        squares[k] = CentralSquare(q[position(k)]);
    }
    for (int32_t k = 0; k < count; ++k) {
        out[position(k)] = RoundToDouble(CentralQuotient(q[position(k)], squares[k]));
    }
}

void CentralStaged(int32_t count, const double* q, double* out) {
    CentralStagedAt(count, [](int32_t k) { return k; }, q, out);
}

// The faster evaluation, and the staged one for the values it leaves.
void CentralAvx2Fma(int32_t count, const double* q, double* out) {
    int32_t fallbacks[BlockCapacity];
    const int32_t fallbackCount = CentralNormalsAvx2Fma(count, q, out, fallbacks);
    CentralStagedAt(fallbackCount, [&fallbacks](int32_t k) { return fallbacks[k]; }, q, out);
}

// The tails in stages too: all logarithms and roots, then all quotients.
// The upper tail's numerator is negated before the division; rounding to
// nearest is symmetric, so negating the rounded quotient gives the same
// double.
void TailsStaged(const Tails& tails, double* normals) {
    double variables[BlockCapacity];
    double quotients[BlockCapacity];
    for (int32_t k = 0; k < tails.count; ++k) {
        variables[k] = TailVariable(tails.probabilities[k]);
    }
    for (int32_t k = 0; k < tails.count; ++k) {
        quotients[k] = RoundToDouble(TailQuotient(variables[k]));
    }
    for (int32_t k = 0; k < tails.count; ++k) {
        normals[tails.positions[k]] = tails.signs[k] * quotients[k];
    }
}

bool ProcessorHasAvx2Fma() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
}

// Chosen once, at start-up. Read before its initialisation it would be the
// zero value, Staged, which runs everywhere.
const CentralEvaluation selectedEvaluation =
    ProcessorHasAvx2Fma() ? CentralEvaluation::Avx2Fma : CentralEvaluation::Staged;

}  // namespace

bool Supports(CentralEvaluation evaluation) {
    return evaluation == CentralEvaluation::Staged || ProcessorHasAvx2Fma();
}

CentralEvaluation SelectedCentralEvaluation() {
    return selectedEvaluation;
}

void InverseCumulativeNormalBlock(CentralEvaluation evaluation, int32_t count, const double* uniforms,
                                  double* normals) {
    const auto central = evaluation == CentralEvaluation::Avx2Fma ? CentralAvx2Fma : CentralStaged;
    for (int32_t first = 0; first < count; first += BlockCapacity) {
        const int32_t blockCount = std::min(BlockCapacity, count - first);
        double centralQ[BlockCapacity];
        Tails tails;
        SortByRegion(blockCount, uniforms + first, centralQ, tails);
        central(blockCount, centralQ, normals + first);
        TailsStaged(tails, normals + first);
    }
}

void InverseCumulativeNormalBlock(int32_t count, const double* uniforms, double* normals) {
    InverseCumulativeNormalBlock(selectedEvaluation, count, uniforms, normals);
}
