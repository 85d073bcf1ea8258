// SPDX-License-Identifier: MIT
#include "PrefixInfo.h"

#include <algorithm>

#include "AddressTypes.h"
#include "DigitText.h"
#include "IPv6Forms.h"

namespace Parlamine {

namespace {

std::string IPv4Text(uint32_t value) { return AddressText({TAddressFamily::afIPv4, value}); }

// 35 characters: n for each network bit, h for each host bit, dots between octets.
std::string IPv4BitMap(int length) {
  std::string map;
  for (int bit = 0; bit < 32; ++bit) {
    if (bit > 0 && bit % 8 == 0) map.push_back('.');
    map.push_back(bit < length ? 'n' : 'h');
  }
  return map;
}

}  // namespace

uint64_t IPv4UsableHosts(int length) {
  length = std::clamp(length, 0, 32);
  if (length == 32) return 1;
  if (length == 31) return 2;
  return (uint64_t{1} << (32 - length)) - 2;
}

std::string ReverseDnsZone(const TPrefix& prefix) {
  std::string zone;
  if (prefix.Network.Family == TAddressFamily::afIPv4) {
    const uint32_t value = static_cast<uint32_t>(prefix.Network.Value);
    for (int octet = prefix.Length / 8 - 1; octet >= 0; --octet)
      zone += std::to_string((value >> (24 - 8 * octet)) & 0xFFu) + ".";
    return zone + "in-addr.arpa";
  }
  static constexpr char Digits[] = "0123456789abcdef";
  for (int nibble = prefix.Length / 4 - 1; nibble >= 0; --nibble) {
    zone.push_back(Digits[static_cast<unsigned>(prefix.Network.Value >> (124 - 4 * nibble)) & 0xFu]);
    zone.push_back('.');
  }
  return zone + "ip6.arpa";
}

std::vector<std::string> ReverseDnsZones(const TPrefix& prefix) {
  const int step = prefix.Network.Family == TAddressFamily::afIPv4 ? 8 : 4;
  const int boundary = (prefix.Length + step - 1) / step * step;
  const int hostBits = AddressBits(prefix.Network.Family) - boundary;
  std::vector<std::string> zones;
  // At most 2^7 zones (an IPv4 /1) or 2^3 (IPv6).
  const int count = 1 << (boundary - prefix.Length);
  for (int zone = 0; zone < count; ++zone) {
    // ::/0 has 128 host bits and one zone: shifting a 128-bit value by 128 is undefined.
    const TUInt128 offset = zone == 0 ? TUInt128(0) : TUInt128(zone) << hostBits;
    const TAddress network{prefix.Network.Family, prefix.Network.Value | offset};
    zones.push_back(ReverseDnsZone(MakePrefix(network, boundary)));
  }
  return zones;
}

TPrefixInfo PrefixInfo(const TAddress& address, int length) {
  TPrefixInfo info;
  const TPrefix prefix = MakePrefix(address, length);
  const TAddressFamily family = address.Family;
  const int hostBits = AddressBits(family) - prefix.Length;
  const TAddress last = LastAddress(prefix);
  info.Family = family;
  info.Prefix = prefix;
  info.Network = PrefixText(prefix);
  info.PrefixLength = std::to_string(prefix.Length);
  info.FirstAddress = AddressText(prefix.Network);
  info.LastAddress = AddressText(last);
  info.Addresses = PowerOfTwoCountText(hostBits);
  info.AddressType = AddressTypeText(prefix);
  info.RegistryFlags = RegistryFlagsText(prefix);
  info.ReverseDnsZone = ReverseDnsZone(prefix);
  for (const std::string& zone : ReverseDnsZones(prefix))
    info.ReverseDnsZones += (info.ReverseDnsZones.empty() ? "" : ", ") + zone;
  if (family == TAddressFamily::afIPv4) {
    const uint32_t mask = static_cast<uint32_t>(PrefixMask(family, prefix.Length));
    const uint32_t network = static_cast<uint32_t>(prefix.Network.Value);
    const uint32_t broadcast = static_cast<uint32_t>(last.Value);
    info.Netmask = IPv4Text(mask);
    info.WildcardMask = IPv4Text(~mask);
    // Point-to-point /31 links use both addresses as hosts (RFC 3021); a /32
    // is one host.
    const bool everyAddressAHost = prefix.Length >= 31;
    info.FirstHost = IPv4Text(everyAddressAHost ? network : network + 1);
    info.LastHost = IPv4Text(everyAddressAHost ? broadcast : broadcast - 1);
    info.UsableHosts = InsertThousandSeparators(std::to_string(IPv4UsableHosts(prefix.Length)));
    info.BitMap = IPv4BitMap(prefix.Length);
    info.BinaryAddress = DottedBinary(static_cast<uint32_t>(address.Value));
  } else {
    info.Exploded = ExplodedAddress(address);
    info.IPv6Netmask = IPv6NetmaskText(prefix.Length);
    const auto embedded = EmbeddedIPv4(address, prefix);
    info.EmbeddedIPv4 = embedded ? EmbeddedIPv4Text(*embedded) : "None";
  }
  return info;
}

}  // namespace Parlamine
