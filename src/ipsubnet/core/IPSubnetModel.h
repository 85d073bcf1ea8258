// SPDX-License-Identifier: MIT
// The arithmetic and the texts of the IP Subnet Calculator: address classes,
// reserved first octets, masks, the subnet and supernet choices, the subnet
// table rows and the text forms of addresses. Plain C++, no toolkit.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DigitText.h"

namespace Parlamine {

// The class is the item index of the class list: 0 A, 1 B, 2 C, 3 D
// (multicast); -1 while no item is selected.
inline constexpr int AddressClassCount = 4;
inline constexpr int MulticastClass = 3;

// "Class A: 1.0.0.0 -- 126.255.255.255" and so on, in list order.
const std::array<std::string, AddressClassCount>& AddressClassItems();

// Network bits of a class: 8 for A, 16 for B, 24 for anything else.
int NetworkBits(int addressClass);
// Leading class bits that a supernet mask can never drop: 1, 2, or 3 for C,
// D and no class.
int ClassPrefixLength(int addressClass);
// "0", "10", "110", "1110"; "110" while no class is selected.
std::string ClassPrefixBits(int addressClass);
// The top `bits` bits set; bits is clamped to 0..32.
uint32_t MaskOfLength(int bits);
uint32_t ClassNetworkMask(int addressClass);

// Lowest and highest first octet of a class; a class pick moves the first
// octet into this range.
std::pair<uint8_t, uint8_t> ClassFirstOctetRange(int addressClass);
uint8_t FirstOctetInClass(int addressClass, uint8_t firstOctet);

// The result of checking a committed first octet: the class it belongs to and,
// for reserved octets, the octet that replaces it and the message that says why.
struct TFirstOctetCheck {
  int AddressClass = 0;
  std::optional<uint8_t> Replacement;
  std::string Message;  // empty when the octet is accepted as it is
};
// `address` is the whole address with the new first octet in place.
TFirstOctetCheck CheckFirstOctet(uint32_t address);

// Text forms of a 32-bit address, first octet first.
std::string DottedDecimal(uint32_t value);
// DottedBinary: DigitText.h.
std::string DottedHex(uint32_t value);  // "C0.A8.01.01"
// The Ethernet hardware address of a multicast group: 01 00 5E, a zero bit
// and the low 23 bits of the address, as six hexadecimal pairs.
std::string MulticastMACText(uint32_t value);

// The 35-character map of network (n), subnet (s), host (h) and group (g)
// bits. Without the subnet part the host bits are those after the class
// network; with it, `subnetBits` s follow the network bits and `hostBits` h
// end the map.
std::string BitMapText(int addressClass, bool withSubnet, int subnetBits, int hostBits);

// One row of the five linked subnet lists: one mask length.
struct TSubnetRow {
  int SubnetBits = 0;
  int MaskBits = 0;
  uint32_t Mask = 0;
  int64_t SubnetCount = 0;
  int64_t HostCount = 0;
};
// Mask lengths from the class network plus 1 (or 2) subnet bits up to 30.
std::vector<TSubnetRow> SubnetRows(int addressClass, bool allow1SubnetBit);

// One row of the four linked supernet lists.
struct TSupernetRow {
  int MaskBits = 0;
  uint32_t Mask = 0;
  int64_t NetworkCount = 0;  // class networks combined
  int64_t AddressCount = 0;
};
// Mask lengths from the class prefix length up to the class network bits.
std::vector<TSupernetRow> SupernetRows(int addressClass);

// The row to select after the lists were rebuilt: the row whose key (subnet
// bits or mask bits) equals the remembered key clamped to the keys of the
// first and last row; row 0 when nothing was remembered or no row matches.
template <typename Row, typename Key>
int ChooseRow(const std::vector<Row>& rows, std::optional<int> remembered, Key key) {
  if (rows.empty() || !remembered) return 0;
  const int low = key(rows.front());
  const int high = key(rows.back());
  const int wanted = *remembered < low ? low : (*remembered > high ? high : *remembered);
  for (size_t r = 0; r < rows.size(); ++r)
    if (key(rows[r]) == wanted) return static_cast<int>(r);
  return 0;
}

// The addresses of the network that holds an address under a mask.
struct TNetworkSpan {
  uint32_t Network = 0;    // address AND mask
  uint32_t Broadcast = 0;  // address OR NOT mask
};
TNetworkSpan NetworkSpan(uint32_t address, uint32_t mask);
// "first - last" with both ends as given.
std::string AddressRangeText(uint32_t first, uint32_t last);

// The subnets/hosts table: every subnet of the class network of an address
// under a chosen subnetting. Each row is computed from its index alone.
class TSubnetTable {
 public:
  TSubnetTable() = default;
  TSubnetTable(uint32_t address, int addressClass, int maskBits, bool allow1SubnetBit, int64_t rowCount);

  int64_t RowCount() const { return FRowCount; }
  struct TRow {
    int64_t Number = 0;  // the subnet number shown in column "#"
    uint32_t Id = 0;
    uint32_t Broadcast = 0;
  };
  TRow Row(int64_t row) const;
  // Column texts: 0 "#", 1 "ID", 2 "Range", 3 "Broadcast".
  std::string CellText(int64_t row, int column) const;
  // Writes the row's four cells joined by tabs, no line end, and returns the
  // number of characters written. `out` must hold MaxRowTextSize characters.
  size_t FormatRow(int64_t row, char* out) const;
  static constexpr size_t MaxRowTextSize = 80;
  // A text of the column at least as wide as any of its cells: every octet
  // and the number at the highest value a row of this table gives them, so
  // that the list can size its columns without reading millions of rows.
  // Empty for a table without rows.
  std::string WidestCellText(int column) const;

 private:
  uint32_t FClassNetwork = 0;
  uint32_t FClassMask = 0;
  uint32_t FMask = 0xFFFFFFFCu;
  uint32_t FBlockSize = 4;
  int64_t FFirstNumber = 1;
  int64_t FRowCount = 0;
};

inline constexpr std::array<const char*, 4> SubnetTableCaptions = {"#", "ID", "Range", "Broadcast"};

}  // namespace Parlamine
