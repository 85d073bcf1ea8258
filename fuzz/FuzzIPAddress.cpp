// SPDX-License-Identifier: MIT
// The IP address text: any text is an address or EIPAddressException, and an
// address read from text comes back as the same four numbers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "IPAddressText.h"

using namespace Parlamine;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const auto parts = SplitAddressString(text);
    std::string joined;
    for (size_t i = 0; i < parts.size(); ++i) {
      const int octet = ParseAddressPart(parts[i]);
      FUZZ_CHECK(octet >= 0 && octet <= 255);
      joined += (i ? "." : "") + std::to_string(octet);
    }
    // The canonical text reads as the same address.
    const auto again = SplitAddressString(joined);
    for (size_t i = 0; i < parts.size(); ++i)
      FUZZ_CHECK(ParseAddressPart(again[i]) == ParseAddressPart(parts[i]));
  } catch (const EIPAddressException&) {
  }
  if (const auto number = ParseDecimalInteger(text))
    FUZZ_CHECK(ParseDecimalInteger(std::to_string(*number)) == number);
  if (size >= 4) {
    const std::string address = std::to_string(data[0]) + "." + std::to_string(data[1]) + "." +
                                std::to_string(data[2]) + "." + std::to_string(data[3]);
    const auto parts = SplitAddressString(address);
    for (size_t i = 0; i < 4; ++i) FUZZ_CHECK(ParseAddressPart(parts[i]) == data[i]);
  }
  return 0;
}
