// SPDX-License-Identifier: MIT
#include "DecimalText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace Parlamine {

std::optional<std::string> SpecialFloatText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  return std::nullopt;
}

// Adds one unit in the last place of a string of decimal digits.
static void IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// Every digit that tells two doubles apart.
constexpr int DoubleDigits = 17;

TDecimalDigits ToDecimalDigits(double value, int significant) {
  TDecimalDigits decimal;
  decimal.Negative = value < 0;
  // to_chars gives the value's digits correctly and ignores the C locale; the
  // rounding to fewer digits is done here, because to_chars would round a
  // tie such as 1024.125 to the even neighbour and the texts round halves up.
  char buffer[64];
  const auto converted = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, DoubleDigits - 1);
  const std::string text(buffer, converted.ptr);  // "d.ddde+XX"
  const std::size_t exponentAt = text.find('e');
  for (std::size_t i = 0; i < exponentAt; ++i)
    if (text[i] != '.') decimal.Digits += text[i];
  decimal.Exponent = std::atoi(text.c_str() + exponentAt + 1);
  const std::size_t kept = static_cast<std::size_t>(significant);
  if (kept < decimal.Digits.size()) {
    const bool roundUp = decimal.Digits[kept] >= '5';
    decimal.Digits.resize(kept);
    if (roundUp) IncrementDigits(decimal.Digits);
    if (decimal.Digits.size() > kept) {  // 9.99 became 10.0
      decimal.Digits.pop_back();
      ++decimal.Exponent;
    }
  }
  while (decimal.Digits.size() > 1 && decimal.Digits.back() == '0') decimal.Digits.pop_back();
  return decimal;
}

std::string PlainDecimalText(const TDecimalDigits& decimal, char decimalSeparator) {
  std::string text = decimal.Negative ? "-" : "";
  const int count = static_cast<int>(decimal.Digits.size());
  if (decimal.Exponent < 0) {
    text += "0";
    text += decimalSeparator;
    text.append(static_cast<std::size_t>(-decimal.Exponent - 1), '0');
    return text + decimal.Digits;
  }
  const int integerDigits = decimal.Exponent + 1;
  if (count <= integerDigits)
    return text + decimal.Digits + std::string(static_cast<std::size_t>(integerDigits - count), '0');
  text += decimal.Digits.substr(0, static_cast<std::size_t>(integerDigits));
  text += decimalSeparator;
  return text + decimal.Digits.substr(static_cast<std::size_t>(integerDigits));
}

std::string ScientificText(const TDecimalDigits& decimal, char decimalSeparator) {
  std::string text = decimal.Negative ? "-" : "";
  text += decimal.Digits[0];
  if (decimal.Digits.size() > 1) {
    text += decimalSeparator;
    text += decimal.Digits.substr(1);
  }
  return text + "E" + std::to_string(decimal.Exponent);
}

std::string FixedText(const TDecimalDigits& decimal, int decimals, char decimalSeparator) {
  // units: the value in steps of 10^-decimals, as a digit string.
  const int kept = decimal.Exponent + decimals + 1;  // digits at or above the last place
  const int count = static_cast<int>(decimal.Digits.size());
  std::string units;
  if (kept <= 0) {
    units = (kept == 0 && decimal.Digits[0] >= '5') ? "1" : "0";
  } else if (kept >= count) {
    units = decimal.Digits + std::string(static_cast<std::size_t>(kept - count), '0');
  } else {
    units = decimal.Digits.substr(0, static_cast<std::size_t>(kept));
    if (decimal.Digits[static_cast<std::size_t>(kept)] >= '5') IncrementDigits(units);
  }
  if (static_cast<int>(units.size()) < decimals + 1)
    units.insert(0, static_cast<std::size_t>(decimals + 1) - units.size(), '0');
  const bool zero = units.find_first_not_of('0') == std::string::npos;
  std::string text = decimal.Negative && !zero ? "-" : "";
  text += units.substr(0, units.size() - static_cast<std::size_t>(decimals));
  if (decimals > 0) {
    text += decimalSeparator;
    text += units.substr(units.size() - static_cast<std::size_t>(decimals));
  }
  return text;
}

}  // namespace Parlamine
