// SPDX-License-Identifier: MIT
#include "PrefixCommand.h"

#include "AddressTypes.h"
#include "IPv6Forms.h"
#include "JsonNumbers.h"
#include "PrefixAddress.h"
#include "PrefixInfo.h"
#include "PrefixSets.h"
#include "PrefixSplit.h"
#include "QuotedInput.h"
#include "SubnetTableText.h"

namespace Parlamine {

namespace {

// Which family's prefixes show the field.
enum TFieldFamilies { ffBoth, ffIPv4Only, ffIPv6Only };

struct TInfoField {
  const char* Caption;
  const char* JsonKey;
  std::string TPrefixInfo::*Text;
  TFieldFamilies Families;
};

const TInfoField InfoFields[] = {
    {"Network", "network", &TPrefixInfo::Network, ffBoth},
    {"Prefix Length", "prefixLength", &TPrefixInfo::PrefixLength, ffBoth},
    {"Netmask", "netmask", &TPrefixInfo::Netmask, ffIPv4Only},
    {"Wildcard Mask", "wildcardMask", &TPrefixInfo::WildcardMask, ffIPv4Only},
    {"First Address", "firstAddress", &TPrefixInfo::FirstAddress, ffBoth},
    {"Last Address", "lastAddress", &TPrefixInfo::LastAddress, ffBoth},
    {"First Host", "firstHost", &TPrefixInfo::FirstHost, ffIPv4Only},
    {"Last Host", "lastHost", &TPrefixInfo::LastHost, ffIPv4Only},
    {"Addresses", "addresses", &TPrefixInfo::Addresses, ffBoth},
    {"Usable Hosts", "usableHosts", &TPrefixInfo::UsableHosts, ffIPv4Only},
    {"Address Type", "addressType", &TPrefixInfo::AddressType, ffBoth},
    {"Registry Flags", "registryFlags", &TPrefixInfo::RegistryFlags, ffBoth},
    {"Reverse DNS Zone", "reverseDnsZone", &TPrefixInfo::ReverseDnsZone, ffBoth},
    {"Reverse DNS Zones", "reverseDnsZones", &TPrefixInfo::ReverseDnsZones, ffBoth},
    {"Exploded", "exploded", &TPrefixInfo::Exploded, ffIPv6Only},
    {"IPv6 Netmask", "ipv6Netmask", &TPrefixInfo::IPv6Netmask, ffIPv6Only},
    {"Embedded IPv4", "embeddedIPv4", &TPrefixInfo::EmbeddedIPv4, ffIPv6Only},
    {"Bit Map", "bitMap", &TPrefixInfo::BitMap, ffIPv4Only},
    {"Binary", "binary", &TPrefixInfo::BinaryAddress, ffIPv4Only},
};

void StreamRows(const TPrefixSplit& split, bool json, TLineEnd lineEnd, TBufferedWriter& out) {
  if (json) {
    // Formatted straight into the output: a JSON document per row would
    // make the largest split seventy times slower than its text.
    for (int64_t row = 0; row < split.RowCount() && !out.Failed(); ++row) {
      char* place = out.Reserve(TPrefixSplit::MaxRowJsonSize + 1);
      size_t used = split.FormatRowJson(row, place);
      place[used++] = '\n';
      out.Commit(used);
    }
    return;
  }
  for (int64_t row = 0; row < split.RowCount() && !out.Failed(); ++row) {
    char* place = out.Reserve(TPrefixSplit::MaxRowTextSize + 2);
    size_t used = split.FormatRow(row, place);
    for (char c : LineEndText(lineEnd)) place[used++] = c;
    out.Commit(used);
  }
}

// Each type of the prefix with the registries' columns as they write them
// ("True", "False", "N/A"); null columns for a type they do not list.
TJson RegistryJson(const TPrefix& prefix) {
  static constexpr const char* Keys[] = {"source", "destination", "forwardable", "globallyReachable",
                                         "reservedByProtocol"};
  TJson types = TJson::array();
  for (const TAddressType& type : AddressTypes(prefix)) {
    TJson entry;
    entry["type"] = AddressTypeText(type);
    const auto values = RegistryFlags(type);
    for (size_t i = 0; i < std::size(Keys); ++i)
      entry[Keys[i]] = values ? TJson(std::string((*values)[i])) : TJson(nullptr);
    types.push_back(entry);
  }
  return types;
}

bool Shows(const TInfoField& field, TAddressFamily family) {
  return field.Families == ffBoth || (field.Families == ffIPv4Only) == (family == TAddressFamily::afIPv4);
}

// The IPv4 address an IPv6 one carries, with Teredo's parts; null for none.
TJson EmbeddedJson(const TPrefixParse& parsed) {
  const auto embedded = EmbeddedIPv4(parsed.Address, parsed.Prefix());
  if (!embedded) return nullptr;
  TJson doc;
  doc["kind"] = embedded->Kind;
  if (embedded->TeredoServer) {
    doc["server"] = AddressText(*embedded->TeredoServer);
    doc["client"] = AddressText(embedded->Address);
    doc["port"] = *embedded->TeredoPort;
  } else {
    doc["address"] = AddressText(embedded->Address);
  }
  return doc;
}

std::vector<TPrefix> AskedParents(const TPrefixOptions& o, const TPrefix& prefix) {
  if (!o.ParentLength) return ParentPrefixes(prefix);
  std::string text = *o.ParentLength;
  if (!text.empty() && text[0] == '/') text.erase(0, 1);
  if (prefix.Length == 0) throw EUsageError("--parents", "a /0 has no shorter prefix");
  return ParentPrefixes(prefix, static_cast<int>(ParseWholeNumber("--parents", text, 0, prefix.Length - 1)));
}

// A decimal row number of up to 128 bits.
TUInt128 ParseRowNumber(const std::string& argument, const std::string& text) {
  const std::string problem = QuotedInput(text) + " is not a whole number (0 to 2^128 - 1)";
  if (text.empty() || text.size() > 39 || text.find_first_not_of("0123456789") != std::string::npos)
    throw EUsageError(argument, problem);
  TUInt128 value = 0;
  for (char digit : text) {
    const TUInt128 next = value * 10 + static_cast<unsigned>(digit - '0');
    if (next / 10 != value) throw EUsageError(argument, problem);
    value = next;
  }
  return value;
}

// The rows asked for, from the first one on, in slices of a few million:
// a split of any size streams in constant memory until it ends, the
// count is reached or the output fails.
void StreamSplit(const TPrefixOptions& o, const TPrefix& prefix, int length, TBufferedWriter& out) {
  const TLineEnd lineEnd = o.LineFeedOnly ? TLineEnd::leLF : TLineEnd::leCRLF;
  TUInt128 next = o.FirstRow ? ParseRowNumber("--first", *o.FirstRow) : 0;
  std::optional<TUInt128> left;
  if (o.RowCount) left = ParseRowNumber("--count", *o.RowCount);
  const TPrefixSplit whole(prefix, prefix.Length);
  if (!o.Json) {
    for (int column = 0; column < whole.ColumnCount(); ++column) {
      if (column > 0) out.Write('\t');
      out.Write(whole.ColumnCaption(column));
    }
    out.Write(LineEndText(lineEnd));
  }
  constexpr int64_t SliceRows = int64_t{1} << 22;
  while (!out.Failed() && (!left || *left > 0)) {
    const int64_t rows =
        left && *left < static_cast<TUInt128>(SliceRows) ? static_cast<int64_t>(*left) : SliceRows;
    const TPrefixSplit slice = TPrefixSplit::Slice(prefix, length, next, rows);
    StreamRows(slice, o.Json, lineEnd, out);
    if (slice.RowCount() < rows) break;  // the table ended
    next += static_cast<TUInt128>(rows);
    if (next == 0) break;  // past row 2^128 - 1
    if (left) *left -= static_cast<TUInt128>(rows);
  }
}

}  // namespace

int RunPrefixCommand(const TPrefixOptions& o, TCommandIO& io) {
  const TPrefixParse parsed = ParsePrefix(o.Prefix);
  if (!parsed.Ok) throw EUsageError("PREFIX", parsed.Error);
  const TPrefix prefix = parsed.Prefix();
  std::optional<int> splitLength;
  if (o.Split) {
    std::string text = *o.Split;
    if (!text.empty() && text[0] == '/') text.erase(0, 1);
    const int64_t length =
        ParseWholeNumber("--split", text, prefix.Length, AddressBits(prefix.Network.Family));
    splitLength = static_cast<int>(length);
  }
  if (o.Table) {
    StreamSplit(o, prefix, *splitLength, io.Out);
    return ExitAnswered;
  }
  const TPrefixInfo info = PrefixInfo(parsed.Address, parsed.Length);
  const bool ipv4 = info.Family == TAddressFamily::afIPv4;
  const std::vector<TPrefix> parents = o.Parents ? AskedParents(o, prefix) : std::vector<TPrefix>();
  if (o.Json) {
    TJson doc;
    doc["family"] = ipv4 ? "IPv4" : "IPv6";
    doc["length"] = prefix.Length;
    for (const TInfoField& field : InfoFields)
      if (Shows(field, info.Family)) doc[field.JsonKey] = info.*field.Text;
    // Lists and parts as JSON values rather than joined texts.
    doc["registryFlags"] = RegistryJson(prefix);
    doc["reverseDnsZones"] = ReverseDnsZones(prefix);
    if (!ipv4) doc["embeddedIPv4"] = EmbeddedJson(parsed);
    if (o.Parents) {
      doc["parents"] = TJson::array();
      for (const TPrefix& parent : parents) doc["parents"].push_back(PrefixText(parent));
    }
    // Counts and lengths are numbers, in the places of their display texts.
    doc["prefixLength"] = prefix.Length;
    doc["addresses"] = CountJson(PowerOfTwoText(AddressBits(info.Family) - prefix.Length));
    if (ipv4) doc["usableHosts"] = IPv4UsableHosts(prefix.Length);
    if (splitLength) {
      doc["split"] = {{"length", *splitLength},
                      {"text", SplitLengthItemText(prefix, *splitLength)},
                      {"subnetCount", CountJson(PowerOfTwoText(*splitLength - prefix.Length))}};
    }
    WriteJsonDocument(io.Out, doc);
    return ExitAnswered;
  }
  for (const TInfoField& field : InfoFields)
    if (Shows(field, info.Family)) io.Out.Write(std::string(field.Caption) + ": " + info.*field.Text + "\n");
  for (const TPrefix& parent : parents) io.Out.Write("Parent: " + PrefixText(parent) + "\n");
  if (splitLength) io.Out.Write("Split: " + SplitLengthItemText(prefix, *splitLength) + "\n");
  return ExitAnswered;
}

}  // namespace Parlamine
