// SPDX-License-Identifier: MIT
#include "IPSubnetModel.h"

#include <cstring>

#include "DecimalWriter.h"

namespace Parlamine {

namespace {

const char HexDigits[] = "0123456789ABCDEF";

void AppendRepeated(std::string& out, int count, char letter) {
  if (count > 0) out.append(static_cast<size_t>(count), letter);
}

}  // namespace

const std::array<std::string, AddressClassCount>& AddressClassItems() {
  static const std::array<std::string, AddressClassCount> items = {
      "Class A: 1.0.0.0 -- 126.255.255.255",
      "Class B: 128.0.0.0 -- 191.255.255.255",
      "Class C: 192.0.0.0 -- 223.255.255.255",
      "Class D/Multicast: 224.0.0.0 -- 239.255.255.255",
  };
  return items;
}

int NetworkBits(int addressClass) {
  if (addressClass == 0) return 8;
  if (addressClass == 1) return 16;
  return 24;
}

int ClassPrefixLength(int addressClass) {
  if (addressClass == 0) return 1;
  if (addressClass == 1) return 2;
  return 3;
}

std::string ClassPrefixBits(int addressClass) {
  switch (addressClass) {
    case 0:
      return "0";
    case 1:
      return "10";
    case MulticastClass:
      return "1110";
    default:
      return "110";
  }
}

uint32_t MaskOfLength(int bits) {
  if (bits <= 0) return 0;
  if (bits >= 32) return 0xFFFFFFFFu;
  return ~uint32_t{0} << (32 - bits);
}

uint32_t ClassNetworkMask(int addressClass) { return MaskOfLength(NetworkBits(addressClass)); }

std::pair<uint8_t, uint8_t> ClassFirstOctetRange(int addressClass) {
  switch (addressClass) {
    case 0:
      return {1, 126};
    case 1:
      return {128, 191};
    case 2:
      return {192, 223};
    default:
      return {224, 239};
  }
}

uint8_t FirstOctetInClass(int addressClass, uint8_t firstOctet) {
  const auto [low, high] = ClassFirstOctetRange(addressClass);
  if (firstOctet < low) return low;
  if (firstOctet > high) return high;
  return firstOctet;
}

TFirstOctetCheck CheckFirstOctet(uint32_t address) {
  const uint8_t first = static_cast<uint8_t>(address >> 24);
  TFirstOctetCheck check;
  if (first == 0) {
    check.AddressClass = 0;
    check.Replacement = 1;
    check.Message = address == 0
                        ? "The IP address 0.0.0.0 is a reserved source address meaning \"this host on this "
                          "network\" and cannot be subnetted."
                        : "The IP address 0.x.x.x is a reserved destination address meaning \"specific host "
                          "on this network\" and cannot be subnetted.";
  } else if (first <= 126) {
    check.AddressClass = 0;
  } else if (first == 127) {
    check.AddressClass = 0;
    check.Replacement = 126;
    check.Message =
        "The IP address 127.x.x.x is a reserved loopback source/destination address meaning \"local "
        "host\" and cannot be subnetted.";
  } else if (first <= 191) {
    check.AddressClass = 1;
  } else if (first <= 223) {
    check.AddressClass = 2;
  } else if (first <= 239) {
    check.AddressClass = MulticastClass;
  } else {
    check.AddressClass = MulticastClass;
    check.Replacement = 239;
    check.Message =
        address == 0xFFFFFFFFu
            ? "The IP address 255.255.255.255 is a reserved destination broadcast address meaning "
              "\"all hosts on this network\" and canot be subnetted."
            : "The IP address " + std::to_string(first) +
                  ".x.x.x is a reserved experimental address meaning \"class E, kept for future "
                  "use\" and cannot be subnetted.";
  }
  return check;
}

std::string DottedDecimal(uint32_t value) {
  char buffer[MaxDottedQuadTextSize];
  return std::string(buffer, WriteDottedQuad(value, buffer));
}

std::string DottedHex(uint32_t value) {
  std::string text;
  text.reserve(11);
  for (int shift = 24; shift >= 0; shift -= 8) {
    const unsigned octet = (value >> shift) & 0xFFu;
    text.push_back(HexDigits[octet >> 4]);
    text.push_back(HexDigits[octet & 0xFu]);
    if (shift > 0) text.push_back('.');
  }
  return text;
}

std::string MulticastMACText(uint32_t value) {
  const uint64_t mac = (uint64_t{0x01005E} << 24) | (value & 0x7FFFFFu);
  std::string text;
  text.reserve(17);
  for (int shift = 40; shift >= 0; shift -= 8) {
    const unsigned octet = static_cast<unsigned>(mac >> shift) & 0xFFu;
    text.push_back(HexDigits[octet >> 4]);
    text.push_back(HexDigits[octet & 0xFu]);
    if (shift > 0) text.push_back(' ');
  }
  return text;
}

std::string BitMapText(int addressClass, bool withSubnet, int subnetBits, int hostBits) {
  if (addressClass == MulticastClass) return "1110gggg.gggggggg.gggggggg.gggggggg";
  std::string map = ClassPrefixBits(addressClass);
  AppendRepeated(map, 8 - static_cast<int>(map.size()), 'n');
  for (int octet = 1; octet < NetworkBits(addressClass) / 8; ++octet) map += ".nnnnnnnn";
  int hosts = 32 - NetworkBits(addressClass);
  if (withSubnet) {
    // Out-of-range inputs would make a map of another length; the map always
    // covers the 32 address bits.
    const int room = 32 - NetworkBits(addressClass);
    subnetBits = subnetBits < 0 ? 0 : (subnetBits > room ? room : subnetBits);
    for (int octet = 0; octet < subnetBits / 8; ++octet) map += ".ssssssss";
    if (subnetBits % 8 != 0) {
      map += '.';
      AppendRepeated(map, subnetBits % 8, 's');
    }
    hosts = hostBits == room - subnetBits ? hostBits : room - subnetBits;
  }
  AppendRepeated(map, hosts % 8, 'h');
  for (int octet = 0; octet < hosts / 8; ++octet) map += ".hhhhhhhh";
  return map;
}

std::vector<TSubnetRow> SubnetRows(int addressClass, bool allow1SubnetBit) {
  const int network = NetworkBits(addressClass);
  const int first = network + (allow1SubnetBit ? 1 : 2);
  std::vector<TSubnetRow> rows;
  for (int i = first; i <= 30; ++i) {
    TSubnetRow row;
    row.SubnetBits = i - network;
    row.MaskBits = i;
    row.Mask = MaskOfLength(i);
    row.SubnetCount = (int64_t{1} << row.SubnetBits) - (allow1SubnetBit ? 0 : 2);
    row.HostCount = (int64_t{1} << (32 - i)) - 2;
    rows.push_back(row);
  }
  return rows;
}

std::vector<TSupernetRow> SupernetRows(int addressClass) {
  const int network = NetworkBits(addressClass);
  std::vector<TSupernetRow> rows;
  for (int i = ClassPrefixLength(addressClass); i <= network; ++i) {
    TSupernetRow row;
    row.MaskBits = i;
    row.Mask = MaskOfLength(i);
    row.NetworkCount = int64_t{1} << (network - i);
    row.AddressCount = (int64_t{1} << (32 - i)) - 2;
    rows.push_back(row);
  }
  return rows;
}

TNetworkSpan NetworkSpan(uint32_t address, uint32_t mask) { return {address & mask, address | ~mask}; }

std::string AddressRangeText(uint32_t first, uint32_t last) {
  return DottedDecimal(first) + " - " + DottedDecimal(last);
}

TSubnetTable::TSubnetTable(uint32_t address, int addressClass, int maskBits, bool allow1SubnetBit,
                           int64_t rowCount)
    : FClassNetwork(address & ClassNetworkMask(addressClass)),
      FClassMask(ClassNetworkMask(addressClass)),
      FMask(MaskOfLength(maskBits)),
      FBlockSize(static_cast<uint32_t>((uint64_t{1} << (32 - (maskBits < 1    ? 1
                                                              : maskBits > 32 ? 32
                                                                              : maskBits))))),
      FFirstNumber(allow1SubnetBit ? 0 : 1),
      FRowCount(rowCount < 0 ? 0 : rowCount) {}

TSubnetTable::TRow TSubnetTable::Row(int64_t row) const {
  TRow result;
  result.Number = row + FFirstNumber;
  // Arithmetic modulo 2^32: the counts keep every subnet inside the class
  // network, and anything else wraps instead of overflowing.
  result.Id = FClassNetwork + static_cast<uint32_t>(static_cast<uint64_t>(result.Number) * FBlockSize);
  result.Broadcast = result.Id | ~FMask;
  return result;
}

std::string TSubnetTable::CellText(int64_t row, int column) const {
  const TRow r = Row(row);
  switch (column) {
    case 0:
      return std::to_string(r.Number);
    case 1:
      return DottedDecimal(r.Id);
    case 2:
      return AddressRangeText(r.Id + 1, r.Broadcast - 1);
    case 3:
      return DottedDecimal(r.Broadcast);
    default:
      return {};
  }
}

std::string TSubnetTable::WidestCellText(int column) const {
  if (FRowCount == 0) return {};
  // The rows run through the subnet bits, so each octet of an ID reaches at
  // most its class network bits with every subnet bit set; a broadcast at
  // most the class network's broadcast. The number grows with the row.
  const uint32_t highestId = FClassNetwork | (FMask & ~FClassMask);
  const uint32_t highestBroadcast = FClassNetwork | ~FClassMask;
  switch (column) {
    case 0:
      return std::to_string(FRowCount - 1 + FFirstNumber);
    case 1:
      return DottedDecimal(highestId);
    case 2:
      return AddressRangeText(highestId | 1, highestBroadcast - 1);
    case 3:
      return DottedDecimal(highestBroadcast);
    default:
      return {};
  }
}

size_t TSubnetTable::FormatRow(int64_t row, char* out) const {
  const TRow r = Row(row);
  char* p = WriteSignedDecimal(r.Number, out);
  *p++ = '\t';
  p = WriteDottedQuad(r.Id, p);
  *p++ = '\t';
  p = WriteDottedQuad(r.Id + 1, p);
  std::memcpy(p, " - ", 3);
  p = WriteDottedQuad(r.Broadcast - 1, p + 3);
  *p++ = '\t';
  p = WriteDottedQuad(r.Broadcast, p);
  return static_cast<size_t>(p - out);
}

}  // namespace Parlamine
