// SPDX-License-Identifier: MIT
#include "PrefixCommand.h"

#include "JsonNumbers.h"
#include "PrefixAddress.h"
#include "PrefixInfo.h"
#include "PrefixSplit.h"
#include "SubnetTableText.h"

namespace Parlamine {

namespace {

struct TInfoField {
  const char* Caption;
  const char* JsonKey;
  std::string TPrefixInfo::*Text;
  bool IPv4Only;
};

const TInfoField InfoFields[] = {
    {"Network", "network", &TPrefixInfo::Network, false},
    {"Prefix Length", "prefixLength", &TPrefixInfo::PrefixLength, false},
    {"Netmask", "netmask", &TPrefixInfo::Netmask, true},
    {"Wildcard Mask", "wildcardMask", &TPrefixInfo::WildcardMask, true},
    {"First Address", "firstAddress", &TPrefixInfo::FirstAddress, false},
    {"Last Address", "lastAddress", &TPrefixInfo::LastAddress, false},
    {"First Host", "firstHost", &TPrefixInfo::FirstHost, true},
    {"Last Host", "lastHost", &TPrefixInfo::LastHost, true},
    {"Addresses", "addresses", &TPrefixInfo::Addresses, false},
    {"Usable Hosts", "usableHosts", &TPrefixInfo::UsableHosts, true},
    {"Address Type", "addressType", &TPrefixInfo::AddressType, false},
    {"Reverse DNS Zone", "reverseDnsZone", &TPrefixInfo::ReverseDnsZone, false},
    {"Bit Map", "bitMap", &TPrefixInfo::BitMap, true},
    {"Binary", "binary", &TPrefixInfo::BinaryAddress, true},
};

void StreamSplit(const TPrefixSplit& split, bool json, TLineEnd lineEnd, TBufferedWriter& out) {
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
  for (int column = 0; column < split.ColumnCount(); ++column) {
    if (column > 0) out.Write('\t');
    out.Write(split.ColumnCaption(column));
  }
  out.Write(LineEndText(lineEnd));
  for (int64_t row = 0; row < split.RowCount() && !out.Failed(); ++row) {
    char* place = out.Reserve(TPrefixSplit::MaxRowTextSize + 2);
    size_t used = split.FormatRow(row, place);
    for (char c : LineEndText(lineEnd)) place[used++] = c;
    out.Commit(used);
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
    const std::vector<int> lengths = SplitLengths(prefix);
    const int64_t length = ParseWholeNumber("--split", text, lengths.front(), lengths.back());
    splitLength = static_cast<int>(length);
  }
  if (o.Table) {
    StreamSplit(TPrefixSplit(prefix, *splitLength), o.Json,
                o.LineFeedOnly ? TLineEnd::leLF : TLineEnd::leCRLF, io.Out);
    return ExitAnswered;
  }
  const TPrefixInfo info = PrefixInfo(parsed.Address, parsed.Length);
  const bool ipv4 = info.Family == TAddressFamily::afIPv4;
  if (o.Json) {
    TJson doc;
    doc["family"] = ipv4 ? "IPv4" : "IPv6";
    doc["length"] = prefix.Length;
    for (const TInfoField& field : InfoFields)
      if (ipv4 || !field.IPv4Only) doc[field.JsonKey] = info.*field.Text;
    // Counts and lengths are numbers, in the places of their display texts.
    doc["prefixLength"] = prefix.Length;
    doc["addresses"] = CountJson(PowerOfTwoText(AddressBits(info.Family) - prefix.Length));
    if (ipv4) doc["usableHosts"] = IPv4UsableHosts(prefix.Length);
    if (splitLength) {
      const TPrefixSplit split(prefix, *splitLength);
      doc["split"] = {{"length", *splitLength},
                      {"text", SplitLengthItemText(prefix, *splitLength)},
                      {"subnetCount", split.RowCount()}};
    }
    WriteJsonDocument(io.Out, doc);
    return ExitAnswered;
  }
  for (const TInfoField& field : InfoFields) {
    if (!ipv4 && field.IPv4Only) continue;
    io.Out.Write(std::string(field.Caption) + ": " + info.*field.Text + "\n");
  }
  if (splitLength) io.Out.Write("Split: " + SplitLengthItemText(prefix, *splitLength) + "\n");
  return ExitAnswered;
}

}  // namespace Parlamine
