// SPDX-License-Identifier: MIT
#include "ZellBinDecHex.h"

#include <algorithm>
#include <array>
#include <utility>

namespace Parlamine {

namespace {

// Zero padding never adds more than this many zeros.
constexpr int MaxZeroPad = 200;

constexpr uint8_t ReverseByte(uint8_t b) {
  uint8_t r = 0;
  for (int bit = 0; bit < 8; ++bit)
    if (b & (1u << bit)) r |= static_cast<uint8_t>(0x80u >> bit);
  return r;
}

constexpr std::array<uint8_t, 256> MakeBitReverseTable() {
  std::array<uint8_t, 256> table{};
  for (int n = 0; n < 256; ++n) table[n] = ReverseByte(static_cast<uint8_t>(n));
  return table;
}

// Entry n is n with its bits in reverse order: 0x00, 0x80, 0x40, 0xC0, ... 0xFF.
constexpr std::array<uint8_t, 256> BitReverseTable = MakeBitReverseTable();
static_assert(BitReverseTable[1] == 0x80 && BitReverseTable[3] == 0xC0 && BitReverseTable[0xFF] == 0xFF);

unsigned char Code(char c) { return static_cast<unsigned char>(c); }

std::string QuotedMessage(std::string_view text, const char* what) {
  std::string message(1, '\'');
  message.append(text);
  message.append("' is not a valid ");
  message.append(what);
  message.append(" value");
  return message;
}

// Shifts each digit into the low bits of an unsigned accumulator, so bits
// leaving the top are dropped without any undefined behaviour.
template <typename TAccept, typename TDigit>
int64_t ParseDigits(std::string_view text, unsigned bitsPerDigit, const char* what, TAccept accept,
                    TDigit digit) {
  uint64_t value = 0;
  for (char c : text) {
    if (!accept(c)) throw EConvertError(QuotedMessage(text, what));
    value = (value << bitsPerDigit) | static_cast<uint64_t>(digit(c));
  }
  return static_cast<int64_t>(value);
}

// Digits of the unsigned value, `bitsPerDigit` bits at a time, no leading zeros.
std::string PowerOfTwoDigits(int64_t value, unsigned bitsPerDigit) {
  static constexpr char DigitChars[] = "0123456789ABCDEF";
  const uint64_t mask = (uint64_t{1} << bitsPerDigit) - 1;
  uint64_t rest = static_cast<uint64_t>(value);
  std::string text;
  while (rest != 0) {
    text.insert(text.begin(), DigitChars[rest & mask]);
    rest >>= bitsPerDigit;
  }
  return text.empty() ? std::string("0") : text;
}

}  // namespace

bool IsBinDigit(char c) { return c == '0' || c == '1'; }
bool IsOctDigit(char c) { return c >= '0' && c <= '7'; }
bool IsDecDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDecDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool IsControlChar(char c) { return Code(c) < 32; }

int HexDigitValue(char c) {
  if (IsDecDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

int64_t BinToInt64(std::string_view text) {
  return ParseDigits(text, 1, "binary", IsBinDigit, [](char c) { return c - '0'; });
}

int64_t OctToInt64(std::string_view text) {
  return ParseDigits(text, 3, "octal", IsOctDigit, [](char c) { return c - '0'; });
}

int64_t HexToInt64(std::string_view text) {
  return ParseDigits(text, 4, "hexadecimal", IsHexDigit, HexDigitValue);
}

int64_t DecToInt64(std::string_view text) {
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  const auto fail = [&] { return EConvertError(QuotedMessage(text, "integer")); };
  if (digits.empty()) throw fail();
  // The magnitude may reach 2^63 for a negative number only.
  const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
  uint64_t magnitude = 0;
  for (char c : digits) {
    if (!IsDecDigit(c)) throw fail();
    const uint64_t digit = static_cast<uint64_t>(c - '0');
    if (magnitude > (limit - digit) / 10) throw fail();
    magnitude = magnitude * 10 + digit;
  }
  // Negating in unsigned arithmetic covers the smallest value, -2^63.
  return static_cast<int64_t>(negative ? uint64_t{0} - magnitude : magnitude);
}

std::string ZeroPad(std::string text, int digits) {
  const size_t wanted = digits < 0 ? 0 : static_cast<size_t>(digits);
  if (text.size() >= wanted) return text;
  const size_t zeros = std::min(wanted - text.size(), static_cast<size_t>(MaxZeroPad));
  text.insert(0, zeros, '0');
  return text;
}

std::string Int64ToBin(int64_t value, int digits) { return ZeroPad(PowerOfTwoDigits(value, 1), digits); }
std::string Int64ToOct(int64_t value, int digits) { return ZeroPad(PowerOfTwoDigits(value, 3), digits); }
std::string Int64ToHex(int64_t value, int digits) { return ZeroPad(PowerOfTwoDigits(value, 4), digits); }
std::string Int64ToDec(int64_t value, int digits) { return ZeroPad(std::to_string(value), digits); }

std::string GroupDigits(std::string_view text, int groupSize) {
  return InsertSeparators(text, ' ', groupSize);
}

void ReverseBitsInBytes(uint8_t* buffer, size_t count) {
  for (size_t i = 0; i < count; ++i) buffer[i] = BitReverseTable[buffer[i]];
}

void ReverseBits(uint8_t* buffer, size_t count) {
  for (size_t i = 0; i < count / 2; ++i) {
    const size_t j = count - 1 - i;
    const uint8_t low = buffer[i];
    buffer[i] = BitReverseTable[buffer[j]];
    buffer[j] = BitReverseTable[low];
  }
  if (count % 2 != 0) buffer[count / 2] = BitReverseTable[buffer[count / 2]];
}

namespace {

std::array<uint8_t, 4> BytesOf(uint32_t value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
          static_cast<uint8_t>(value >> 24)};
}

uint32_t ValueOf(const std::array<uint8_t, 4>& b) {
  return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}

}  // namespace

uint32_t ReverseBitsInBytes32(uint32_t value) {
  auto bytes = BytesOf(value);
  ReverseBitsInBytes(bytes.data(), bytes.size());
  return ValueOf(bytes);
}

uint32_t ReverseBits32(uint32_t value) {
  auto bytes = BytesOf(value);
  ReverseBits(bytes.data(), bytes.size());
  return ValueOf(bytes);
}

}  // namespace Parlamine
