// SPDX-License-Identifier: MIT
// The figures of all four pages computed from one state; the window and the
// command line only show them.
#include <gtest/gtest.h>

#include "IPSubnetResult.h"
#include "SubnetTableText.h"

namespace Parlamine {
namespace {

std::string TableRow(const TSubnetTable& table, int64_t row) {
  char line[TSubnetTable::MaxRowTextSize];
  return std::string(line, table.FormatRow(row, line));
}

TEST(IPSubnetResult, EveryPageFollowsTheStateChoices) {
  struct Case {
    const char* Name;
    TIPSubnetState State;
    const char* AddressType;
    const char* EthernetMulticast;  // empty: the row is hidden
    int SubnetRow;
    const char* SubnetMask;  // the selected item, in the form asked for
    const char* HostRange;
    int64_t TableRows;
    const char* FirstTableRow;
    int SupernetRow;
    const char* SupernetMask;
    const char* SupernetRange;
  };
  const Case cases[] = {
      {"class B as first started",
       {.Address = 0x800F0A05, .AddressClass = 1, .SubnetBits = 8, .SupernetBits = 8},
       "Class B: 128.0.0.0 -- 191.255.255.255",
       "",
       6,
       "255.255.255.0",
       "128.15.10.1 - 128.15.10.254",
       254,
       "1\t128.15.1.0\t128.15.1.1 - 128.15.1.254\t128.15.1.255",
       6,
       "255.0.0.0",
       "128.0.0.0 - 128.255.255.255"},
      // One subnet bit allowed: the all-zero subnet is row 0 of the table.
      {"class C, inversed masks",
       {.Address = 0xC0A8014D,
        .AddressClass = 2,
        .SubnetBits = 3,
        .Allow1SubnetBit = true,
        .SupernetBits = 22,
        .InverseSubnetMask = true,
        .InverseSupernetMask = true},
       "Class C: 192.0.0.0 -- 223.255.255.255",
       "",
       2,
       "0.0.0.31",
       "192.168.1.65 - 192.168.1.94",
       8,
       "0\t192.168.1.0\t192.168.1.1 - 192.168.1.30\t192.168.1.31",
       19,
       "0.0.3.255",
       "192.168.0.0 - 192.168.3.255"},
      // Keys beyond the rows the class offers pick the nearest end.
      {"class A, keys out of range",
       {.Address = 0x0A141E28, .AddressClass = 0, .SubnetBits = 99, .SupernetBits = 0},
       "Class A: 1.0.0.0 -- 126.255.255.255",
       "",
       20,
       "255.255.255.252",
       "10.20.30.41 - 10.20.30.42",
       4194302,
       "1\t10.0.0.4\t10.0.0.5 - 10.0.0.6\t10.0.0.7",
       0,
       "128.0.0.0",
       "0.0.0.0 - 127.255.255.255"},
      // The hidden subnetting pages are kept up to date with 24 network bits.
      {"multicast",
       {.Address = 0xEFFFFFFA, .AddressClass = 3},
       "Class D/Multicast: 224.0.0.0 -- 239.255.255.255",
       "01 00 5E 7F FF FA",
       0,
       "255.255.255.192",
       "239.255.255.193 - 239.255.255.254",
       2,
       "1\t239.255.255.64\t239.255.255.65 - 239.255.255.126\t239.255.255.127",
       0,
       "224.0.0.0",
       "224.0.0.0 - 255.255.255.255"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const TIPSubnetResult r = ComputeIPSubnetResult(c.State);
    EXPECT_EQ(r.AddressInfo.AddressType, c.AddressType);
    EXPECT_EQ(r.AddressInfo.Multicast ? r.AddressInfo.EthernetMulticast : "", c.EthernetMulticast);

    const TSubnetInfo& subnet = r.SubnetInfo;
    ASSERT_EQ(subnet.Lists.Selected, c.SubnetRow);
    for (const std::vector<std::string>& items : subnet.Lists.Items)
      EXPECT_EQ(items.size(), subnet.Rows.size());
    EXPECT_EQ(subnet.Lists.SelectedItem(slMask), c.SubnetMask);
    EXPECT_EQ(subnet.HostRange, c.HostRange);
    ASSERT_EQ(r.SubnetTable.RowCount(), c.TableRows);
    EXPECT_EQ(TableRow(r.SubnetTable, 0), c.FirstTableRow);

    const TSupernetInfo& supernet = r.SupernetInfo;
    ASSERT_EQ(supernet.Lists.Selected, c.SupernetRow);
    for (const std::vector<std::string>& items : supernet.Lists.Items)
      EXPECT_EQ(items.size(), supernet.Rows.size());
    EXPECT_EQ(supernet.Lists.SelectedItem(clMask), c.SupernetMask);
    EXPECT_EQ(supernet.Range, c.SupernetRange);
  }
}

TEST(IPSubnetResult, SettledStateKeepsWhatThePagesShow) {
  struct Case {
    const char* Name;
    TIPSubnetState State;
    int SubnetBits;
    int SupernetBits;
    int PageIndex;
  };
  const Case cases[] = {
      // 8 subnet bits of class B become 6 in class C; mask bits 20 become 8 in class A.
      {"class changed", {.AddressClass = 2, .SubnetBits = 8, .SupernetBits = 20, .PageIndex = 3}, 6, 20, 3},
      {"class A", {.AddressClass = 0, .SubnetBits = 8, .SupernetBits = 20, .PageIndex = 2}, 8, 8, 2},
      {"nothing chosen yet", {.AddressClass = 1}, 2, 2, 0},
      {"subnetting page of class D", {.AddressClass = 3, .PageIndex = 2}, 2, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TIPSubnetState state = c.State;
    SettleState(state, ComputeIPSubnetResult(state));
    EXPECT_EQ(state.SubnetBits, c.SubnetBits);
    EXPECT_EQ(state.SupernetBits, c.SupernetBits);
    EXPECT_EQ(state.PageIndex, c.PageIndex);
    // The stored item index reads back the same rows.
    EXPECT_EQ(SubnetBitsAtItem(state, SubnetItemIndex(state)), state.SubnetBits);
    EXPECT_EQ(SupernetBitsAtItem(state, SupernetItemIndex(state)), state.SupernetBits);
  }
}

}  // namespace
}  // namespace Parlamine
