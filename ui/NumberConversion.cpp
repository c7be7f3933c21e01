// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/NumberConversion.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Longest accepted number texts; anything longer is not a plausible input
// and is refused rather than copied.
constexpr std::size_t MaxRealTextLength = 256;

}  // namespace

std::optional<double> ParseReal(std::string_view text, std::string_view localeDecimalSeparator)
{
    text = TrimBlanks(text);
    if (text.size() > MaxRealTextLength) return std::nullopt;

    // Normalised copy in the one form std::from_chars reads, which ignores the
    // process locale: sign, digits, '.', digits, exponent.
    std::string normal;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') normal += '-';
        ++i;
    }
    int digits = 0;
    bool separatorSeen = false;
    while (i < text.size()) {
        if (IsDigit(text[i])) {
            normal += text[i];
            ++digits;
            ++i;
        } else if (!separatorSeen && text[i] == '.') {
            normal += '.';
            separatorSeen = true;
            ++i;
        } else if (!separatorSeen && !localeDecimalSeparator.empty() &&
                   text.substr(i).starts_with(localeDecimalSeparator)) {
            normal += '.';
            separatorSeen = true;
            i += localeDecimalSeparator.size();
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
        int exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i])) {
            normal += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;

    double value = 0.0;
    const char* first = normal.data();
    const char* last = first + normal.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int32_t> ParseInteger(std::string_view text)
{
    text = TrimBlanks(text);
    // std::from_chars reads a minus sign but no plus sign.
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.empty() || !IsDigit(text.front())) return std::nullopt;
    }
    int32_t value = 0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (error != std::errc() || end != last) return std::nullopt;
    return value;
}
