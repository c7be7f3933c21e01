// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Text-to-number conversions of the input fields, free of any widget so that
// they can be fuzzed on their own.
//
// A real number is: optional blanks, an optional sign, digits with at most one
// decimal separator (at least one digit in all), an optional exponent (e or E,
// optional sign, digits), optional blanks. The separator is either the one of
// the user's locale or '.', the form of the default texts, so the defaults read
// alike under every locale. Only finite values are accepted: "nan", "inf" and
// texts whose value overflows or underflows a double are refused.
std::optional<double> ParseReal(std::string_view text, std::string_view localeDecimalSeparator);

// An integer is: optional blanks, an optional sign, decimal digits, optional
// blanks, with a value that fits a signed 32-bit integer.
std::optional<int32_t> ParseInteger(std::string_view text);
