// SPDX-License-Identifier: MIT
#include "IpCommand.h"

#include <algorithm>

#include "IPAddressText.h"
#include "IPSubnetTexts.h"
#include "JsonNumbers.h"
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

}  // namespace

uint32_t ParseDottedAddress(const std::string& argument, const std::string& text) {
  const std::string problem = "'" + text + "' is not an IPv4 address (four numbers 0 to 255 with dots)";
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
  TBufferedWriter& out = io.Out;

  if (o.Table) {
    const TSubnetTable table(address, addressClass, subnet->MaskBits, o.Allow1SubnetBit, subnet->SubnetCount);
    StreamTable(table, o.Json, o.LineFeedOnly ? TLineEnd::leLF : TLineEnd::leCRLF, out);
    return ExitAnswered;
  }

  const std::string classMap = BitMapText(addressClass, false, 0, 0);
  const std::string dotted = DottedDecimal(address);
  if (o.Json) {
    TJson doc;
    doc["address"] = dotted;
    doc["class"] = ClassLetters[addressClass];
    doc["addressType"] = AddressClassItems()[static_cast<size_t>(addressClass)];
    doc["networkBits"] = NetworkBits(addressClass);
    doc["classBitMapLegend"] = BitMapLegendText(addressClass, false);
    doc["classBitMap"] = classMap;
    doc["binary"] = DottedBinary(address);
    doc["hexadecimal"] = DottedHex(address);
    if (addressClass == MulticastClass) doc["ethernetMulticast"] = MulticastMACText(address);
    if (subnet) {
      const TNetworkSpan span = NetworkSpan(address, subnet->Mask);
      TJson& s = doc["subnet"];
      s["subnetBits"] = subnet->SubnetBits;
      s["maskBits"] = subnet->MaskBits;
      s["mask"] = DottedDecimal(subnet->Mask);
      s["inverseMask"] = DottedDecimal(~subnet->Mask);
      s["subnetCount"] = subnet->SubnetCount;
      s["hostCount"] = subnet->HostCount;
      s["allow1SubnetBit"] = o.Allow1SubnetBit;
      s["bitMapLegend"] = BitMapLegendText(addressClass, true);
      s["bitMap"] = BitMapText(addressClass, true, subnet->SubnetBits, 32 - subnet->MaskBits);
      s["subnetId"] = DottedDecimal(span.Network);
      s["broadcast"] = DottedDecimal(span.Broadcast);
      s["firstHost"] = DottedDecimal(span.Network + 1);
      s["lastHost"] = DottedDecimal(span.Broadcast - 1);
      s["hostRange"] = AddressRangeText(span.Network + 1, span.Broadcast - 1);
    }
    if (supernet) {
      const TNetworkSpan span = NetworkSpan(address, supernet->Mask);
      TJson& s = doc["supernet"];
      s["maskBits"] = supernet->MaskBits;
      s["mask"] = DottedDecimal(supernet->Mask);
      s["inverseMask"] = DottedDecimal(~supernet->Mask);
      s["supernetCount"] = supernet->NetworkCount;
      s["addressCount"] = supernet->AddressCount;
      s["route"] = DottedDecimal(span.Network);
      s["lastAddress"] = DottedDecimal(span.Broadcast);
      s["range"] = AddressRangeText(span.Network, span.Broadcast);
    }
    WriteJsonDocument(out, doc);
    return ExitAnswered;
  }

  out.Write("Address Info\n");
  Line(out, C::IPAddress, dotted);
  Line(out, C::AddressType, AddressClassItems()[static_cast<size_t>(addressClass)]);
  Line(out, BitMapLegendText(addressClass, false), classMap);
  Line(out, C::Binary, DottedBinary(address));
  Line(out, C::Hexadecimal, DottedHex(address));
  if (addressClass == MulticastClass) Line(out, C::EthernetMulticast, MulticastMACText(address));
  if (subnet) {
    const TNetworkSpan span = NetworkSpan(address, subnet->Mask);
    out.Write("Subnet Info\n");
    Line(out, C::SubnetBits, Number(subnet->SubnetBits));
    Line(out, C::MaskBits, Number(subnet->MaskBits));
    Line(out, C::SubnetMask, DottedDecimal(o.InverseMask ? ~subnet->Mask : subnet->Mask));
    Line(out, C::MaxSubnets, Number(subnet->SubnetCount));
    Line(out, C::MaxHostsPerSubnet, Number(subnet->HostCount));
    Line(out, BitMapLegendText(addressClass, true),
         BitMapText(addressClass, true, subnet->SubnetBits, 32 - subnet->MaskBits));
    Line(out, C::SubnetHostAddressRange, AddressRangeText(span.Network + 1, span.Broadcast - 1));
    Line(out, C::SubnetID, DottedDecimal(span.Network));
    Line(out, C::SubnetBroadcast, DottedDecimal(span.Broadcast));
  }
  if (supernet) {
    const TNetworkSpan span = NetworkSpan(address, supernet->Mask);
    out.Write("CIDR\n");
    Line(out, C::MaskBits, Number(supernet->MaskBits));
    Line(out, C::SupernetMask, DottedDecimal(o.InverseMask ? ~supernet->Mask : supernet->Mask));
    Line(out, C::MaxSupernets, Number(supernet->NetworkCount));
    Line(out, C::MaxAddresses, Number(supernet->AddressCount));
    Line(out, C::Route, DottedDecimal(span.Network));
    Line(out, C::SupernetAddressRange, AddressRangeText(span.Network, span.Broadcast));
  }
  return ExitAnswered;
}

}  // namespace Parlamine
