// SPDX-License-Identifier: MIT
// `ip`: golden outputs worked out by hand from the classful rules (RFC 791,
// RFC 950 subnetting, RFC 1519 supernets, RFC 1112 multicast mapping).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "CliTestSupport.h"

namespace Parlamine {
namespace {

TEST(IpCommand, ClassBWithEightSubnetBitsAndACidrSupernet) {
  const TCliResult r = RunCli({"ip", "128.15.10.5", "--subnet-bits", "8", "--supernet-bits", "8"});
  EXPECT_EQ(r.ExitCode, 0);
  EXPECT_EQ(r.Err, "");
  EXPECT_EQ(r.Out,
            "Address Info\n"
            "  IP Address: 128.15.10.5\n"
            "  Address Type: Class B: 128.0.0.0 -- 191.255.255.255\n"
            "  Class B Bit Map (n=network;h=host): 10nnnnnn.nnnnnnnn.hhhhhhhh.hhhhhhhh\n"
            "  Binary: 10000000.00001111.00001010.00000101\n"
            "  Hexadecimal: 80.0F.0A.05\n"
            "Subnet Info\n"
            "  Subnet Bits: 8\n"
            "  Mask Bits: 24\n"
            "  Subnet Mask: 255.255.255.0\n"
            "  Max Subnets: 254\n"
            "  Max Hosts Per Subnet: 254\n"
            "  Subnet Bit Map (n=network;s=subnet;h=host): 10nnnnnn.nnnnnnnn.ssssssss.hhhhhhhh\n"
            "  Subnet Host Address Range: 128.15.10.1 - 128.15.10.254\n"
            "  Subnet ID: 128.15.10.0\n"
            "  Subnet Broadcast: 128.15.10.255\n"
            "CIDR\n"
            "  Mask Bits: 8\n"
            "  Supernet Mask: 255.0.0.0\n"
            "  Max Supernets: 256\n"
            "  Max Hosts: 16777214\n"
            "  Route: 128.0.0.0\n"
            "  Supernet Address Range: 128.0.0.0 - 128.255.255.255\n");
}

TEST(IpCommand, MulticastAddressShowsItsEthernetGroupAddress) {
  const TCliResult r = RunCli({"ip", "239.255.255.250"});
  EXPECT_EQ(r.ExitCode, 0);
  EXPECT_EQ(r.Out,
            "Address Info\n"
            "  IP Address: 239.255.255.250\n"
            "  Address Type: Class D/Multicast: 224.0.0.0 -- 239.255.255.255\n"
            "  Multicast Bit Map (g=group): 1110gggg.gggggggg.gggggggg.gggggggg\n"
            "  Binary: 11101111.11111111.11111111.11111010\n"
            "  Hexadecimal: EF.FF.FF.FA\n"
            "  Ethernet Multicast: 01 00 5E 7F FF FA\n");
}

// One line of the text answer, found by its caption.
std::string Field(const std::string& out, const std::string& caption) {
  const std::string key = "  " + caption + ": ";
  const size_t at = out.find(key);
  if (at == std::string::npos) return "<missing " + caption + ">";
  const size_t start = at + key.size();
  return out.substr(start, out.find('\n', start) - start);
}

struct TSubnetCase {
  const char* Name;
  std::vector<std::string> Arguments;
  const char* SubnetBits;
  const char* MaskBits;
  const char* Mask;
  const char* Subnets;
  const char* Hosts;
  const char* Id;
  const char* Broadcast;
  const char* Range;
};

class IpSubnetChoice : public testing::TestWithParam<TSubnetCase> {};

TEST_P(IpSubnetChoice, PicksTheRowAndItsSubnet) {
  const TSubnetCase& c = GetParam();
  const TCliResult r = RunCli(c.Arguments);
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_EQ(Field(r.Out, "Subnet Bits"), c.SubnetBits);
  EXPECT_EQ(Field(r.Out, "Mask Bits"), c.MaskBits);
  EXPECT_EQ(Field(r.Out, "Subnet Mask"), c.Mask);
  EXPECT_EQ(Field(r.Out, "Max Subnets"), c.Subnets);
  EXPECT_EQ(Field(r.Out, "Max Hosts Per Subnet"), c.Hosts);
  EXPECT_EQ(Field(r.Out, "Subnet ID"), c.Id);
  EXPECT_EQ(Field(r.Out, "Subnet Broadcast"), c.Broadcast);
  EXPECT_EQ(Field(r.Out, "Subnet Host Address Range"), c.Range);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IpSubnetChoice,
    testing::Values(TSubnetCase{"ClassCMaskBits27",
                                {"ip", "192.168.1.77", "--mask-bits", "27"},
                                "3",
                                "27",
                                "255.255.255.224",
                                "6",
                                "30",
                                "192.168.1.64",
                                "192.168.1.95",
                                "192.168.1.65 - 192.168.1.94"},
                    TSubnetCase{"OneSubnetBitAllowedCountsAllSubnets",
                                {"ip", "192.168.1.77", "--mask-bits", "27", "--allow-1-bit"},
                                "3",
                                "27",
                                "255.255.255.224",
                                "8",
                                "30",
                                "192.168.1.64",
                                "192.168.1.95",
                                "192.168.1.65 - 192.168.1.94"},
                    TSubnetCase{"InverseMaskChangesOnlyTheMaskText",
                                {"ip", "128.15.10.5", "--subnet-bits", "8", "--inverse-mask"},
                                "8",
                                "24",
                                "0.0.0.255",
                                "254",
                                "254",
                                "128.15.10.0",
                                "128.15.10.255",
                                "128.15.10.1 - 128.15.10.254"},
                    TSubnetCase{"MaxSubnetsTakesTheFirstRowWithEnough",
                                {"ip", "10.20.30.40", "--max-subnets", "4194302"},
                                "22",
                                "30",
                                "255.255.255.252",
                                "4194302",
                                "2",
                                "10.20.30.40",
                                "10.20.30.43",
                                "10.20.30.41 - 10.20.30.42"},
                    TSubnetCase{"MaxSubnetsBetweenRowsRoundsUp",
                                {"ip", "192.168.1.1", "--max-subnets", "5"},
                                "3",
                                "27",
                                "255.255.255.224",
                                "6",
                                "30",
                                "192.168.1.0",
                                "192.168.1.31",
                                "192.168.1.1 - 192.168.1.30"},
                    TSubnetCase{"MaxHostsTakesTheLastRowWithEnough",
                                {"ip", "10.1.2.3", "--max-hosts", "1000"},
                                "14",
                                "22",
                                "255.255.252.0",
                                "16382",
                                "1022",
                                "10.1.0.0",
                                "10.1.3.255",
                                "10.1.0.1 - 10.1.3.254"},
                    TSubnetCase{"OneSubnetBitRowOfClassC",
                                {"ip", "200.1.2.200", "--subnet-bits", "1", "--allow-1-bit"},
                                "1",
                                "25",
                                "255.255.255.128",
                                "2",
                                "126",
                                "200.1.2.128",
                                "200.1.2.255",
                                "200.1.2.129 - 200.1.2.254"}),
    [](const testing::TestParamInfo<TSubnetCase>& info) { return std::string(info.param.Name); });

TEST(IpCommand, CidrOfAClassCAddress) {
  const TCliResult r = RunCli({"ip", "192.168.1.77", "--supernet-bits", "22", "--inverse-mask"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_EQ(Field(r.Out, "Supernet Mask"), "0.0.3.255");
  EXPECT_EQ(Field(r.Out, "Max Supernets"), "4");
  EXPECT_EQ(Field(r.Out, "Max Hosts"), "1022");
  EXPECT_EQ(Field(r.Out, "Route"), "192.168.0.0");
  EXPECT_EQ(Field(r.Out, "Supernet Address Range"), "192.168.0.0 - 192.168.3.255");
}

TEST(IpCommand, JsonDocumentHasNumbersAsNumbersAndAddressesAsStrings) {
  const TCliResult r = RunCli({"ip", "192.168.1.77", "--mask-bits", "27", "--supernet-bits", "22", "--json"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const nlohmann::json doc = nlohmann::json::parse(r.Out);
  EXPECT_EQ(doc["address"], "192.168.1.77");
  EXPECT_EQ(doc["class"], "C");
  EXPECT_EQ(doc["networkBits"], 24);
  EXPECT_EQ(doc["hexadecimal"], "C0.A8.01.4D");
  EXPECT_FALSE(doc.contains("ethernetMulticast"));
  const nlohmann::json& s = doc["subnet"];
  EXPECT_EQ(s["subnetBits"], 3);
  EXPECT_EQ(s["maskBits"], 27);
  EXPECT_EQ(s["mask"], "255.255.255.224");
  EXPECT_EQ(s["inverseMask"], "0.0.0.31");
  EXPECT_EQ(s["subnetCount"], 6);
  EXPECT_EQ(s["hostCount"], 30);
  EXPECT_EQ(s["bitMap"], "110nnnnn.nnnnnnnn.nnnnnnnn.ssshhhhh");
  EXPECT_EQ(s["subnetId"], "192.168.1.64");
  EXPECT_EQ(s["firstHost"], "192.168.1.65");
  EXPECT_EQ(s["lastHost"], "192.168.1.94");
  EXPECT_EQ(s["broadcast"], "192.168.1.95");
  const nlohmann::json& c = doc["supernet"];
  EXPECT_EQ(c["maskBits"], 22);
  EXPECT_EQ(c["supernetCount"], 4);
  EXPECT_EQ(c["hostCount"], 1022);
  EXPECT_EQ(c["addressCount"], 1022);
  EXPECT_EQ(c["route"], "192.168.0.0");
  EXPECT_EQ(c["lastAddress"], "192.168.3.255");
}

TEST(IpCommand, TableIsTheCopyTextWithCrLf) {
  const TCliResult r = RunCli({"ip", "192.168.1.77", "--mask-bits", "30", "--table"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const std::string header = "#\tID\tRange\tBroadcast\r\n";
  ASSERT_EQ(r.Out.rfind(header, 0), 0u);
  const std::string first = "1\t192.168.1.4\t192.168.1.5 - 192.168.1.6\t192.168.1.7\r\n";
  EXPECT_EQ(r.Out.substr(header.size(), first.size()), first);
  const std::string last = "62\t192.168.1.248\t192.168.1.249 - 192.168.1.250\t192.168.1.251\r\n";
  EXPECT_EQ(r.Out.substr(r.Out.size() - last.size()), last);
  size_t lines = 0;
  for (char ch : r.Out) lines += ch == '\n';
  EXPECT_EQ(lines, 63u);
}

TEST(IpCommand, TableWithOneSubnetBitAllowedStartsAtSubnetZeroAndLfEnds) {
  const TCliResult r =
      RunCli({"ip", "128.15.99.1", "--subnet-bits", "8", "--allow-1-bit", "--table", "--lf"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_EQ(r.Out.find('\r'), std::string::npos);
  EXPECT_NE(r.Out.find("#\tID\tRange\tBroadcast\n0\t128.15.0.0\t128.15.0.1 - 128.15.0.254\t128.15.0.255\n"),
            std::string::npos);
  const std::string last = "255\t128.15.255.0\t128.15.255.1 - 128.15.255.254\t128.15.255.255\n";
  EXPECT_EQ(r.Out.substr(r.Out.size() - last.size()), last);
}

TEST(IpCommand, JsonTableIsOneObjectALine) {
  const TCliResult r = RunCli({"ip", "128.15.10.5", "--subnet-bits", "8", "--table", "--json"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  std::istringstream lines(r.Out);
  std::string line;
  std::vector<nlohmann::json> rows;
  while (std::getline(lines, line)) rows.push_back(nlohmann::json::parse(line));
  ASSERT_EQ(rows.size(), 254u);
  EXPECT_EQ(rows.front(), nlohmann::json::parse(R"({"number":1,"id":"128.15.1.0","first":"128.15.1.1",)"
                                                R"("last":"128.15.1.254","broadcast":"128.15.1.255"})"));
  EXPECT_EQ(rows.back()["number"], 254);
  EXPECT_EQ(rows.back()["broadcast"], "128.15.254.255");
}

struct TReservedCase {
  const char* Name;
  const char* Address;
  const char* Message;
};

class IpReservedFirstOctet : public testing::TestWithParam<TReservedCase> {};

TEST_P(IpReservedFirstOctet, GivesTheWindowsMessageAndExitsTwo) {
  const TCliResult r = RunCli({"ip", GetParam().Address, "--subnet-bits", "2"});
  EXPECT_EQ(r.ExitCode, 2);
  EXPECT_EQ(r.Out, "");
  EXPECT_EQ(r.Err, std::string("parlamine-cli: ADDRESS: ") + GetParam().Message + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Octets, IpReservedFirstOctet,
    testing::Values(
        TReservedCase{
            "ThisHost", "0.0.0.0",
            "The IP address 0.0.0.0 is a reserved source address meaning \"this host on this network\" "
            "and cannot be subnetted."},
        TReservedCase{
            "SpecificHost", "0.1.2.3",
            "The IP address 0.x.x.x is a reserved destination address meaning \"specific host on this "
            "network\" and cannot be subnetted."},
        TReservedCase{
            "Loopback", "127.0.0.1",
            "The IP address 127.x.x.x is a reserved loopback source/destination address meaning \"local "
            "host\" and cannot be subnetted."},
        TReservedCase{
            "Broadcast", "255.255.255.255",
            "The IP address 255.255.255.255 is a reserved destination broadcast address meaning \"all "
            "hosts on this network\" and canot be subnetted."}),
    [](const testing::TestParamInfo<TReservedCase>& info) { return std::string(info.param.Name); });

TEST(IpCommand, ClassEIsReservedToo) {
  const TCliResult r = RunCli({"ip", "240.1.2.3"});
  EXPECT_EQ(r.ExitCode, 2);
  EXPECT_NE(r.Err.find("240.x.x.x"), std::string::npos) << r.Err;
}

}  // namespace
}  // namespace Parlamine
