// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "DecimalWriter.h"

namespace Parlamine {
namespace {

// Writes into a buffer filled with a guard character and checks that no
// character beyond the allowed room was touched.
template <typename Writer>
std::string Written(Writer write, size_t room) {
  std::array<char, 64> buffer;
  buffer.fill('#');
  char* const end = write(buffer.data());
  for (size_t i = room; i < buffer.size(); ++i)
    EXPECT_EQ(buffer[i], '#') << "character " << i << " written beyond the room of " << room;
  return std::string(buffer.data(), end);
}

TEST(DecimalWriter, UnsignedDigitsAtEveryLength) {
  // Each power of ten and the number before it: the digit count changes there.
  uint64_t power = 1;
  for (int digits = 1; digits <= 20; ++digits) {
    const std::string text = "1" + std::string(static_cast<size_t>(digits - 1), '0');
    EXPECT_EQ(Written([power](char* out) { return WriteDecimal(power, out); }, MaxDecimalTextSize), text);
    if (digits > 1) {
      const std::string nines(static_cast<size_t>(digits - 1), '9');
      EXPECT_EQ(Written([power](char* out) { return WriteDecimal(power - 1, out); }, MaxDecimalTextSize),
                nines);
    }
    if (digits < 20) power *= 10;
  }
  const struct {
    uint64_t Value;
    const char* Text;
  } cases[] = {
      {0, "0"},
      {7, "7"},
      {42, "42"},
      {105, "105"},
      {4194303, "4194303"},
      {1000000007, "1000000007"},
      {std::numeric_limits<uint64_t>::max(), "18446744073709551615"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Written([&c](char* out) { return WriteDecimal(c.Value, out); }, MaxDecimalTextSize), c.Text);
}

TEST(DecimalWriter, SignedValues) {
  const struct {
    int64_t Value;
    const char* Text;
  } cases[] = {
      {0, "0"},
      {1, "1"},
      {-1, "-1"},
      {-10, "-10"},
      {-4194304, "-4194304"},
      {std::numeric_limits<int64_t>::max(), "9223372036854775807"},
      {std::numeric_limits<int64_t>::min(), "-9223372036854775808"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Written([&c](char* out) { return WriteSignedDecimal(c.Value, out); }, MaxDecimalTextSize),
              c.Text);
}

TEST(DecimalWriter, DottedQuadsStayInTheirRoom) {
  const struct {
    uint32_t Value;
    const char* Text;
  } cases[] = {
      {0x00000000u, "0.0.0.0"},
      {0xFFFFFFFFu, "255.255.255.255"},
      {0xC0A80100u, "192.168.1.0"},
      {0x0A000001u, "10.0.0.1"},
      {0x01166485u, "1.22.100.133"},
      {0xFFFFFF00u, "255.255.255.0"},  // the longest head before a short last octet
      {0x0000FF09u, "0.0.255.9"},
      {0x7F000001u, "127.0.0.1"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Written([&c](char* out) { return WriteDottedQuad(c.Value, out); }, MaxDottedQuadTextSize),
              c.Text);
}

TEST(DecimalWriter, EveryOctetValueInEveryPlace) {
  for (uint32_t octet = 0; octet < 256; ++octet) {
    const std::string o = std::to_string(octet);
    for (int place = 0; place < 4; ++place) {
      const uint32_t value = (0x01010101u & ~(0xFFu << (8 * (3 - place)))) | (octet << (8 * (3 - place)));
      std::string expected;
      for (int p = 0; p < 4; ++p) expected += (p > 0 ? "." : "") + (p == place ? o : std::string("1"));
      ASSERT_EQ(Written([value](char* out) { return WriteDottedQuad(value, out); }, MaxDottedQuadTextSize),
                expected);
    }
  }
}

}  // namespace
}  // namespace Parlamine
