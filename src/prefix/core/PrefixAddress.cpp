// SPDX-License-Identifier: MIT
#include "PrefixAddress.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>

#include "DecimalWriter.h"
#include "DigitText.h"
#include "QuotedInput.h"

namespace Parlamine {

namespace {

std::string Quoted(std::string_view text) { return QuotedInput(text); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

// Reads four dotted decimal numbers. On failure `error` says which part is
// wrong, quoting `whole` (the text the user sees) around it.
bool ReadIPv4(std::string_view text, std::string_view whole, uint32_t& value, std::string& error) {
  const size_t dots = static_cast<size_t>(std::count(text.begin(), text.end(), '.'));
  if (dots != 3) {
    error = Quoted(whole) + " has " + std::to_string(dots + 1) +
            " parts; an IPv4 address has four numbers from 0 to 255 separated by dots";
    return false;
  }
  uint32_t result = 0;
  size_t start = 0;
  for (int part = 0; part < 4; ++part) {
    const size_t end = part < 3 ? text.find('.', start) : text.size();
    const std::string_view number = text.substr(start, end - start);
    if (number.empty()) {
      error = Quoted(whole) + " has an empty part where a number from 0 to 255 belongs";
      return false;
    }
    for (char c : number)
      if (!IsDigit(c)) {
        error = Quoted(number) + " in " + Quoted(whole) + " is not a number from 0 to 255";
        return false;
      }
    if (number.size() > 1 && number[0] == '0') {
      // 010 is 8 to some programs and 10 to others; refuse to guess.
      error = Quoted(number) + " in " + Quoted(whole) + " has a leading zero; write the number without it";
      return false;
    }
    unsigned octet = 256;
    if (number.size() <= 3) {
      octet = 0;
      for (char c : number) octet = octet * 10 + static_cast<unsigned>(c - '0');
    }
    if (octet > 255) {
      error = Quoted(number) + " in " + Quoted(whole) + " is more than 255";
      return false;
    }
    result = (result << 8) | octet;
    start = end + 1;
  }
  value = result;
  return true;
}

// Reads colon-separated groups (no "::" inside) into `groups`, appending.
// The last piece may be an IPv4 tail when `tailAllowed`; it counts as two
// groups.
// Up to eight groups, kept without touching the heap: a list of a million
// addresses is read without a million allocations.
struct TGroups {
  std::array<uint16_t, 8> Values{};
  size_t Count = 0;
  size_t size() const { return Count; }
  // Past eight the group is only counted: the caller says there are too many.
  void push_back(uint16_t value) {
    if (Count < Values.size()) Values[Count] = value;
    ++Count;
  }
};

bool ReadGroups(std::string_view text, std::string_view whole, bool tailAllowed, TGroups& groups,
                std::string& error) {
  size_t start = 0;
  while (true) {
    const size_t colon = text.find(':', start);
    const bool last = colon == std::string_view::npos;
    const std::string_view piece = text.substr(start, last ? std::string_view::npos : colon - start);
    if (piece.empty()) {
      error = Quoted(whole) + " has a ':' with no group next to it";
      return false;
    }
    if (piece.find('.') != std::string_view::npos) {
      if (!last || !tailAllowed) {
        error = Quoted(whole) + " has an IPv4 part that is not at its end";
        return false;
      }
      uint32_t tail = 0;
      if (!ReadIPv4(piece, piece, tail, error)) return false;
      groups.push_back(static_cast<uint16_t>(tail >> 16));
      groups.push_back(static_cast<uint16_t>(tail & 0xFFFFu));
      return true;
    }
    unsigned group = 0;
    for (char c : piece) {
      const int digit = HexValue(c);
      if (digit < 0) {
        error = Quoted(std::string_view(&c, 1)) + " in " + Quoted(whole) + " is not a hexadecimal digit";
        return false;
      }
      group = group * 16 + static_cast<unsigned>(digit);
    }
    if (piece.size() > 4) {
      error = Quoted(piece) + " in " + Quoted(whole) + " has more than four hexadecimal digits";
      return false;
    }
    groups.push_back(static_cast<uint16_t>(group));
    if (last) return true;
    start = colon + 1;
  }
}

bool ReadIPv6(std::string_view text, TUInt128& value, std::string& error) {
  const size_t percent = text.find('%');
  if (percent != std::string_view::npos) {
    error = Quoted(text) + " has a zone index (" + EscapedInput(text.substr(percent)) +
            "); a prefix has none, leave it out";
    return false;
  }
  if (text.find(":::") != std::string_view::npos) {
    error = Quoted(text) + " has three colons in a row";
    return false;
  }
  const size_t gap = text.find("::");
  if (gap != std::string_view::npos && text.find("::", gap + 2) != std::string_view::npos) {
    error = Quoted(text) + " holds '::' more than once";
    return false;
  }
  TGroups head;
  TGroups tail;
  if (gap == std::string_view::npos) {
    if (!ReadGroups(text, text, true, head, error)) return false;
    if (head.size() != 8) {
      error =
          Quoted(text) + (head.size() < 8 ? " has only " + std::to_string(head.size()) +
                                                " groups; an IPv6 address has eight, or '::' for zero groups"
                                          : std::string(" has more than eight groups"));
      return false;
    }
  } else {
    const std::string_view before = text.substr(0, gap);
    const std::string_view after = text.substr(gap + 2);
    if (!before.empty() && !ReadGroups(before, text, false, head, error)) return false;
    if (!after.empty() && !ReadGroups(after, text, true, tail, error)) return false;
    if (head.size() + tail.size() > 7) {
      error = Quoted(text) + " has too many groups for a '::' among them";
      return false;
    }
  }
  std::array<uint16_t, 8> groups{};
  std::copy_n(head.Values.begin(), head.Count, groups.begin());
  std::copy_n(tail.Values.begin(), tail.Count, groups.end() - static_cast<std::ptrdiff_t>(tail.Count));
  TUInt128 result = 0;
  for (uint16_t group : groups) result = (result << 16) | group;
  value = result;
  return true;
}

bool OnesFirst(uint32_t mask) {
  const uint32_t inverse = ~mask;
  return (inverse & (inverse + 1)) == 0;
}

// The prefix length a dotted mask stands for: a netmask's ones come first; a
// wildcard (access-list) mask's ones come last, so 0.0.0.255 is a /24. The
// two ends read as netmasks (0.0.0.0 a /0, 255.255.255.255 a /32), as they
// are far more often meant that way.
std::optional<int> DottedMaskLength(uint32_t mask) {
  if (OnesFirst(mask)) return std::popcount(mask);
  if (OnesFirst(~mask)) return 32 - std::popcount(mask);
  return std::nullopt;
}

char* WriteHexGroup(unsigned group, char* out) {
  static constexpr char Digits[] = "0123456789abcdef";
  bool started = false;
  for (int shift = 12; shift >= 0; shift -= 4) {
    const unsigned digit = (group >> shift) & 0xFu;
    if (digit != 0 || started || shift == 0) {
      *out++ = Digits[digit];
      started = true;
    }
  }
  return out;
}

char* WriteIPv6(TUInt128 value, char* out) {
  std::array<unsigned, 8> groups{};
  for (int i = 7; i >= 0; --i) {
    groups[static_cast<size_t>(i)] = static_cast<unsigned>(value & 0xFFFFu);
    value >>= 16;
  }
  const bool mapped = std::all_of(groups.begin(), groups.begin() + 5, [](unsigned g) { return g == 0; }) &&
                      groups[5] == 0xFFFFu;
  if (mapped) {
    static constexpr std::string_view MappedHead = "::ffff:";
    out = std::copy(MappedHead.begin(), MappedHead.end(), out);
    return WriteDottedQuad((groups[6] << 16) | groups[7], out);
  }
  // The longest run of zero groups, the first of equal ones; a run of one
  // group is not compressed.
  int bestStart = -1;
  int bestLength = 1;
  for (int i = 0; i < 8;) {
    if (groups[static_cast<size_t>(i)] != 0) {
      ++i;
      continue;
    }
    int j = i;
    while (j < 8 && groups[static_cast<size_t>(j)] == 0) ++j;
    if (j - i > bestLength) {
      bestStart = i;
      bestLength = j - i;
    }
    i = j;
  }
  for (int i = 0; i < 8;) {
    if (i == bestStart) {
      *out++ = ':';
      *out++ = ':';
      i += bestLength;
      continue;
    }
    if (i > 0 && i != bestStart + bestLength) *out++ = ':';
    out = WriteHexGroup(groups[static_cast<size_t>(i)], out);
    ++i;
  }
  return out;
}

}  // namespace

TUInt128 AllOnes(TAddressFamily family) {
  return family == TAddressFamily::afIPv4 ? TUInt128{0xFFFFFFFFu} : ~TUInt128{0};
}

TUInt128 PrefixMask(TAddressFamily family, int length) {
  const int bits = AddressBits(family);
  length = std::clamp(length, 0, bits);
  if (length == 0) return 0;
  // Shift the host bits out of the all-ones value; bits - length < bits.
  return (AllOnes(family) >> (bits - length)) << (bits - length);
}

TPrefix MakePrefix(const TAddress& address, int length) {
  length = std::clamp(length, 0, AddressBits(address.Family));
  return TPrefix{TAddress{address.Family, address.Value & PrefixMask(address.Family, length)}, length};
}

TAddress LastAddress(const TPrefix& prefix) {
  const TAddressFamily family = prefix.Network.Family;
  return TAddress{family, prefix.Network.Value | (AllOnes(family) & ~PrefixMask(family, prefix.Length))};
}

bool Contains(const TPrefix& outer, const TPrefix& inner) {
  if (outer.Network.Family != inner.Network.Family || inner.Length < outer.Length) return false;
  return (inner.Network.Value & PrefixMask(outer.Network.Family, outer.Length)) == outer.Network.Value;
}

char* WriteAddress(const TAddress& address, char* out) {
  if (address.Family == TAddressFamily::afIPv4)
    return WriteDottedQuad(static_cast<uint32_t>(address.Value), out);
  return WriteIPv6(address.Value, out);
}

char* WritePrefix(const TPrefix& prefix, char* out) {
  out = WriteAddress(prefix.Network, out);
  *out++ = '/';
  return WriteDecimal(static_cast<uint64_t>(prefix.Length), out);
}

std::string AddressText(const TAddress& address) {
  char text[MaxAddressTextSize];
  return std::string(text, WriteAddress(address, text));
}

std::string PrefixText(const TPrefix& prefix) {
  char text[MaxPrefixTextSize];
  return std::string(text, WritePrefix(prefix, text));
}

std::string DecimalText(TUInt128 value) {
  std::string digits;
  do {
    digits.push_back(static_cast<char>('0' + static_cast<int>(value % 10)));
    value /= 10;
  } while (value > 0);
  std::reverse(digits.begin(), digits.end());
  return digits;
}

std::string PowerOfTwoText(int exponent) {
  exponent = std::clamp(exponent, 0, 128);
  if (exponent < 128) return DecimalText(TUInt128{1} << exponent);
  // 2^128 = (2^128 - 1) + 1: add one to the decimal digits.
  std::string digits = DecimalText(~TUInt128{0});
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return digits;
    }
    *it = '0';
  }
  return "1" + digits;
}

std::string PowerOfTwoCountText(int exponent) { return InsertThousandSeparators(PowerOfTwoText(exponent)); }

std::string_view TrimBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

TAddressParse ParseAddress(std::string_view text) {
  TAddressParse result;
  text = TrimBlanks(text);
  if (text.empty()) {
    result.Error = "Enter an IPv4 or IPv6 address";
  } else if (text.find(':') != std::string_view::npos) {
    TUInt128 value = 0;
    result.Ok = ReadIPv6(text, value, result.Error);
    result.Address = TAddress{TAddressFamily::afIPv6, value};
  } else if (text.find('.') != std::string_view::npos) {
    uint32_t value = 0;
    result.Ok = ReadIPv4(text, text, value, result.Error);
    result.Address = TAddress{TAddressFamily::afIPv4, value};
  } else {
    result.Error = Quoted(text) + " is neither an IPv4 nor an IPv6 address";
  }
  if (!result.Ok) result.Address = TAddress{};
  return result;
}

TPrefixParse ParsePrefix(std::string_view text) {
  TPrefixParse result;
  const std::string_view whole = TrimBlanks(text);
  std::string_view addressPart = whole;
  std::string_view suffix;
  bool afterBlank = false;
  const size_t slash = whole.find('/');
  if (slash != std::string_view::npos) {
    addressPart = TrimBlanks(whole.substr(0, slash));
    suffix = TrimBlanks(whole.substr(slash + 1));
    if (suffix.find('/') != std::string_view::npos) {
      result.Error = Quoted(whole) + " has more than one '/'";
      return result;
    }
    if (addressPart.empty()) {
      result.Error = Quoted(whole) + " has no address before the '/'";
      return result;
    }
    if (suffix.empty()) {
      result.Error = "Nothing follows the '/' in " + Quoted(whole) + "; add a prefix length";
      return result;
    }
  } else {
    const size_t blank = whole.find_first_of(" \t");
    if (blank != std::string_view::npos) {
      addressPart = whole.substr(0, blank);
      suffix = TrimBlanks(whole.substr(blank + 1));
      afterBlank = true;
    }
  }

  const TAddressParse address = ParseAddress(addressPart);
  if (!address.Ok) {
    result.Error = address.Error;
    return result;
  }
  const TAddressFamily family = address.Address.Family;
  const int bits = AddressBits(family);
  int length = bits;
  if (suffix.empty()) {
    length = bits;
  } else if (AllDigits(suffix)) {
    if (afterBlank) {
      result.Error = Quoted(suffix) + " after a blank is no netmask; write /" + EscapedInput(suffix) +
                     " for a prefix length";
      return result;
    }
    int value = 0;
    for (char c : suffix) value = std::min(value * 10 + (c - '0'), 1000);
    if (value > bits) {
      result.Error = "The prefix length " + EscapedInput(suffix) + " is more than " + std::to_string(bits) +
                     ", the longest for " + (family == TAddressFamily::afIPv4 ? "IPv4" : "IPv6");
      return result;
    }
    length = value;
  } else if (suffix.find('.') != std::string_view::npos) {
    if (family == TAddressFamily::afIPv6) {
      result.Error = "An IPv6 prefix takes a length from /0 to /128, not a mask like " + Quoted(suffix);
      return result;
    }
    uint32_t mask = 0;
    std::string maskError;
    if (!ReadIPv4(suffix, suffix, mask, maskError)) {
      result.Error = "Netmask: " + maskError;
      return result;
    }
    const std::optional<int> maskLength = DottedMaskLength(mask);
    if (!maskLength) {
      result.Error =
          Quoted(suffix) +
          " is neither a netmask (all its one bits first) nor a wildcard mask (all its one bits last)";
      return result;
    }
    length = *maskLength;
  } else {
    result.Error = Quoted(suffix) + " is neither a prefix length nor a netmask";
    return result;
  }
  result.Ok = true;
  result.Address = address.Address;
  result.Length = length;
  return result;
}

}  // namespace Parlamine
