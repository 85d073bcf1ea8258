// SPDX-License-Identifier: MIT
#include "IPAddressText.h"

#include <cctype>
#include <cstdint>

namespace Parlamine {

std::array<std::string, 4> SplitAddressString(const std::string& text) {
  if (text.size() < 7 || text.size() > 15) throw EIPAddressException();
  std::array<std::string, 4> parts;
  std::string rest = text;
  for (int field = 0; field < 3; ++field) {
    const size_t dot = rest.find('.');
    if (dot == std::string::npos) throw EIPAddressException();
    parts[field] = rest.substr(0, dot);
    rest.erase(0, dot + 1);
  }
  parts[3] = rest;
  return parts;
}

std::optional<int> ParseDecimalInteger(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{INT32_MAX} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<int>(value);
}

int ParseAddressPart(const std::string& part) {
  const std::optional<int> value = ParseDecimalInteger(part);
  if (!value || *value < 0 || *value > 255) throw EIPAddressException();
  return *value;
}

std::array<TFieldPlacement, 4> IPFieldPlacement(int clientWidth, int dotWidth) {
  const int width = (clientWidth - 3 * dotWidth) / 4;
  std::array<TFieldPlacement, 4> fields;
  for (int i = 0; i < 4; ++i) fields[i] = {i * (width + dotWidth), width};
  return fields;
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace Parlamine
