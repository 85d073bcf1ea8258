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

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// "a.b.c.d" with four octets of 1 to 3 digits each, nothing else.
std::optional<std::array<int, 4>> StrictDottedQuad(std::string_view text) {
  std::array<int, 4> octets{};
  for (size_t i = 0; i < 4; ++i) {
    size_t digits = 0;
    int value = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
      if (digits == 3) return std::nullopt;
      value = value * 10 + (text[digits] - '0');
      ++digits;
    }
    if (digits == 0 || value > 255) return std::nullopt;
    octets[i] = value;
    text.remove_prefix(digits);
    if (i < 3) {
      if (text.empty() || text.front() != '.') return std::nullopt;
      text.remove_prefix(1);
    }
  }
  if (!text.empty()) return std::nullopt;
  return octets;
}

bool IsPrefixLength(std::string_view text) {
  if (text.empty() || text.size() > 2) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value <= 32;
}

// What may follow the address: "/22", "/255.255.252.0" or a blank and a mask.
bool IsNetworkSuffix(std::string_view suffix) {
  suffix = TrimBlanks(suffix);
  if (suffix.empty()) return true;
  if (suffix.front() == '/') {
    suffix = TrimBlanks(suffix.substr(1));
    return IsPrefixLength(suffix) || StrictDottedQuad(suffix).has_value();
  }
  return StrictDottedQuad(suffix).has_value();
}

}  // namespace

std::optional<std::array<int, 4>> PastedAddressOctets(std::string_view text) {
  text = TrimBlanks(text);
  const size_t end = text.find_first_of(" \t/");
  const std::optional<std::array<int, 4>> octets = StrictDottedQuad(text.substr(0, end));
  if (!octets) return std::nullopt;
  if (end != std::string_view::npos && !IsNetworkSuffix(text.substr(end))) return std::nullopt;
  return octets;
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
