// SPDX-License-Identifier: MIT
// What the IP Subnet Calculator holds between two user actions: the address,
// its class and the choices made on the pages. Every figure the pages show is
// computed from it (IPSubnetResult.h); the stored settings are its values.
#pragma once

#include <cstdint>
#include <string>

namespace Parlamine {

// Address Info, Subnet Info, Subnets/Hosts, CIDR.
inline constexpr int IPSubnetPageCount = 4;

struct TIPSubnetState {
  uint32_t Address = 0;   // first octet in the top byte
  int AddressClass = -1;  // 0 A to 3 D; -1 until the first address is committed
  // The chosen subnet and supernet rows by their keys, not by row index, so
  // that a choice survives a change of class or of the minimum; a key beyond
  // the rows the class offers picks the nearest end (0: the first row).
  int SubnetBits = 0;
  bool Allow1SubnetBit = false;
  int SupernetBits = 0;  // the mask bits of the chosen supernet row
  bool InverseSubnetMask = false;
  bool InverseSupernetMask = false;
  int PageIndex = 0;  // the inner page shown

  bool operator==(const TIPSubnetState&) const = default;
};

inline uint8_t FirstOctet(uint32_t address) { return static_cast<uint8_t>(address >> 24); }

// Octet `index` (0 to 3) of the address committed with `value`. A first octet
// is checked: the class follows it and a reserved one is replaced. Returns the
// message that explains a replacement, empty when the octet was accepted.
std::string CommitOctet(TIPSubnetState& state, int index, uint8_t value);

// A class picked from the class list: the first octet moves into its range.
void PickClass(TIPSubnetState& state, int addressClass);

// The stored form of the row choices is the item index of the mask lists:
// the row the subnet lists (built with the state's class and minimum) and
// the supernet lists select.
int SubnetItemIndex(const TIPSubnetState& state);
int SupernetItemIndex(const TIPSubnetState& state);
// The keys of row `itemIndex` of those lists; an index outside the lists
// selects nothing, which the lists show as their first row.
int SubnetBitsAtItem(const TIPSubnetState& state, int itemIndex);
int SupernetBitsAtItem(const TIPSubnetState& state, int itemIndex);

// A page exists and is shown for the class: class D shows only Address Info.
bool PageShown(int pageIndex, int addressClass);

}  // namespace Parlamine
