// SPDX-License-Identifier: MIT
// Every figure the IP Subnet Calculator's four pages show, computed in one go
// from its state. The window shows it; `parlamine-cli ip` writes it as text
// or JSON, so both always read alike.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "IPSubnetModel.h"
#include "IPSubnetState.h"

namespace Parlamine {

// The five linked lists of the Subnet Info page and the four of the CIDR
// page, in the order they are laid out.
enum TSubnetList : int { slSubnetBits, slMaskBits, slMask, slSubnetCount, slHostCount };
inline constexpr size_t SubnetListCount = 5;
enum TSupernetList : int { clMaskBits, clMask, clSupernetCount, clAddressCount };
inline constexpr size_t SupernetListCount = 4;

// Linked drop-down lists: the items of each list; all select the same row.
template <size_t N>
struct TLinkedLists {
  std::array<std::vector<std::string>, N> Items;
  int Selected = 0;
  const std::string& SelectedItem(size_t list) const { return Items[list][static_cast<size_t>(Selected)]; }
};

struct TAddressInfo {
  std::string Address;      // dotted decimal
  std::string AddressType;  // the class list's item; empty without a class
  std::string ClassBitMapTitle;
  std::string ClassBitMapLegend;
  std::string ClassBitMap;
  std::string Binary;
  std::string Hexadecimal;
  // A multicast address shows its Ethernet address and no subnetting pages.
  bool Multicast = false;
  std::string EthernetMulticast;
};

struct TSubnetInfo {
  bool Allow1SubnetBit = false;
  bool InverseMask = false;
  std::vector<TSubnetRow> Rows;
  TLinkedLists<SubnetListCount> Lists;  // the mask in the form the state asks for
  std::string BitMapTitle;
  std::string BitMapLegend;
  std::string BitMap;
  TNetworkSpan Span;  // the subnet that holds the address
  std::string HostRange;
  std::string Id;
  std::string Broadcast;
  const TSubnetRow& Row() const { return Rows[static_cast<size_t>(Lists.Selected)]; }
};

struct TSupernetInfo {
  bool InverseMask = false;
  std::vector<TSupernetRow> Rows;
  TLinkedLists<SupernetListCount> Lists;
  TNetworkSpan Span;  // the supernet that holds the address
  std::string Route;
  std::string Range;
  const TSupernetRow& Row() const { return Rows[static_cast<size_t>(Lists.Selected)]; }
};

struct TIPSubnetResult {
  uint32_t Address = 0;
  int AddressClass = -1;
  TAddressInfo AddressInfo;
  TSubnetInfo SubnetInfo;
  TSubnetTable SubnetTable;  // the Subnets/Hosts page, rows made on demand
  TSupernetInfo SupernetInfo;
};

TIPSubnetResult ComputeIPSubnetResult(const TIPSubnetState& state);

// The state's choices moved onto what the result shows: the chosen rows'
// keys, so that 8 subnet bits of class B that became 6 in class C stay 6 back
// in class B, and the first page when the state's page is hidden.
void SettleState(TIPSubnetState& state, const TIPSubnetResult& result);

}  // namespace Parlamine
