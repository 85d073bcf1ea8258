// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "IPAddressText.h"
#include "IPSubnetModel.h"

namespace Parlamine {
namespace {

constexpr uint32_t Address(unsigned a, unsigned b, unsigned c, unsigned d) {
  return a << 24 | b << 16 | c << 8 | d;
}

TEST(AddressTextForms, DecimalBinaryHexAndMulticastHardwareAddress) {
  struct Case {
    uint32_t Value;
    const char* Decimal;
    const char* Binary;
    const char* Hex;
    const char* Mac;
  };
  const Case cases[] = {
      {Address(192, 168, 1, 1), "192.168.1.1", "11000000.10101000.00000001.00000001", "C0.A8.01.01",
       "01 00 5E 28 01 01"},
      {Address(224, 0, 0, 1), "224.0.0.1", "11100000.00000000.00000000.00000001", "E0.00.00.01",
       "01 00 5E 00 00 01"},
      // The 24th bit from the bottom is not part of the hardware address.
      {Address(224, 128, 0, 1), "224.128.0.1", "11100000.10000000.00000000.00000001", "E0.80.00.01",
       "01 00 5E 00 00 01"},
      {Address(239, 255, 255, 250), "239.255.255.250", "11101111.11111111.11111111.11111010", "EF.FF.FF.FA",
       "01 00 5E 7F FF FA"},
      {0, "0.0.0.0", "00000000.00000000.00000000.00000000", "00.00.00.00", "01 00 5E 00 00 00"},
      {0xFFFFFFFFu, "255.255.255.255", "11111111.11111111.11111111.11111111", "FF.FF.FF.FF",
       "01 00 5E 7F FF FF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Decimal);
    EXPECT_EQ(DottedDecimal(c.Value), c.Decimal);
    EXPECT_EQ(DottedBinary(c.Value), c.Binary);
    EXPECT_EQ(DottedHex(c.Value), c.Hex);
    EXPECT_EQ(MulticastMACText(c.Value), c.Mac);
  }
}

TEST(FirstOctetCheck, ClassesAndReservedOctets) {
  struct Case {
    uint32_t Address;
    int Class;
    int Replacement;  // -1: none
    const char* MessageStart;
  };
  const Case cases[] = {
      {Address(0, 0, 0, 0), 0, 1, "The IP address 0.0.0.0 is a reserved source address meaning \"this host"},
      {Address(0, 1, 2, 3), 0, 1, "The IP address 0.x.x.x is a reserved destination address"},
      {Address(1, 0, 0, 0), 0, -1, ""},
      {Address(126, 255, 255, 255), 0, -1, ""},
      {Address(127, 0, 0, 1), 0, 126, "The IP address 127.x.x.x is a reserved loopback"},
      {Address(128, 0, 0, 0), 1, -1, ""},
      {Address(191, 255, 255, 255), 1, -1, ""},
      {Address(192, 0, 0, 0), 2, -1, ""},
      {Address(223, 255, 255, 255), 2, -1, ""},
      {Address(224, 0, 0, 0), 3, -1, ""},
      {Address(239, 255, 255, 255), 3, -1, ""},
      {Address(240, 0, 0, 0), 3, 239, "The IP address 240.x.x.x is a reserved experimental address"},
      {Address(255, 255, 255, 254), 3, 239, "The IP address 255.x.x.x is a reserved experimental address"},
      {Address(255, 255, 255, 255), 3, 239,
       "The IP address 255.255.255.255 is a reserved destination broadcast"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(DottedDecimal(c.Address));
    const TFirstOctetCheck check = CheckFirstOctet(c.Address);
    EXPECT_EQ(check.AddressClass, c.Class);
    EXPECT_EQ(check.Replacement.has_value(), c.Replacement >= 0);
    if (c.Replacement >= 0 && check.Replacement) {
      EXPECT_EQ(*check.Replacement, c.Replacement);
    }
    EXPECT_EQ(check.Message.rfind(c.MessageStart, 0), 0u) << check.Message;
    EXPECT_EQ(check.Message.empty(), c.Replacement < 0);
  }
  EXPECT_EQ(
      CheckFirstOctet(0xFFFFFFFFu).Message,
      "The IP address 255.255.255.255 is a reserved destination broadcast address meaning \"all hosts on "
      "this network\" and canot be subnetted.");
}

TEST(ClassPick, FirstOctetMovesIntoTheClassRange) {
  struct Case {
    int Class;
    int Octet;
    int Expected;
  };
  const Case cases[] = {{1, 10, 128},  {0, 200, 126}, {0, 0, 1},    {0, 127, 126},
                        {1, 191, 191}, {1, 192, 191}, {2, 10, 192}, {2, 250, 223},
                        {3, 100, 224}, {3, 255, 239}, {2, 200, 200}};
  for (const Case& c : cases)
    EXPECT_EQ(FirstOctetInClass(c.Class, static_cast<uint8_t>(c.Octet)), c.Expected)
        << "class " << c.Class << " octet " << c.Octet;
}

TEST(BitMap, ClassAndSubnetMaps) {
  struct Case {
    int Class;
    bool WithSubnet;
    int SubnetBits;
    const char* Expected;
  };
  const Case cases[] = {
      {0, false, 0, "0nnnnnnn.hhhhhhhh.hhhhhhhh.hhhhhhhh"},
      {1, false, 0, "10nnnnnn.nnnnnnnn.hhhhhhhh.hhhhhhhh"},
      {2, false, 0, "110nnnnn.nnnnnnnn.nnnnnnnn.hhhhhhhh"},
      {-1, false, 0, "110nnnnn.nnnnnnnn.nnnnnnnn.hhhhhhhh"},
      {3, false, 0, "1110gggg.gggggggg.gggggggg.gggggggg"},
      {3, true, 6, "1110gggg.gggggggg.gggggggg.gggggggg"},
      {1, true, 8, "10nnnnnn.nnnnnnnn.ssssssss.hhhhhhhh"},
      {1, true, 9, "10nnnnnn.nnnnnnnn.ssssssss.shhhhhhh"},
      {1, true, 14, "10nnnnnn.nnnnnnnn.ssssssss.sssssshh"},
      {0, true, 1, "0nnnnnnn.shhhhhhh.hhhhhhhh.hhhhhhhh"},
      {0, true, 22, "0nnnnnnn.ssssssss.ssssssss.sssssshh"},
      {2, true, 2, "110nnnnn.nnnnnnnn.nnnnnnnn.sshhhhhh"},
  };
  for (const Case& c : cases) {
    const std::string map =
        BitMapText(c.Class, c.WithSubnet, c.SubnetBits, 32 - NetworkBits(c.Class) - c.SubnetBits);
    EXPECT_EQ(map, c.Expected) << "class " << c.Class << " subnet bits " << c.SubnetBits;
    EXPECT_EQ(map.size(), 35u);
  }
}

TEST(SubnetRows, EndRowsOfEveryClassAndMinimum) {
  struct Case {
    int Class;
    bool Allow1;
    size_t Rows;
    TSubnetRow First;
    TSubnetRow Last;
  };
  const Case cases[] = {
      {0,
       false,
       21,
       {2, 10, Address(255, 192, 0, 0), 2, 4194302},
       {22, 30, Address(255, 255, 255, 252), 4194302, 2}},
      {0,
       true,
       22,
       {1, 9, Address(255, 128, 0, 0), 2, 8388606},
       {22, 30, Address(255, 255, 255, 252), 4194304, 2}},
      {1,
       false,
       13,
       {2, 18, Address(255, 255, 192, 0), 2, 16382},
       {14, 30, Address(255, 255, 255, 252), 16382, 2}},
      {1,
       true,
       14,
       {1, 17, Address(255, 255, 128, 0), 2, 32766},
       {14, 30, Address(255, 255, 255, 252), 16384, 2}},
      {2, false, 5, {2, 26, Address(255, 255, 255, 192), 2, 62}, {6, 30, Address(255, 255, 255, 252), 62, 2}},
      {3, true, 6, {1, 25, Address(255, 255, 255, 128), 2, 126}, {6, 30, Address(255, 255, 255, 252), 64, 2}},
  };
  auto same = [](const TSubnetRow& a, const TSubnetRow& b) {
    return a.SubnetBits == b.SubnetBits && a.MaskBits == b.MaskBits && a.Mask == b.Mask &&
           a.SubnetCount == b.SubnetCount && a.HostCount == b.HostCount;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "class " << c.Class << (c.Allow1 ? " allow 1" : ""));
    const auto rows = SubnetRows(c.Class, c.Allow1);
    ASSERT_EQ(rows.size(), c.Rows);
    EXPECT_TRUE(same(rows.front(), c.First));
    EXPECT_TRUE(same(rows.back(), c.Last));
  }
  // Class B, minimum 2, row 6: 8 subnet bits, 255.255.255.0, 254 subnets, 254 hosts.
  const TSubnetRow row6 = SubnetRows(1, false)[6];
  EXPECT_TRUE(same(row6, {8, 24, Address(255, 255, 255, 0), 254, 254}));
}

TEST(SupernetRows, EndRowsOfEveryClass) {
  struct Case {
    int Class;
    size_t Rows;
    TSupernetRow First;
    TSupernetRow Last;
  };
  const Case cases[] = {
      {0, 8, {1, Address(128, 0, 0, 0), 128, 2147483646}, {8, Address(255, 0, 0, 0), 1, 16777214}},
      {1, 15, {2, Address(192, 0, 0, 0), 16384, 1073741822}, {16, Address(255, 255, 0, 0), 1, 65534}},
      {2, 22, {3, Address(224, 0, 0, 0), 2097152, 536870910}, {24, Address(255, 255, 255, 0), 1, 254}},
      {3, 22, {3, Address(224, 0, 0, 0), 2097152, 536870910}, {24, Address(255, 255, 255, 0), 1, 254}},
  };
  auto same = [](const TSupernetRow& a, const TSupernetRow& b) {
    return a.MaskBits == b.MaskBits && a.Mask == b.Mask && a.NetworkCount == b.NetworkCount &&
           a.AddressCount == b.AddressCount;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Class);
    const auto rows = SupernetRows(c.Class);
    ASSERT_EQ(rows.size(), c.Rows);
    EXPECT_TRUE(same(rows.front(), c.First));
    EXPECT_TRUE(same(rows.back(), c.Last));
  }
  const TSupernetRow row6 = SupernetRows(1)[6];
  EXPECT_TRUE(same(row6, {8, Address(255, 0, 0, 0), 256, 16777214}));
}

TEST(ChooseRow, RememberedKeySurvivesARebuild) {
  auto bits = [](const TSubnetRow& r) { return r.SubnetBits; };
  struct Case {
    int Class;
    bool Allow1;
    std::optional<int> Remembered;
    int ExpectedSubnetBits;
  };
  const Case cases[] = {
      {2, false, 8, 6},             // class B's 8 subnet bits become 6 in class C
      {1, false, 6, 6},             // and stay 6 back in class B
      {2, false, 1, 2},             // unchecking the minimum moves 1 to 2
      {0, false, 20, 20},           // class A keeps 20
      {2, false, 20, 6},            // class C clamps 20 to its last row
      {1, true, std::nullopt, 1},   // nothing remembered: row 0
      {1, false, std::nullopt, 2},  // nothing remembered: row 0
  };
  for (const Case& c : cases) {
    const auto rows = SubnetRows(c.Class, c.Allow1);
    EXPECT_EQ(rows[ChooseRow(rows, c.Remembered, bits)].SubnetBits, c.ExpectedSubnetBits)
        << "class " << c.Class << " remembered " << c.Remembered.value_or(-1);
  }
  auto maskBits = [](const TSupernetRow& r) { return r.MaskBits; };
  const auto classA = SupernetRows(0);
  EXPECT_EQ(classA[ChooseRow(classA, 20, maskBits)].MaskBits, 8);
  const auto classC = SupernetRows(2);
  EXPECT_EQ(classC[ChooseRow(classC, 8, maskBits)].MaskBits, 8);
  EXPECT_EQ(classC[ChooseRow(classC, 1, maskBits)].MaskBits, 3);
}

TEST(NetworkSpan, SubnetAndSupernetOfAnAddress) {
  struct Case {
    uint32_t Address;
    int MaskBits;
    const char* Network;
    const char* Broadcast;
  };
  const Case cases[] = {
      {Address(128, 15, 10, 5), 24, "128.15.10.0", "128.15.10.255"},
      {Address(192, 168, 1, 77), 27, "192.168.1.64", "192.168.1.95"},
      {Address(192, 168, 1, 77), 22, "192.168.0.0", "192.168.3.255"},
      {Address(128, 15, 10, 5), 8, "128.0.0.0", "128.255.255.255"},
      {Address(10, 200, 3, 4), 30, "10.200.3.4", "10.200.3.7"},
  };
  for (const Case& c : cases) {
    const TNetworkSpan span = NetworkSpan(c.Address, MaskOfLength(c.MaskBits));
    EXPECT_EQ(DottedDecimal(span.Network), c.Network);
    EXPECT_EQ(DottedDecimal(span.Broadcast), c.Broadcast);
  }
  EXPECT_EQ(DottedDecimal(~MaskOfLength(22)), "0.0.3.255");
  EXPECT_EQ(MaskOfLength(0), 0u);
  EXPECT_EQ(MaskOfLength(32), 0xFFFFFFFFu);
}

TEST(SubnetTable, RowsOfTheSubnetsHostsTable) {
  struct Case {
    const char* Name;
    uint32_t Address;
    int Class;
    int MaskBits;
    bool Allow1;
    int64_t Rows;
    int64_t Row;
    const char* Line;
  };
  const Case cases[] = {
      {"B first", Address(128, 15, 10, 5), 1, 24, false, 254, 0,
       "1\t128.15.1.0\t128.15.1.1 - 128.15.1.254\t128.15.1.255"},
      {"B last", Address(128, 15, 10, 5), 1, 24, false, 254, 253,
       "254\t128.15.254.0\t128.15.254.1 - 128.15.254.254\t128.15.254.255"},
      {"B host part ignored", Address(128, 15, 99, 1), 1, 24, false, 254, 253,
       "254\t128.15.254.0\t128.15.254.1 - 128.15.254.254\t128.15.254.255"},
      {"B allow 1 first", Address(128, 15, 10, 5), 1, 24, true, 256, 0,
       "0\t128.15.0.0\t128.15.0.1 - 128.15.0.254\t128.15.0.255"},
      {"B allow 1 last", Address(128, 15, 10, 5), 1, 24, true, 256, 255,
       "255\t128.15.255.0\t128.15.255.1 - 128.15.255.254\t128.15.255.255"},
      {"C /30", Address(192, 168, 1, 77), 2, 30, false, 62, 0,
       "1\t192.168.1.4\t192.168.1.5 - 192.168.1.6\t192.168.1.7"},
      {"A largest last", Address(10, 1, 2, 3), 0, 30, true, 4194304, 4194303,
       "4194303\t10.255.255.252\t10.255.255.253 - 10.255.255.254\t10.255.255.255"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const TSubnetTable table(c.Address, c.Class, c.MaskBits, c.Allow1, c.Rows);
    EXPECT_EQ(table.RowCount(), c.Rows);
    char buffer[TSubnetTable::MaxRowTextSize];
    EXPECT_EQ(std::string(buffer, table.FormatRow(c.Row, buffer)), c.Line);
    const std::string joined = table.CellText(c.Row, 0) + "\t" + table.CellText(c.Row, 1) + "\t" +
                               table.CellText(c.Row, 2) + "\t" + table.CellText(c.Row, 3);
    EXPECT_EQ(joined, c.Line);
  }
}

TEST(AddressString, SplitAndPartsRejectEveryWrongShape) {
  const auto parts = SplitAddressString("10.x.X.1");
  EXPECT_EQ(parts, (std::array<std::string, 4>{"10", "x", "X", "1"}));
  EXPECT_EQ(ParseAddressPart("10"), 10);
  EXPECT_EQ(ParseAddressPart("255"), 255);
  EXPECT_EQ(ParseAddressPart("007"), 7);
  for (const char* text : {"1.2.3", "", "1.2.3.4.5.6.7.89", "1234567", "1..2"}) {
    EXPECT_THROW(SplitAddressString(text), EIPAddressException) << text;
  }
  for (const char* part : {"256", "-1", "a", "", "4.5.6.7.8", "1 ", "+", "99999999999"}) {
    EXPECT_THROW(ParseAddressPart(part), EIPAddressException) << part;
  }
  try {
    ParseAddressPart("a");
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Invalid IP Address String");
  }
  EXPECT_EQ(ParseDecimalInteger("-12"), -12);
  EXPECT_EQ(ParseDecimalInteger("+7"), 7);
  EXPECT_EQ(ParseDecimalInteger("2147483648"), std::nullopt);
  EXPECT_EQ(ParseDecimalInteger("-2147483648"), INT32_MIN);
  EXPECT_TRUE(SameTextIgnoringCase("X", "x"));
  EXPECT_FALSE(SameTextIgnoringCase("x", "xx"));
}

}  // namespace
}  // namespace Parlamine

namespace Parlamine {
namespace {

TEST(IPFieldPlacement, FourFieldsBetweenThreeDots) {
  const auto fields = IPFieldPlacement(119, 3);
  const int lefts[] = {0, 30, 60, 90};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(fields[i].Left, lefts[i]);
    EXPECT_EQ(fields[i].Width, 27);
  }
  EXPECT_EQ(IPFieldPlacement(157, 3)[3].Left, 3 * (37 + 3));
}

}  // namespace
}  // namespace Parlamine

namespace Parlamine {
namespace {

// The list sizes its columns by the widest texts without reading the rows:
// no row of a table may be longer than them, and the widest are real rows'
// lengths, not a padded guess.
TEST(SubnetTable, WidestCellTextsAreAsLongAsTheLongestRow) {
  struct Case {
    const char* Name;
    uint32_t Address;
    int Class, MaskBits;
    bool Allow1;
    int64_t Rows;
  };
  const Case cases[] = {
      {"C /26", Address(192, 168, 1, 77), 2, 26, false, 2},
      {"C /30 allow 1", Address(192, 168, 1, 77), 2, 30, true, 64},
      {"B /19", Address(128, 15, 10, 5), 1, 19, false, 6},
      {"B /24", Address(172, 16, 0, 1), 1, 24, false, 254},
      {"A /12", Address(10, 1, 2, 3), 0, 12, true, 16},
      {"A /18", Address(10, 1, 2, 3), 0, 18, false, 1022},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const TSubnetTable table(c.Address, c.Class, c.MaskBits, c.Allow1, c.Rows);
    for (int column = 0; column < 4; ++column) {
      size_t longest = 0;
      for (int64_t row = 0; row < table.RowCount(); ++row)
        longest = std::max(longest, table.CellText(row, column).size());
      EXPECT_EQ(table.WidestCellText(column).size(), longest) << column;
    }
  }
  EXPECT_EQ(TSubnetTable(Address(10, 0, 0, 0), 0, 30, false, 0).WidestCellText(3), "");
}

}  // namespace
}  // namespace Parlamine
