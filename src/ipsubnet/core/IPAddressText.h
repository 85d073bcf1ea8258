// SPDX-License-Identifier: MIT
// Reading the dotted text of an IPv4 address as the address control takes it.
#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace Parlamine {

// Every rejected address text raises this, always with the same message.
class EIPAddressException : public std::exception {
 public:
  const char* what() const noexcept override { return "Invalid IP Address String"; }
};

// Splits "a.b.c.d" into its four parts at the first three dots; the fourth
// part is all that remains. Texts shorter than 7 or longer than 15
// characters, or with fewer than three dots, raise EIPAddressException.
std::array<std::string, 4> SplitAddressString(const std::string& text);

// A part that is a number from 0 to 255; anything else (empty, not a number,
// out of range, a fourth part that still holds a dot) raises EIPAddressException.
int ParseAddressPart(const std::string& part);

// Signed decimal integer text: an optional sign and at least one digit, with
// nothing around it. Empty when the text is no such number or does not fit
// 32 bits.
std::optional<int> ParseDecimalInteger(const std::string& text);

// The four octets of a whole dotted address as people paste it: blanks
// around it are ignored, and a trailing prefix length ("/22") or mask
// ("/255.255.252.0" or " 255.255.252.0") is allowed and dropped. Each octet
// is one to three digits from 0 to 255. Empty for anything else, so that a
// paste that is no address is handled like any other pasted text.
std::optional<std::array<int, 4>> PastedAddressOctets(std::string_view text);

// Where the address control puts its four octet fields: W = (client width -
// 3 dots) / 4, truncated toward zero, and field i at i x (W + dot width).
struct TFieldPlacement {
  int Left = 0;
  int Width = 0;
};
std::array<TFieldPlacement, 4> IPFieldPlacement(int clientWidth, int dotWidth);

// Case-insensitive comparison of ASCII texts (placeholder parts).
bool SameTextIgnoringCase(const std::string& a, const std::string& b);

}  // namespace Parlamine
