// SPDX-License-Identifier: MIT
// The captions and built texts of the IP Subnet Calculator's pages, shared by
// the window and the command line so that both read the same.
#pragma once

#include <string>
#include <string_view>

namespace Parlamine {

// The title painted before a bit map's legend: "Class A", "Class B",
// "Class C", "Multicast" (the class bit map) or "Subnet" (the subnet bit map).
std::string BitMapTitle(int addressClass, bool subnetMap);
// The whole legend as one text: "Class B Bit Map (n=network;h=host)",
// "Subnet Bit Map (n=network;s=subnet;h=host)", "Multicast Bit Map (g=group)",
// "Subnet Bit Map (g=group)" for a multicast address.
std::string BitMapLegendText(int addressClass, bool subnetMap);

// Captions of the result fields, without access-key marks.
namespace IPSubnetCaption {
inline constexpr std::string_view IPAddress = "IP Address";
inline constexpr std::string_view AddressType = "Address Type";
inline constexpr std::string_view Binary = "Binary";
inline constexpr std::string_view Hexadecimal = "Hexadecimal";
inline constexpr std::string_view EthernetMulticast = "Ethernet Multicast";
inline constexpr std::string_view SubnetBits = "Subnet Bits";
inline constexpr std::string_view MaskBits = "Mask Bits";
inline constexpr std::string_view SubnetMask = "Subnet Mask";
inline constexpr std::string_view MaxSubnets = "Max Subnets";
inline constexpr std::string_view MaxHostsPerSubnet = "Max Hosts Per Subnet";
inline constexpr std::string_view SubnetHostAddressRange = "Subnet Host Address Range";
inline constexpr std::string_view SubnetID = "Subnet ID";
inline constexpr std::string_view SubnetBroadcast = "Subnet Broadcast";
inline constexpr std::string_view SupernetMask = "Supernet Mask";
inline constexpr std::string_view MaxSupernets = "Max Supernets";
inline constexpr std::string_view MaxAddresses = "Max Addresses";
inline constexpr std::string_view Route = "Route";
inline constexpr std::string_view SupernetAddressRange = "Supernet Address Range";
}  // namespace IPSubnetCaption

}  // namespace Parlamine
