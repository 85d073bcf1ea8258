// SPDX-License-Identifier: MIT
#include "DecimalWriter.h"

#include <array>
#include <cstring>

namespace Parlamine {

namespace {

// "00" to "99": two digits per division.
constexpr std::array<char, 200> DigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[static_cast<size_t>(2 * i)] = static_cast<char>('0' + i / 10);
    pairs[static_cast<size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

int DigitCount(uint64_t value) {
  int count = 1;
  for (uint64_t limit = 10; value >= limit; limit *= 10) {
    ++count;
    if (count == 20) break;  // 10^20 does not fit: every larger value has 20
  }
  return count;
}

// Each octet's digits followed by a dot, padded to four characters, so an
// octet is one fixed-size copy; Length counts the digits only.
struct TOctetTexts {
  std::array<std::array<char, 4>, 256> Text{};
  std::array<uint8_t, 256> Length{};
};

constexpr TOctetTexts OctetTexts = [] {
  TOctetTexts texts;
  for (int v = 0; v < 256; ++v) {
    auto& text = texts.Text[static_cast<size_t>(v)];
    int n = 0;
    if (v >= 100) text[static_cast<size_t>(n++)] = static_cast<char>('0' + v / 100);
    if (v >= 10) text[static_cast<size_t>(n++)] = static_cast<char>('0' + v / 10 % 10);
    text[static_cast<size_t>(n++)] = static_cast<char>('0' + v % 10);
    text[static_cast<size_t>(n)] = '.';
    texts.Length[static_cast<size_t>(v)] = static_cast<uint8_t>(n);
  }
  return texts;
}();

}  // namespace

char* WriteDecimal(uint64_t value, char* out) {
  char* const end = out + DigitCount(value);
  char* p = end;
  while (value >= 100) {
    p -= 2;
    std::memcpy(p, &DigitPairs[static_cast<size_t>(value % 100 * 2)], 2);
    value /= 100;
  }
  if (value >= 10) {
    std::memcpy(p - 2, &DigitPairs[static_cast<size_t>(value * 2)], 2);
  } else {
    p[-1] = static_cast<char>('0' + value);
  }
  return end;
}

char* WriteSignedDecimal(int64_t value, char* out) {
  if (value >= 0) return WriteDecimal(static_cast<uint64_t>(value), out);
  *out++ = '-';
  // Negated in unsigned arithmetic, where the lowest value has its magnitude.
  return WriteDecimal(0 - static_cast<uint64_t>(value), out);
}

char* WriteDottedQuad(uint32_t value, char* out) {
  // The first three octets bring their dot; a copy of four characters ends
  // at most at character 12. The last octet's copy of three characters
  // starts at most at character 12, so nothing goes past character 15.
  for (int shift = 24; shift > 0; shift -= 8) {
    const size_t octet = (value >> shift) & 0xFFu;
    std::memcpy(out, OctetTexts.Text[octet].data(), 4);
    out += OctetTexts.Length[octet] + 1;
  }
  const size_t last = value & 0xFFu;
  std::memcpy(out, OctetTexts.Text[last].data(), 3);
  return out + OctetTexts.Length[last];
}

}  // namespace Parlamine
