// SPDX-License-Identifier: MIT
#include "IPSubnetState.h"

#include "IPSubnetModel.h"

namespace Parlamine {

namespace {

int SubnetBitsOf(const TSubnetRow& row) { return row.SubnetBits; }
int MaskBitsOf(const TSupernetRow& row) { return row.MaskBits; }

uint32_t WithOctet(uint32_t address, int index, uint8_t value) {
  const int shift = 24 - 8 * (index & 3);
  return (address & ~(uint32_t{0xFF} << shift)) | uint32_t{value} << shift;
}

template <typename Row>
int KeyAtItem(const std::vector<Row>& rows, int itemIndex, int (*key)(const Row&)) {
  return itemIndex >= 0 && itemIndex < static_cast<int>(rows.size())
             ? key(rows[static_cast<size_t>(itemIndex)])
             : 0;
}

}  // namespace

std::string CommitOctet(TIPSubnetState& state, int index, uint8_t value) {
  state.Address = WithOctet(state.Address, index, value);
  if (index != 0) return {};
  const TFirstOctetCheck check = CheckFirstOctet(state.Address);
  if (check.Replacement) state.Address = WithOctet(state.Address, 0, *check.Replacement);
  state.AddressClass = check.AddressClass;
  return check.Message;
}

void PickClass(TIPSubnetState& state, int addressClass) {
  state.AddressClass = addressClass;
  state.Address = WithOctet(state.Address, 0, FirstOctetInClass(addressClass, FirstOctet(state.Address)));
}

int SubnetItemIndex(const TIPSubnetState& state) {
  return ChooseRow(SubnetRows(state.AddressClass, state.Allow1SubnetBit), state.SubnetBits, SubnetBitsOf);
}

int SupernetItemIndex(const TIPSubnetState& state) {
  return ChooseRow(SupernetRows(state.AddressClass), state.SupernetBits, MaskBitsOf);
}

int SubnetBitsAtItem(const TIPSubnetState& state, int itemIndex) {
  return KeyAtItem(SubnetRows(state.AddressClass, state.Allow1SubnetBit), itemIndex, SubnetBitsOf);
}

int SupernetBitsAtItem(const TIPSubnetState& state, int itemIndex) {
  return KeyAtItem(SupernetRows(state.AddressClass), itemIndex, MaskBitsOf);
}

bool PageShown(int pageIndex, int addressClass) {
  if (pageIndex < 0 || pageIndex >= IPSubnetPageCount) return false;
  return pageIndex == 0 || addressClass != MulticastClass;
}

}  // namespace Parlamine
