// SPDX-License-Identifier: MIT
// Decimal digit strings of binary floating-point values, and the text forms
// built from them. Locale-independent: the decimal separator is passed in.
#pragma once

#include <optional>
#include <string>

namespace Parlamine {

// A finite, non-zero value as D0.D1D2... x 10^Exponent, rounded to a number of
// significant digits, trailing zeros dropped (at least one digit remains).
struct TDecimalDigits {
  bool Negative = false;
  std::string Digits;
  int Exponent = 0;
};

// "NAN", "INF" or "-INF" for values that have no digits; empty otherwise.
std::optional<std::string> SpecialFloatText(double value);
// value must be finite and not 0; significant is 1 to 17. Halves round away
// from zero.
TDecimalDigits ToDecimalDigits(double value, int significant);
// Fixed notation with exactly the digits held: 1.5E-3 reads "0.0015".
std::string PlainDecimalText(const TDecimalDigits& decimal, char decimalSeparator);
// Mantissa, "E", exponent without plus or leading zeros: "1.23457E6".
std::string ScientificText(const TDecimalDigits& decimal, char decimalSeparator);
// Fixed notation with exactly `decimals` digits after the separator, rounded
// half away from zero at the last one and padded with zeros; at least one
// digit before the separator.
std::string FixedText(const TDecimalDigits& decimal, int decimals, char decimalSeparator);

}  // namespace Parlamine
