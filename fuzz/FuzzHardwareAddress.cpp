// SPDX-License-Identifier: MIT
// Hardware address texts as the oui command reads them: any text is read or
// refused with a reason; an address read is 6 to 12 digits of a 48-bit value
// with nothing below its digits, reads back from its own text, and its
// bit-swapped form swaps back to the whole bytes it was given.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "MacAddressText.h"

using namespace Parlamine;

namespace {

bool SameAddress(const THardwareAddress& a, const THardwareAddress& b) {
  return a.Value == b.Value && a.Digits == b.Digits;
}

void CheckAddress(const THardwareAddress& address) {
  FUZZ_CHECK(address.Digits >= 6 && address.Digits <= 12);
  FUZZ_CHECK(address.Value < (uint64_t{1} << 48));
  const uint64_t belowDigits = (uint64_t{1} << (48 - address.KnownBits())) - 1;
  FUZZ_CHECK((address.Value & belowDigits) == 0);

  const TParsedHardwareAddress again = ParseHardwareAddress(HardwareAddressText(address));
  FUZZ_CHECK(again.Address && SameAddress(*again.Address, address));

  const THardwareAddress swapped = BitSwappedAddress(address);
  FUZZ_CHECK(swapped.Digits == address.Digits - address.Digits % 2);
  THardwareAddress wholeBytes = address;
  wholeBytes.Digits = swapped.Digits;
  wholeBytes.Value &= ~((uint64_t{1} << (48 - 4 * swapped.Digits)) - 1);
  FUZZ_CHECK(SameAddress(BitSwappedAddress(swapped), wholeBytes));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const TParsedHardwareAddress parsed = ParseHardwareAddress(text);
  FUZZ_CHECK(parsed.Address.has_value() == parsed.Error.empty());
  if (parsed.Address) CheckAddress(*parsed.Address);
  return 0;
}
