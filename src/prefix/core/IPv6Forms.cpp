// SPDX-License-Identifier: MIT
#include "IPv6Forms.h"

namespace Parlamine {

namespace {

TAddress IPv4At(const TAddress& address, int shift) {
  return {TAddressFamily::afIPv4, (address.Value >> shift) & 0xFFFFFFFFu};
}

struct TCarrierBlock {
  std::string_view Prefix;
  std::string_view Kind;
};

constexpr TCarrierBlock CarrierBlocks[] = {
    {"::ffff:0:0/96", "IPv4-mapped"},
    {"64:ff9b::/96", "NAT64"},
    {"2002::/16", "6to4"},
    {"2001::/32", "Teredo"},
};

}  // namespace

std::string ExplodedAddress(const TAddress& address) {
  static constexpr char Digits[] = "0123456789abcdef";
  std::string text;
  for (int nibble = 0; nibble < 32; ++nibble) {
    if (nibble > 0 && nibble % 4 == 0) text.push_back(':');
    text.push_back(Digits[static_cast<unsigned>(address.Value >> (124 - 4 * nibble)) & 0xFu]);
  }
  return text;
}

std::string IPv6NetmaskText(int length) {
  return AddressText({TAddressFamily::afIPv6, PrefixMask(TAddressFamily::afIPv6, length)});
}

std::optional<TEmbeddedIPv4> EmbeddedIPv4(const TAddress& address, const TPrefix& prefix) {
  if (address.Family != TAddressFamily::afIPv6) return std::nullopt;
  for (const TCarrierBlock& carrier : CarrierBlocks) {
    if (!Contains(ParsePrefix(carrier.Prefix).Prefix(), prefix)) continue;
    TEmbeddedIPv4 embedded{carrier.Kind, IPv4At(address, 0), std::nullopt, std::nullopt};
    if (carrier.Kind == "6to4") embedded.Address = IPv4At(address, 80);
    if (carrier.Kind == "Teredo") {
      embedded.TeredoServer = IPv4At(address, 64);
      embedded.TeredoPort = static_cast<uint16_t>(~(address.Value >> 32) & 0xFFFFu);
      embedded.Address.Value ^= 0xFFFFFFFFu;
    }
    return embedded;
  }
  return std::nullopt;
}

std::string EmbeddedIPv4Text(const TEmbeddedIPv4& embedded) {
  std::string text = std::string(embedded.Kind) + ": ";
  if (!embedded.TeredoServer) return text + AddressText(embedded.Address);
  return text + "server " + AddressText(*embedded.TeredoServer) + ", client " +
         AddressText(embedded.Address) + ", port " + std::to_string(*embedded.TeredoPort);
}

}  // namespace Parlamine
