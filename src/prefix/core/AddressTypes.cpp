// SPDX-License-Identifier: MIT
#include "AddressTypes.h"

#include <algorithm>
#include <stdexcept>

namespace Parlamine {

namespace {

// Flags: the registries' Source, Destination, Forwardable, Globally
// Reachable and Reserved-by-Protocol columns (see TAddressType).
struct TListedBlock {
  std::string_view Prefix;
  std::string_view Name;
  std::string_view Rfc;
  std::string_view Flags;
};

// IANA IPv4 Special-Purpose Address Registry, and multicast from the IPv4
// address space registry.
constexpr TListedBlock IPv4Blocks[] = {
    {"0.0.0.0/8", "This network", "RFC 791", "TFFFT"},
    {"0.0.0.0/32", "This host on this network", "RFC 1122", "TFFFT"},
    {"10.0.0.0/8", "Private use", "RFC 1918", "TTTFF"},
    {"100.64.0.0/10", "Shared address space", "RFC 6598", "TTTFF"},
    {"127.0.0.0/8", "Loopback", "RFC 1122", "FFFFT"},
    {"169.254.0.0/16", "Link local", "RFC 3927", "TTFFT"},
    {"172.16.0.0/12", "Private use", "RFC 1918", "TTTFF"},
    {"192.0.0.0/24", "IETF protocol assignments", "RFC 6890", "FFFFF"},
    {"192.0.0.0/29", "IPv4 service continuity prefix", "RFC 7335", "TTTFF"},
    {"192.0.0.8/32", "IPv4 dummy address", "RFC 7600", "TFFFF"},
    {"192.0.0.9/32", "Port Control Protocol anycast", "RFC 7723", "TTTTF"},
    {"192.0.0.10/32", "Traversal Using Relays around NAT anycast", "RFC 8155", "TTTTF"},
    {"192.0.0.170/32", "NAT64/DNS64 discovery", "RFC 8880", "FFFFT"},
    {"192.0.0.171/32", "NAT64/DNS64 discovery", "RFC 8880", "FFFFT"},
    {"192.0.2.0/24", "Documentation (TEST-NET-1)", "RFC 5737", "FFFFF"},
    {"192.31.196.0/24", "AS112-v4", "RFC 7535", "TTTTF"},
    {"192.52.193.0/24", "AMT", "RFC 7450", "TTTTF"},
    {"192.88.99.0/24", "Deprecated (6to4 relay anycast)", "RFC 7526", "NNNNN"},
    {"192.88.99.2/32", "6a44 relay anycast", "RFC 6751", "TTTTF"},
    {"192.168.0.0/16", "Private use", "RFC 1918", "TTTFF"},
    {"192.175.48.0/24", "Direct delegation AS112 service", "RFC 7534", "TTTTF"},
    {"198.18.0.0/15", "Benchmarking", "RFC 2544", "TTTFF"},
    {"198.51.100.0/24", "Documentation (TEST-NET-2)", "RFC 5737", "FFFFF"},
    {"203.0.113.0/24", "Documentation (TEST-NET-3)", "RFC 5737", "FFFFF"},
    {"224.0.0.0/4", "Multicast", "RFC 5771", ""},
    {"240.0.0.0/4", "Reserved", "RFC 1112", "FFFFT"},
    {"255.255.255.255/32", "Limited broadcast", "RFC 919", "FTFFT"},
};

// IANA IPv6 Special-Purpose Address Registry, and global unicast, site local
// and multicast from the IPv6 address space registry.
constexpr TListedBlock IPv6Blocks[] = {
    {"::/128", "Unspecified", "RFC 4291", "TFFFT"},
    {"::1/128", "Loopback", "RFC 4291", "FFFFT"},
    {"::ffff:0:0/96", "IPv4-mapped", "RFC 4291", "FFFFT"},
    {"64:ff9b::/96", "IPv4-IPv6 translation (NAT64)", "RFC 6052", "TTTTF"},
    {"64:ff9b:1::/48", "Local-use IPv4-IPv6 translation", "RFC 8215", "TTTFF"},
    {"100::/64", "Discard-only", "RFC 6666", "TTTFF"},
    {"100:0:0:1::/64", "Dummy IPv6 prefix", "RFC 9780", "TFFFF"},
    {"2000::/3", "Global unicast", "RFC 4291", ""},
    {"2001::/23", "IETF protocol assignments", "RFC 2928", "FFFFF"},
    {"2001::/32", "Teredo", "RFC 4380", "TTTNF"},
    {"2001:1::1/128", "Port Control Protocol anycast", "RFC 7723", "TTTTF"},
    {"2001:1::2/128", "Traversal Using Relays around NAT anycast", "RFC 8155", "TTTTF"},
    {"2001:1::3/128", "DNS-SD service registration protocol anycast", "RFC 9665", "TTTTF"},
    {"2001:2::/48", "Benchmarking", "RFC 5180", "TTTFF"},
    {"2001:3::/32", "AMT", "RFC 7450", "TTTTF"},
    {"2001:4:112::/48", "AS112-v6", "RFC 7535", "TTTTF"},
    {"2001:10::/28", "Deprecated (ORCHID)", "RFC 4843", "NNNNN"},
    {"2001:20::/28", "ORCHIDv2", "RFC 7343", "TTTTF"},
    {"2001:30::/28", "Drone remote ID entity tags", "RFC 9374", "TTTTF"},
    {"2001:db8::/32", "Documentation", "RFC 3849", "FFFFF"},
    {"2002::/16", "6to4", "RFC 3056", "TTTNF"},
    {"2620:4f:8000::/48", "Direct delegation AS112 service", "RFC 7534", "TTTTF"},
    {"3fff::/20", "Documentation", "RFC 9637", "FFFFF"},
    {"5f00::/16", "Segment routing (SRv6) SIDs", "RFC 9602", "TTTFF"},
    {"fc00::/7", "Unique local", "RFC 4193", "TTTFF"},
    {"fe80::/10", "Link local", "RFC 4291", "TTFFT"},
    {"fec0::/10", "Deprecated (site local)", "RFC 3879", ""},
    {"ff00::/8", "Multicast", "RFC 4291", ""},
};

std::vector<TSpecialPurposeBlock> ReadBlocks(const TListedBlock* first, const TListedBlock* last) {
  std::vector<TSpecialPurposeBlock> blocks;
  for (const TListedBlock* listed = first; listed != last; ++listed) {
    const TPrefixParse parsed = ParsePrefix(listed->Prefix);
    if (!parsed.Ok || parsed.Prefix().Network != parsed.Address)
      throw std::logic_error("bad registry block " + std::string(listed->Prefix));
    if (!listed->Flags.empty() && listed->Flags.size() != RegistryFlagCaptions.size())
      throw std::logic_error("bad registry flags " + std::string(listed->Prefix));
    blocks.push_back({parsed.Prefix(), {listed->Name, listed->Rfc, listed->Flags}});
  }
  return blocks;
}

// The family's addresses cut into consecutive runs of one type each: First
// of every run, in address order; a run ends where the next begins.
struct TTypeRun {
  TUInt128 First = 0;
  TAddressType Type;
};

std::vector<TTypeRun> BuildTypeRuns(TAddressFamily family) {
  const std::vector<TSpecialPurposeBlock>& blocks = SpecialPurposeBlocks(family);
  const TUInt128 top = AllOnes(family);
  std::vector<TUInt128> starts = {0};
  for (const TSpecialPurposeBlock& block : blocks) {
    starts.push_back(block.Block.Network.Value);
    const TUInt128 last = LastAddress(block.Block).Value;
    if (last != top) starts.push_back(last + 1);
  }
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());

  std::vector<TTypeRun> runs;
  for (TUInt128 start : starts) {
    // No block edge lies inside a run, so the longest block holding its
    // first address holds all of it.
    TAddressType type = UnlistedAddressType(family);
    int longest = -1;
    for (const TSpecialPurposeBlock& block : blocks)
      if (block.Block.Length > longest &&
          Contains(block.Block, MakePrefix({family, start}, AddressBits(family)))) {
        longest = block.Block.Length;
        type = block.Type;
      }
    if (runs.empty() || !(runs.back().Type == type)) runs.push_back({start, type});
  }
  return runs;
}

const std::vector<TTypeRun>& TypeRuns(TAddressFamily family) {
  static const std::vector<TTypeRun> ipv4 = BuildTypeRuns(TAddressFamily::afIPv4);
  static const std::vector<TTypeRun> ipv6 = BuildTypeRuns(TAddressFamily::afIPv6);
  return family == TAddressFamily::afIPv4 ? ipv4 : ipv6;
}

}  // namespace

const std::vector<TSpecialPurposeBlock>& SpecialPurposeBlocks(TAddressFamily family) {
  static const std::vector<TSpecialPurposeBlock> ipv4 =
      ReadBlocks(std::begin(IPv4Blocks), std::end(IPv4Blocks));
  static const std::vector<TSpecialPurposeBlock> ipv6 =
      ReadBlocks(std::begin(IPv6Blocks), std::end(IPv6Blocks));
  return family == TAddressFamily::afIPv4 ? ipv4 : ipv6;
}

TAddressType UnlistedAddressType(TAddressFamily family) {
  if (family == TAddressFamily::afIPv4) return {"Global unicast", "", ""};
  return {"Reserved by IETF", "RFC 4291", ""};
}

std::vector<TAddressType> AddressTypes(const TPrefix& prefix) {
  const std::vector<TTypeRun>& runs = TypeRuns(prefix.Network.Family);
  const TUInt128 first = prefix.Network.Value;
  const TUInt128 last = LastAddress(prefix).Value;
  std::vector<TAddressType> types;
  for (size_t i = 0; i < runs.size(); ++i) {
    const bool endsBeforePrefix = i + 1 < runs.size() && runs[i + 1].First <= first;
    if (endsBeforePrefix) continue;
    if (runs[i].First > last) break;
    if (std::find(types.begin(), types.end(), runs[i].Type) == types.end()) types.push_back(runs[i].Type);
  }
  return types;
}

std::string AddressTypeText(const TAddressType& type) {
  std::string text(type.Name);
  if (!type.Rfc.empty()) text += " (" + std::string(type.Rfc) + ")";
  return text;
}

std::string AddressTypeText(const TPrefix& prefix) {
  const std::vector<TAddressType> types = AddressTypes(prefix);
  if (types.size() == 1) return AddressTypeText(types.front());
  std::string text = "Several types: ";
  for (size_t i = 0; i < types.size(); ++i) {
    if (i > 0) text += ", ";
    text += AddressTypeText(types[i]);
  }
  return text;
}

std::optional<std::array<std::string_view, 5>> RegistryFlags(const TAddressType& type) {
  if (type.Flags.size() != RegistryFlagCaptions.size()) return std::nullopt;
  std::array<std::string_view, 5> values;
  for (size_t i = 0; i < values.size(); ++i)
    values[i] = type.Flags[i] == 'T' ? "True" : type.Flags[i] == 'F' ? "False" : "N/A";
  return values;
}

std::string RegistryFlagsText(const TAddressType& type) {
  const auto values = RegistryFlags(type);
  if (!values) return "Not in the special-purpose registries";
  std::string text;
  for (size_t i = 0; i < values->size(); ++i) {
    if (i > 0) text += ", ";
    text += std::string(RegistryFlagCaptions[i]) + " " + std::string((*values)[i]);
  }
  return text;
}

std::string RegistryFlagsText(const TPrefix& prefix) {
  const std::vector<TAddressType> types = AddressTypes(prefix);
  if (types.size() == 1) return RegistryFlagsText(types.front());
  std::string text;
  for (const TAddressType& type : types) {
    if (!text.empty()) text += "; ";
    text += std::string(type.Name) + ": " + RegistryFlagsText(type);
  }
  return text;
}

}  // namespace Parlamine
