// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "random/SobolDirectionTable.h"

#include <bit>

namespace {

constexpr int32_t FixedOrderCount = 39;
constexpr int32_t FixedInitialCount = 18;
constexpr int32_t MaxDegree = 13;

// The first dimensions keep this hand-picked order; within degrees 5 to 8 it
// is deliberately not ascending.
constexpr int32_t FixedOrderPolynomials[FixedOrderCount] = {
    3,   7,   11,  13,  19,  25,  37,  59,  47,  61,  55,  41,  67,
    97,  91,  109, 103, 115, 131, 193, 137, 145, 143, 241, 157, 185,
    167, 229, 171, 213, 191, 253, 203, 211, 239, 247, 285, 369, 299,
};

// m_1 ... m_s of dimensions 0 ... 17; unused trailing slots are 0.
constexpr int32_t FixedInitialValues[FixedInitialCount][6] = {
    {1},
    {1, 1},
    {1, 3, 7},
    {1, 1, 5},
    {1, 3, 1, 1},
    {1, 1, 3, 7},
    {1, 3, 3, 9, 9},
    {1, 3, 7, 13, 3},
    {1, 1, 5, 11, 27},
    {1, 3, 5, 1, 15},
    {1, 1, 7, 3, 29},
    {1, 3, 7, 7, 21},
    {1, 1, 1, 9, 23, 37},
    {1, 3, 3, 5, 19, 33},
    {1, 1, 3, 13, 11, 7},
    {1, 1, 7, 13, 25, 5},
    {1, 3, 5, 11, 7, 11},
    {1, 1, 1, 3, 13, 39},
};

// Initial values of dimensions 18 ... 1023 are m_1 = 1 and, for k >= 2, an odd
// number drawn uniformly below 2^k from SplitMix64 with this seed (the ASCII
// bytes of "Kvantelo"), in order of dimension and then of k. Independent
// random odd values avoid the strong correlations between high dimensions
// that a regular choice such as all ones produces.
constexpr uint64_t InitialValueSeed = 0x4B76616E74656C6Full;

constexpr uint64_t SplitMix64(uint64_t& state) {
    state += 0x9E3779B97F4A7C15ull;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

constexpr int32_t DegreeOf(int32_t polynomial) {
    return static_cast<int32_t>(std::bit_width(static_cast<uint32_t>(polynomial))) - 1;
}

// Product of two residues modulo the polynomial, both of degree < its degree.
constexpr uint32_t MultiplyModulo(uint32_t a, uint32_t b, uint32_t polynomial, int32_t degree) {
    uint32_t product = 0;
    for (; b != 0; b >>= 1) {
        if (b & 1u) {
            product ^= a;
        }
        a <<= 1;
        if ((a >> degree) & 1u) {
            a ^= polynomial;
        }
    }
    return product;
}

constexpr uint32_t PowerOfX(uint32_t exponent, uint32_t polynomial, int32_t degree) {
    uint32_t base = 2u;
    if ((base >> degree) & 1u) {
        base ^= polynomial;
    }
    uint32_t result = 1u;
    for (; exponent != 0; exponent >>= 1) {
        if (exponent & 1u) {
            result = MultiplyModulo(result, base, polynomial, degree);
        }
        base = MultiplyModulo(base, base, polynomial, degree);
    }
    return result;
}

// Primitive means x has order exactly 2^s - 1 modulo the polynomial, which
// also implies irreducibility.
constexpr bool IsPrimitive(uint32_t polynomial, int32_t degree) {
    // An even number of terms means x + 1 divides the polynomial.
    if (std::popcount(polynomial) % 2 == 0) {
        return false;
    }
    const uint32_t order = (1u << degree) - 1u;
    // x^(2^s) = x says the order divides 2^s - 1; s squarings test it cheaply
    // and reject most candidates.
    uint32_t power = 2u;
    for (int32_t i = 0; i < degree; ++i) {
        power = MultiplyModulo(power, power, polynomial, degree);
    }
    if (power != 2u) {
        return false;
    }
    // The order is 2^s - 1 unless it divides (2^s - 1) / q for a prime q.
    uint32_t rest = order;
    for (uint32_t factor = 2u; factor * factor <= rest; ++factor) {
        if (rest % factor != 0u) {
            continue;
        }
        if (PowerOfX(order / factor, polynomial, degree) == 1u) {
            return false;
        }
        while (rest % factor == 0u) {
            rest /= factor;
        }
    }
    return rest == 1u || PowerOfX(order / rest, polynomial, degree) != 1u;
}

constexpr bool InFixedOrder(int32_t polynomial) {
    for (int32_t fixed : FixedOrderPolynomials) {
        if (fixed == polynomial) {
            return true;
        }
    }
    return false;
}

struct DirectionData {
    int32_t table[SobolBitCount][SobolDimensionCount] = {};
    int32_t polynomial[SobolDimensionCount] = {};
};

constexpr void FillPolynomials(DirectionData& data) {
    int32_t dimension = 0;
    for (; dimension < FixedOrderCount; ++dimension) {
        data.polynomial[dimension] = FixedOrderPolynomials[dimension];
    }
    // Then every unused primitive polynomial, by degree and value, until the
    // table is full.
    for (int32_t degree = DegreeOf(FixedOrderPolynomials[FixedOrderCount - 1]);
         degree <= MaxDegree && dimension < SobolDimensionCount; ++degree) {
        for (int32_t candidate = (1 << degree) + 1;
             candidate < (2 << degree) && dimension < SobolDimensionCount; candidate += 2) {
            if (!InFixedOrder(candidate) && IsPrimitive(static_cast<uint32_t>(candidate), degree)) {
                data.polynomial[dimension++] = candidate;
            }
        }
    }
}

// Writes column j: rows below the degree from the initial values, the others
// from the polynomial's recurrence on the scaled entries.
constexpr void FillColumn(DirectionData& data, int32_t j, const int32_t* initialValues) {
    const int32_t polynomial = data.polynomial[j];
    const int32_t degree = DegreeOf(polynomial);
    int32_t column[SobolBitCount] = {};
    for (int32_t b = 0; b < degree; ++b) {
        column[b] = initialValues[b] << (30 - b);
    }
    for (int32_t b = degree; b < SobolBitCount; ++b) {
        int32_t value = column[b - degree] ^ (column[b - degree] >> degree);
        for (int32_t i = 1; i < degree; ++i) {
            if ((polynomial >> (degree - i)) & 1) {
                value ^= column[b - i];
            }
        }
        column[b] = value;
    }
    for (int32_t b = 0; b < SobolBitCount; ++b) {
        data.table[b][j] = column[b];
    }
}

constexpr DirectionData BuildDirectionData() {
    DirectionData data;
    FillPolynomials(data);
    for (int32_t j = 0; j < FixedInitialCount; ++j) {
        FillColumn(data, j, FixedInitialValues[j]);
    }
    uint64_t generator = InitialValueSeed;
    for (int32_t j = FixedInitialCount; j < SobolDimensionCount; ++j) {
        int32_t initialValues[MaxDegree] = {1};
        for (int32_t k = 2; k <= DegreeOf(data.polynomial[j]); ++k) {
            // The top k - 1 bits give an odd value uniform below 2^k.
            initialValues[k - 1] = static_cast<int32_t>((SplitMix64(generator) >> (65 - k)) << 1 | 1u);
        }
        FillColumn(data, j, initialValues);
    }
    return data;
}

// Evaluated by the compiler: the table is constant data, ready before any
// code runs and never written.
constexpr DirectionData Directions = BuildDirectionData();

}  // namespace

const int32_t (&SobolDirectionTable)[SobolBitCount][SobolDimensionCount] = Directions.table;

int32_t SobolPolynomial(int32_t dimension) {
    return Directions.polynomial[dimension];
}

int32_t SobolDegree(int32_t dimension) {
    return DegreeOf(Directions.polynomial[dimension]);
}
