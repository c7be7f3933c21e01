// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target for the conversions of the input fields. The first byte
// picks the locale's decimal separator, the rest is the field's text. Besides
// surviving every text, the conversions must keep their own promises: only
// finite values, an integer reads as the same real, '.' is read under every
// locale, and blanks around a number do not change it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "ui/NumberConversion.h"

namespace {

// Separators of real locales, and none at all.
constexpr std::string_view Separators[] = {".", ",", "\u066b", "\u00b7", ""};
// Longest text that ParseReal reads once its blanks are trimmed.
constexpr std::size_t MaxRealTextLength = 256;

void Require(bool condition)
{
    if (!condition) std::abort();
}

bool SameValue(const std::optional<double>& a, const std::optional<double>& b)
{
    if (a.has_value() != b.has_value()) return false;
    return !a || (std::signbit(*a) == std::signbit(*b) && *a == *b);
}

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const std::string_view separator = Separators[data[0] % std::size(Separators)];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::optional<double> real = ParseReal(text, separator);
    Require(!real || std::isfinite(*real));
    const std::optional<int32_t> integer = ParseInteger(text);

    if (Trimmed(text).size() <= MaxRealTextLength) {
        if (integer) Require(real && *real == static_cast<double>(*integer));
        // '.' is the form of the default texts and reads alike under every locale.
        if (separator != "." && text.find(separator.empty() ? "." : separator) == std::string_view::npos)
            Require(SameValue(ParseReal(text, "."), real));
    }
    if (Trimmed(text).size() + 2 <= MaxRealTextLength) {
        const std::string padded = " " + std::string(text) + "\t";
        Require(SameValue(ParseReal(padded, separator), real));
        Require(ParseInteger(padded) == integer);
    }
    return 0;
}
