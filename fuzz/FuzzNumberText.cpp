// SPDX-License-Identifier: MIT
// The number-text parsers: any text is a number or an EConvertError, and every
// value comes back from its text in each style: parse(format(x)) == x.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzCheck.h"
#include "RadixerModel.h"
#include "ZellBinDecHex.h"

using namespace Parlamine;

namespace {

constexpr TNumberStyle Styles[] = {TNumberStyle::nsBinary, TNumberStyle::nsDecimal, TNumberStyle::nsFloat,
                                   TNumberStyle::nsHexadecimal, TNumberStyle::nsOctal};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (TNumberStyle style : Styles) {
    try {
      (void)ParseInteger(style, text);
    } catch (const EConvertError&) {
    }
  }
  (void)InsertThousandSeparators(text);
  (void)GroupDigits(text, size > 0 ? data[0] % 9 : 4);

  if (size >= 9) {
    int64_t value = 0;
    std::memcpy(&value, data, sizeof value);
    const int digits = static_cast<int8_t>(data[8]);
    for (TNumberStyle style : Styles) {
      // Zeros put in front of a minus sign make no number: the decimal
      // fields write negative values unpadded.
      const bool decimal = style == TNumberStyle::nsDecimal || style == TNumberStyle::nsFloat;
      const std::string formatted = FormatInteger(style, value, decimal && value < 0 ? -1 : digits);
      FUZZ_CHECK(ParseInteger(style, formatted) == value);
    }
    uint8_t bytes[8];
    std::memcpy(bytes, &value, sizeof bytes);
    ReverseBits(bytes, sizeof bytes);
    ReverseBits(bytes, sizeof bytes);
    FUZZ_CHECK(std::memcmp(bytes, &value, sizeof bytes) == 0);
  }
  return 0;
}
