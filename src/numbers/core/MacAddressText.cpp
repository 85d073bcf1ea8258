// SPDX-License-Identifier: MIT
#include "MacAddressText.h"

#include <array>
#include <vector>

#include "ZellBinDecHex.h"

namespace Parlamine {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() &&
         (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n'))
    text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

bool AllHex(std::string_view text) {
  for (char c : text)
    if (!IsHexDigit(c)) return false;
  return true;
}

TParsedHardwareAddress Failure(std::string error) { return {std::nullopt, std::move(error)}; }

// Joins groups into digits: `width` digits per group, padded in front when
// `pad` is set, else exactly `width` each but the last (1 to width).
std::optional<std::string> JoinGroups(const std::vector<std::string_view>& groups, size_t width, bool pad) {
  std::string digits;
  for (size_t i = 0; i < groups.size(); ++i) {
    const std::string_view group = groups[i];
    const bool last = i + 1 == groups.size();
    if (group.empty() || group.size() > width || !AllHex(group)) return std::nullopt;
    if (group.size() < width && !pad && !last) return std::nullopt;
    if (pad) digits.append(width - group.size(), '0');
    digits.append(group);
  }
  return digits;
}

}  // namespace

TParsedHardwareAddress ParseHardwareAddress(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return Failure("empty hardware address");
  const bool colon = text.find(':') != std::string_view::npos;
  const bool dash = text.find('-') != std::string_view::npos;
  const bool dot = text.find('.') != std::string_view::npos;
  if (colon + dash + dot > 1) return Failure("mixes separators");
  std::optional<std::string> digits;
  if (colon || dash) {
    const std::vector<std::string_view> groups = Split(text, colon ? ':' : '-');
    if (groups.size() < 3 || groups.size() > 6) return Failure("needs 3 to 6 groups of hexadecimal digits");
    digits = JoinGroups(groups, 2, groups.size() == 6);
  } else if (dot) {
    const std::vector<std::string_view> groups = Split(text, '.');
    if (groups.size() < 2 || groups.size() > 3)
      return Failure("needs 2 or 3 dot-separated groups of 4 digits");
    digits = JoinGroups(groups, 4, false);
  } else if (AllHex(text)) {
    digits = std::string(text);
  }
  if (!digits) return Failure("is not a hardware address (hexadecimal digits in groups)");
  if (digits->size() < 6 || digits->size() > 12) return Failure("needs 6 to 12 hexadecimal digits");
  THardwareAddress address;
  address.Digits = static_cast<int>(digits->size());
  for (char c : *digits) address.Value = address.Value << 4 | static_cast<uint64_t>(HexDigitValue(c));
  address.Value <<= 4 * (12 - address.Digits);
  return {address, {}};
}

std::optional<std::string> HardwareAddressOUI(std::string_view text) {
  const TParsedHardwareAddress parsed = ParseHardwareAddress(text);
  if (!parsed.Address) return std::nullopt;
  THardwareAddress oui = *parsed.Address;
  oui.Digits = 6;
  std::string digits = HardwareAddressText(oui);
  std::erase(digits, '-');
  return digits;
}

std::string HardwareAddressText(const THardwareAddress& address) {
  static constexpr char Hex[] = "0123456789ABCDEF";
  // Six dash groups always read as six bytes, so 11 digits are written bare
  // (7D5F2F03D01), never as 7D-5F-2F-03-D0-1, which reads as ...-D0-01.
  const bool grouped = address.Digits != 11;
  std::string text;
  for (int digit = 0; digit < address.Digits; ++digit) {
    if (grouped && digit > 0 && digit % 2 == 0) text += '-';
    text += Hex[(address.Value >> (44 - 4 * digit)) & 0xF];
  }
  return text;
}

THardwareAddress BitSwappedAddress(const THardwareAddress& address) {
  std::array<uint8_t, 6> bytes{};
  for (int i = 0; i < 6; ++i)
    bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(address.Value >> (40 - 8 * i));
  ReverseBitsInBytes(bytes.data(), bytes.size());
  THardwareAddress swapped = address;
  swapped.Value = 0;
  for (uint8_t byte : bytes) swapped.Value = swapped.Value << 8 | byte;
  // Of a byte given by its high half only, the known bits land in the low
  // half of the swapped byte, behind unknown ones: that byte is dropped.
  swapped.Digits = address.Digits - address.Digits % 2;
  swapped.Value &= ~((uint64_t{1} << (48 - 4 * swapped.Digits)) - 1);
  return swapped;
}

}  // namespace Parlamine
