// SPDX-License-Identifier: MIT
#include "IpCommand.h"

#include <algorithm>

#include "IPAddressText.h"
#include "IPSubnetResult.h"
#include "IPSubnetTexts.h"
#include "JsonNumbers.h"
#include "QuotedInput.h"
#include "SubnetTableText.h"

namespace Parlamine {

namespace {

namespace C = IPSubnetCaption;

const char* const ClassLetters[] = {"A", "B", "C", "D"};

bool AnySubnetChoice(const TIpOptions& o) { return o.SubnetBits || o.MaskBits || o.MaxSubnets || o.MaxHosts; }

std::string OfferedRange(const std::vector<TSubnetRow>& rows, int (*key)(const TSubnetRow&)) {
  return std::to_string(key(rows.front())) + " to " + std::to_string(key(rows.back()));
}

std::string ClassWords(int addressClass, bool allow1SubnetBit) {
  return std::string("class ") + ClassLetters[addressClass] +
         (allow1SubnetBit ? " with 1 subnet bit allowed" : "");
}

void Line(TBufferedWriter& out, std::string_view caption, std::string_view value) {
  out.Write("  ");
  out.Write(caption);
  out.Write(": ");
  out.Write(value);
  out.Write('\n');
}

std::string Number(int64_t value) { return std::to_string(value); }

void CheckChoicesFit(const TIpOptions& o) {
  const bool subnet = AnySubnetChoice(o);
  if (o.Allow1SubnetBit && !subnet)
    throw EUsageError("--allow-1-bit", "needs one of --subnet-bits, --mask-bits, --max-subnets, --max-hosts");
  if (o.Table && !subnet)
    throw EUsageError("--table", "needs one of --subnet-bits, --mask-bits, --max-subnets, --max-hosts");
  if (o.InverseMask && !subnet && !o.SupernetBits)
    throw EUsageError("--inverse-mask", "needs a subnet choice or --supernet-bits");
}

void StreamTable(const TSubnetTable& table, bool json, TLineEnd lineEnd, TBufferedWriter& out) {
  if (json) {
    for (int64_t row = 0; row < table.RowCount() && !out.Failed(); ++row) {
      char* place = out.Reserve(MaxJsonRowSize + 1);
      size_t used = FormatSubnetRowJson(table, row, place);
      place[used++] = '\n';
      out.Commit(used);
    }
    return;
  }
  out.Write(SubnetTableHeader());
  out.Write(LineEndText(lineEnd));
  const size_t room = TSubnetTable::MaxRowTextSize + 2;
  for (int64_t row = 0; row < table.RowCount() && !out.Failed();) {
    char* place = out.Reserve(room);
    size_t used = 0;
    row += FormatSubnetRows(table, row, table.RowCount() - row, lineEnd, place, out.Room(), used);
    out.Commit(used);
  }
}

// The calculator's state for the options: the window's state after the same
// choices were made in its lists and check boxes.
TIPSubnetState ChosenState(const TIpOptions& o, uint32_t address, int addressClass,
                           const std::optional<TSubnetRow>& subnet,
                           const std::optional<TSupernetRow>& supernet) {
  TIPSubnetState state;
  state.Address = address;
  state.AddressClass = addressClass;
  state.SubnetBits = subnet ? subnet->SubnetBits : 0;
  state.Allow1SubnetBit = o.Allow1SubnetBit;
  state.SupernetBits = supernet ? supernet->MaskBits : 0;
  state.InverseSubnetMask = o.InverseMask;
  state.InverseSupernetMask = o.InverseMask;
  return state;
}

// The pages the answer shows beside Address Info: those the options chose.
struct TShownPages {
  bool Subnet = false;
  bool Supernet = false;
};

TJson JsonAnswer(const TIPSubnetResult& result, TShownPages shown) {
  const TAddressInfo& a = result.AddressInfo;
  TJson doc;
  doc["address"] = a.Address;
  doc["class"] = ClassLetters[result.AddressClass];
  doc["addressType"] = a.AddressType;
  doc["networkBits"] = NetworkBits(result.AddressClass);
  doc["classBitMapLegend"] = a.ClassBitMapLegend;
  doc["classBitMap"] = a.ClassBitMap;
  doc["binary"] = a.Binary;
  doc["hexadecimal"] = a.Hexadecimal;
  if (a.Multicast) doc["ethernetMulticast"] = a.EthernetMulticast;
  if (shown.Subnet) {
    const TSubnetInfo& info = result.SubnetInfo;
    const TSubnetRow& row = info.Row();
    TJson& s = doc["subnet"];
    s["subnetBits"] = row.SubnetBits;
    s["maskBits"] = row.MaskBits;
    s["mask"] = DottedDecimal(row.Mask);
    s["inverseMask"] = DottedDecimal(~row.Mask);
    s["subnetCount"] = row.SubnetCount;
    s["hostCount"] = row.HostCount;
    s["allow1SubnetBit"] = info.Allow1SubnetBit;
    s["bitMapLegend"] = info.BitMapLegend;
    s["bitMap"] = info.BitMap;
    s["subnetId"] = info.Id;
    s["broadcast"] = info.Broadcast;
    s["firstHost"] = DottedDecimal(info.Span.Network + 1);
    s["lastHost"] = DottedDecimal(info.Span.Broadcast - 1);
    s["hostRange"] = info.HostRange;
  }
  if (shown.Supernet) {
    const TSupernetInfo& info = result.SupernetInfo;
    const TSupernetRow& row = info.Row();
    TJson& s = doc["supernet"];
    s["maskBits"] = row.MaskBits;
    s["mask"] = DottedDecimal(row.Mask);
    s["inverseMask"] = DottedDecimal(~row.Mask);
    s["supernetCount"] = row.NetworkCount;
    s["hostCount"] = row.AddressCount;
    // The same count under the key earlier releases wrote, for the scripts that read it.
    s["addressCount"] = row.AddressCount;
    s["route"] = info.Route;
    s["lastAddress"] = DottedDecimal(info.Span.Broadcast);
    s["range"] = info.Range;
  }
  return doc;
}

void WriteTextAnswer(const TIPSubnetResult& result, TShownPages shown, TBufferedWriter& out) {
  const TAddressInfo& a = result.AddressInfo;
  out.Write("Address Info\n");
  Line(out, C::IPAddress, a.Address);
  Line(out, C::AddressType, a.AddressType);
  Line(out, a.ClassBitMapLegend, a.ClassBitMap);
  Line(out, C::Binary, a.Binary);
  Line(out, C::Hexadecimal, a.Hexadecimal);
  if (a.Multicast) Line(out, C::EthernetMulticast, a.EthernetMulticast);
  if (shown.Subnet) {
    const TSubnetInfo& info = result.SubnetInfo;
    out.Write("Subnet Info\n");
    Line(out, C::SubnetBits, info.Lists.SelectedItem(slSubnetBits));
    Line(out, C::MaskBits, info.Lists.SelectedItem(slMaskBits));
    Line(out, C::SubnetMask, info.Lists.SelectedItem(slMask));
    Line(out, C::MaxSubnets, info.Lists.SelectedItem(slSubnetCount));
    Line(out, C::MaxHostsPerSubnet, info.Lists.SelectedItem(slHostCount));
    Line(out, info.BitMapLegend, info.BitMap);
    Line(out, C::SubnetHostAddressRange, info.HostRange);
    Line(out, C::SubnetID, info.Id);
    Line(out, C::SubnetBroadcast, info.Broadcast);
  }
  if (shown.Supernet) {
    const TSupernetInfo& info = result.SupernetInfo;
    out.Write("CIDR\n");
    Line(out, C::MaskBits, info.Lists.SelectedItem(clMaskBits));
    Line(out, C::SupernetMask, info.Lists.SelectedItem(clMask));
    Line(out, C::MaxSupernets, info.Lists.SelectedItem(clSupernetCount));
    // The CIDR page's "Max Addresses" list counts a supernet's usable hosts
    // (2^(32 - n) - 2); a script's reader should not take it for the address count.
    Line(out, "Max Hosts", info.Lists.SelectedItem(clAddressCount));
    Line(out, C::Route, info.Route);
    Line(out, C::SupernetAddressRange, info.Range);
  }
}

}  // namespace

uint32_t ParseDottedAddress(const std::string& argument, const std::string& text) {
  const std::string problem = QuotedInput(text) + " is not an IPv4 address (four numbers 0 to 255 with dots)";
  if (text.find_first_not_of("0123456789.") != std::string::npos) throw EUsageError(argument, problem);
  try {
    const std::array<std::string, 4> parts = SplitAddressString(text);
    uint32_t address = 0;
    for (const std::string& part : parts) {
      if (part.empty() || part.size() > 3) throw EUsageError(argument, problem);
      address = address << 8 | static_cast<uint32_t>(ParseAddressPart(part));
    }
    return address;
  } catch (const EIPAddressException&) {
    throw EUsageError(argument, problem);
  }
}

std::optional<TSubnetRow> ChooseSubnetRow(const TIpOptions& o, int addressClass) {
  if (!AnySubnetChoice(o)) return std::nullopt;
  const std::vector<TSubnetRow> rows = SubnetRows(addressClass, o.Allow1SubnetBit);
  const std::string where = ClassWords(addressClass, o.Allow1SubnetBit);
  if (o.SubnetBits) {
    const int64_t bits = ParseWholeNumber("--subnet-bits", *o.SubnetBits, 0, 32);
    for (const TSubnetRow& row : rows)
      if (row.SubnetBits == bits) return row;
    throw EUsageError("--subnet-bits",
                      std::to_string(bits) + " is not offered for " + where + " (" +
                          OfferedRange(rows, [](const TSubnetRow& r) { return r.SubnetBits; }) + ")");
  }
  if (o.MaskBits) {
    const int64_t bits = ParseWholeNumber("--mask-bits", *o.MaskBits, 0, 32);
    for (const TSubnetRow& row : rows)
      if (row.MaskBits == bits) return row;
    throw EUsageError("--mask-bits", std::to_string(bits) + " is not offered for " + where + " (" +
                                         OfferedRange(rows, [](const TSubnetRow& r) { return r.MaskBits; }) +
                                         ")");
  }
  if (o.MaxSubnets) {
    const int64_t wanted = ParseWholeNumber("--max-subnets", *o.MaxSubnets, 1, INT64_MAX);
    for (const TSubnetRow& row : rows)
      if (row.SubnetCount >= wanted) return row;
    throw EUsageError("--max-subnets",
                      where + " offers at most " + Number(rows.back().SubnetCount) + " subnets");
  }
  const int64_t wanted = ParseWholeNumber("--max-hosts", *o.MaxHosts, 1, INT64_MAX);
  for (auto row = rows.rbegin(); row != rows.rend(); ++row)
    if (row->HostCount >= wanted) return *row;
  throw EUsageError("--max-hosts",
                    where + " offers at most " + Number(rows.front().HostCount) + " hosts per subnet");
}

std::optional<TSupernetRow> ChooseSupernetRow(const TIpOptions& o, int addressClass) {
  if (!o.SupernetBits) return std::nullopt;
  const int64_t bits = ParseWholeNumber("--supernet-bits", *o.SupernetBits, 0, 32);
  const std::vector<TSupernetRow> rows = SupernetRows(addressClass);
  for (const TSupernetRow& row : rows)
    if (row.MaskBits == bits) return row;
  throw EUsageError("--supernet-bits", std::to_string(bits) + " is not offered for class " +
                                           ClassLetters[addressClass] + " (" +
                                           std::to_string(rows.front().MaskBits) + " to " +
                                           std::to_string(rows.back().MaskBits) + ")");
}

int RunIpCommand(const TIpOptions& o, TCommandIO& io) {
  CheckChoicesFit(o);
  const uint32_t address = ParseDottedAddress("ADDRESS", o.Address);
  const TFirstOctetCheck check = CheckFirstOctet(address);
  if (check.Replacement) throw EUsageError("ADDRESS", check.Message);
  const int addressClass = check.AddressClass;
  if (addressClass == MulticastClass && (AnySubnetChoice(o) || o.SupernetBits))
    throw EUsageError("ADDRESS",
                      o.Address + " is a class D (multicast) address: it has no subnets or supernets");
  const std::optional<TSubnetRow> subnet = ChooseSubnetRow(o, addressClass);
  const std::optional<TSupernetRow> supernet = ChooseSupernetRow(o, addressClass);
  const TIPSubnetResult result =
      ComputeIPSubnetResult(ChosenState(o, address, addressClass, subnet, supernet));
  const TShownPages shown{subnet.has_value(), supernet.has_value()};
  if (o.Table)
    StreamTable(result.SubnetTable, o.Json, o.LineFeedOnly ? TLineEnd::leLF : TLineEnd::leCRLF, io.Out);
  else if (o.Json)
    WriteJsonDocument(io.Out, JsonAnswer(result, shown));
  else
    WriteTextAnswer(result, shown, io.Out);
  return ExitAnswered;
}

}  // namespace Parlamine
