// SPDX-License-Identifier: MIT
#include "IPSubnetResult.h"

#include "IPSubnetTexts.h"

namespace Parlamine {

namespace {

std::string MaskText(uint32_t mask, bool inverse) { return DottedDecimal(inverse ? ~mask : mask); }

TAddressInfo AddressInfoOf(const TIPSubnetState& state) {
  const int addressClass = state.AddressClass;
  TAddressInfo info;
  info.Address = DottedDecimal(state.Address);
  if (addressClass >= 0 && addressClass < AddressClassCount)
    info.AddressType = AddressClassItems()[static_cast<size_t>(addressClass)];
  info.ClassBitMapTitle = BitMapTitle(addressClass, false);
  info.ClassBitMapLegend = BitMapLegendText(addressClass, false);
  info.ClassBitMap = BitMapText(addressClass, false, 0, 0);
  info.Binary = DottedBinary(state.Address);
  info.Hexadecimal = DottedHex(state.Address);
  info.Multicast = addressClass == MulticastClass;
  info.EthernetMulticast = MulticastMACText(state.Address);
  return info;
}

TSubnetInfo SubnetInfoOf(const TIPSubnetState& state) {
  TSubnetInfo info;
  info.Allow1SubnetBit = state.Allow1SubnetBit;
  info.InverseMask = state.InverseSubnetMask;
  info.Rows = SubnetRows(state.AddressClass, state.Allow1SubnetBit);
  auto& items = info.Lists.Items;
  for (const TSubnetRow& row : info.Rows) {
    items[slSubnetBits].push_back(std::to_string(row.SubnetBits));
    items[slMaskBits].push_back(std::to_string(row.MaskBits));
    items[slMask].push_back(MaskText(row.Mask, state.InverseSubnetMask));
    items[slSubnetCount].push_back(std::to_string(row.SubnetCount));
    items[slHostCount].push_back(std::to_string(row.HostCount));
  }
  info.Lists.Selected = SubnetItemIndex(state);
  const TSubnetRow& row = info.Row();
  info.BitMapTitle = BitMapTitle(state.AddressClass, true);
  info.BitMapLegend = BitMapLegendText(state.AddressClass, true);
  info.BitMap = BitMapText(state.AddressClass, true, row.SubnetBits, 32 - row.MaskBits);
  // The mask applies to the whole address: the subnet that holds it.
  info.Span = NetworkSpan(state.Address, row.Mask);
  info.HostRange = AddressRangeText(info.Span.Network + 1, info.Span.Broadcast - 1);
  info.Id = DottedDecimal(info.Span.Network);
  info.Broadcast = DottedDecimal(info.Span.Broadcast);
  return info;
}

TSupernetInfo SupernetInfoOf(const TIPSubnetState& state) {
  TSupernetInfo info;
  info.InverseMask = state.InverseSupernetMask;
  info.Rows = SupernetRows(state.AddressClass);
  auto& items = info.Lists.Items;
  for (const TSupernetRow& row : info.Rows) {
    items[clMaskBits].push_back(std::to_string(row.MaskBits));
    items[clMask].push_back(MaskText(row.Mask, state.InverseSupernetMask));
    items[clSupernetCount].push_back(std::to_string(row.NetworkCount));
    items[clAddressCount].push_back(std::to_string(row.AddressCount));
  }
  info.Lists.Selected = SupernetItemIndex(state);
  info.Span = NetworkSpan(state.Address, info.Row().Mask);
  info.Route = DottedDecimal(info.Span.Network);
  // Unlike the subnet's host range, both ends are included.
  info.Range = AddressRangeText(info.Span.Network, info.Span.Broadcast);
  return info;
}

}  // namespace

TIPSubnetResult ComputeIPSubnetResult(const TIPSubnetState& state) {
  TIPSubnetResult result;
  result.Address = state.Address;
  result.AddressClass = state.AddressClass;
  result.AddressInfo = AddressInfoOf(state);
  result.SubnetInfo = SubnetInfoOf(state);
  const TSubnetRow& subnet = result.SubnetInfo.Row();
  result.SubnetTable = TSubnetTable(state.Address, state.AddressClass, subnet.MaskBits, state.Allow1SubnetBit,
                                    subnet.SubnetCount);
  result.SupernetInfo = SupernetInfoOf(state);
  return result;
}

void SettleState(TIPSubnetState& state, const TIPSubnetResult& result) {
  state.SubnetBits = result.SubnetInfo.Row().SubnetBits;
  state.SupernetBits = result.SupernetInfo.Row().MaskBits;
  if (!PageShown(state.PageIndex, state.AddressClass)) state.PageIndex = 0;
}

}  // namespace Parlamine
