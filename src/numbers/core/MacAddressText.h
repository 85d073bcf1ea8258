// SPDX-License-Identifier: MIT
// Hardware addresses as people write them: 00:1A:2B:3C:4D:5E, 00-1a-2b-3c-4d-5e,
// 001a.2b3c.4d5e (Cisco), 001A2B3C4D5E, and their leading parts (an OUI alone,
// 001A2B or 00-1A-2B; a 28- or 36-bit prefix, 001A2B3 or 001A2B3C4).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Parlamine {

struct THardwareAddress {
  uint64_t Value = 0;  // 48-bit, the digits not given are zero
  int Digits = 12;     // hexadecimal digits given, 6 to 12
  int KnownBits() const { return Digits * 4; }
};

// The address, or an explanation of what is wrong with the text:
//  - separators ':' or '-' (one kind only): six groups of 1 or 2 digits, each
//    read as a byte (0:1a:2:3:4:5 is 00:1A:02:03:04:05); fewer groups give a
//    prefix and must hold 2 digits each but the last;
//  - '.' (Cisco): groups of 4 digits, the last may be shorter;
//  - none: 6 to 12 digits.
// Blanks around the text are ignored. 6 to 12 digits in all.
struct TParsedHardwareAddress {
  std::optional<THardwareAddress> Address;
  std::string Error;
};
TParsedHardwareAddress ParseHardwareAddress(std::string_view text);

// The OUI of a hardware address in any notation above: its first six
// hexadecimal digits in capitals ("001B63"). Empty for text that is none.
std::optional<std::string> HardwareAddressOUI(std::string_view text);

// "00-1A-2B-3C-4D-5E"; a prefix shows only its digits ("00-1A-2B-3"), an
// 11-digit one without dashes ("001A2B3C4D5"), so every text reads back as
// the same address.
std::string HardwareAddressText(const THardwareAddress& address);
// Each byte's bits reversed, the byte order kept (the Ethernet <-> Token Ring
// / FDDI form). Of an odd number of digits the last one is dropped: its bits
// would land behind bits that were not given.
THardwareAddress BitSwappedAddress(const THardwareAddress& address);

}  // namespace Parlamine
