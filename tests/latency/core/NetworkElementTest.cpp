// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "NetworkElement.h"

namespace Parlamine {
namespace {

TNetworkElement Network(TNetworkButtonKind kind, double bandwidth, std::int32_t propDelay,
                        std::string name = "Net") {
  TNetworkElement element;
  element.FNetworkButtonKind = kind;
  element.FBandwidth = bandwidth;
  element.FPropDelay = propDelay;
  element.NetworkName = std::move(name);
  return element;
}

TNetworkElement Station(TNetworkButtonKind kind, std::string name, std::int32_t packetSize,
                        std::int32_t processTime) {
  TNetworkElement element;
  element.FNetworkButtonKind = kind;
  element.NetworkName = std::move(name);
  element.FPacketSize = packetSize;
  element.FProcessTime = processTime;
  return element;
}

TEST(NetworkKinds, OnlyTheLastTwoOrdinalsAreStations) {
  for (int ordinal = 0; ordinal < NetworkButtonKindCount; ++ordinal)
    EXPECT_EQ(IsStation(static_cast<TNetworkButtonKind>(ordinal)), ordinal == 16 || ordinal == 17) << ordinal;
  // The present-day links follow the stations: 18 to 26.
  EXPECT_TRUE(IsValidNetworkButtonKind(26));
  EXPECT_FALSE(IsValidNetworkButtonKind(27));
  EXPECT_FALSE(IsValidNetworkButtonKind(-1));
  EXPECT_TRUE(IsValidNetworkButtonKind(17));
}

TEST(NetworkKinds, PicturesAreSharedByKindsOfTheSameFamily) {
  const std::vector<std::pair<TNetworkButtonKind, std::string_view>> cases = {
      {nb56Switched, "OTHER"},
      {nbATM, "ATM"},
      {nbBISDN, "ATM"},
      {nbISDN, "ATM"},
      {nbDQDB, "DQDB"},
      {nbSMDS, "DQDB"},
      {nbFrameRelay, "OTHER"},
      {nbTCarrier, "TCARRIER"},
      {nbUnknownNetwork, "UNKNOWNNETWORK"},
      {nbX25, "X25"},
      {nbDesktopCPU, "DESKTOPCPU"},
      {nbTowerCPU, "TOWERCPU"},
      {nbFastEthernet, "ETHERNET"},
      {nbPON, "FDDI"},
      {nbLEOSatellite, "SATELLITE"}};
  for (const auto& [kind, picture] : cases) EXPECT_EQ(KindPictureName(kind), picture) << int(kind);
  // A damaged stored byte never reads outside the table.
  EXPECT_EQ(KindPictureName(static_cast<TNetworkButtonKind>(200)), "UNKNOWNNETWORK");
}

TEST(Topologies, ListOrderKindsAndDefaults) {
  struct Row {
    int Index;
    std::string_view Name;
    TNetworkButtonKind Kind;
    std::optional<double> Bandwidth;
  };
  const std::vector<Row> rows = {
      {0, "56-Switched", nb56Switched, 0.056},
      {1, "ATM", nbATM, 155.52},
      {2, "B-ISDN", nbBISDN, 155.52},
      {6, "Frame Relay", nbFrameRelay, 1.544},
      {8, "Satellite", nbSatellite, 0.512},
      {10, "T1", nbTCarrier, 1.544},
      {11, "T3", nbTCarrier, 44.736},
      {12, "Token Ring", nbTokenRing, 16},
      {13, "X.25", nbX25, 0.064},
      {14, " ", nbOther, std::nullopt},
      {15, "10G Ethernet", nbFastEthernet, 10000},
      {19, "400G Ethernet", nbFastEthernet, 400000},
      {20, "Fibre", nbFibre, 10000},
      {24, "Wi-Fi 7 (802.11be)", nbWiFi, 2882},
      {26, "5G", nb5G, 300},
      {28, "GPON", nbPON, 2488.32},
      {29, "XGS-PON", nbPON, 9953.28},
      {31, "LEO Satellite", nbLEOSatellite, 100},
  };
  ASSERT_EQ(Topologies().size(), 32u);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(Topologies()[static_cast<std::size_t>(row.Index)].Name, row.Name);
    EXPECT_EQ(TopologyKind(row.Index), row.Kind);
    EXPECT_EQ(TopologyDefaultBandwidth(row.Index), row.Bandwidth);
    EXPECT_EQ(FindTopology(row.Name), row.Index);
  }
  // Typed text (-1) and names the user added to the list behave as "other".
  for (int index : {-1, 32, 33, 1000}) {
    EXPECT_EQ(TopologyKind(index), nbOther) << index;
    EXPECT_FALSE(TopologyDefaultBandwidth(index).has_value()) << index;
  }
  EXPECT_EQ(FindTopology("ethernet"), -1);
  EXPECT_EQ(FindTopology("<Unknown Topology>"), -1);
}

std::vector<std::string> ChoiceTexts(TNetworkButtonKind kind) {
  std::vector<std::string> texts;
  for (double choice : BandwidthChoices(kind)) texts.push_back(FormatFloat(choice));
  return texts;
}

TEST(BandwidthChoices, TextsPerKind) {
  using Texts = std::vector<std::string>;
  const Texts listL = {"0.064", "0.128", "0.256", "0.512", "1.024", "1.544", "6.312", "44.736", "274.176"};
  EXPECT_EQ(ChoiceTexts(nb56Switched), Texts({"0.056"}));
  EXPECT_EQ(ChoiceTexts(nbATM), Texts({"25", "155.52", "622.08"}));
  EXPECT_EQ(ChoiceTexts(nbBISDN), Texts({"25", "155.52", "622.08"}));
  EXPECT_EQ(ChoiceTexts(nbEthernet), Texts({"10", "100", "1000"}));
  EXPECT_EQ(ChoiceTexts(nbHIPPI), Texts({"800", "1600"}));
  EXPECT_EQ(ChoiceTexts(nbTokenRing), Texts({"4", "16"}));
  EXPECT_EQ(ChoiceTexts(nbSMDS), Texts({"44.736"}));
  for (auto kind : {nbFrameRelay, nbSatellite, nbTCarrier, nbX25}) EXPECT_EQ(ChoiceTexts(kind), listL);
  const Texts listF = {"0.056",  "0.064",   "0.128",  "0.256", "0.512", "1.024",  "1.544",
                       "4",      "6.312",   "10",     "16",    "25",    "44.736", "100",
                       "155.52", "274.176", "622.08", "800",   "1000",  "1600"};
  EXPECT_EQ(ChoiceTexts(nbOther), listF);
  for (auto kind : {nbISDN, nbUnknownNetwork, nbDesktopCPU, nbTowerCPU})
    EXPECT_TRUE(ChoiceTexts(kind).empty());
}

TEST(BandwidthChoices, EveryTopologyDefaultIsAmongItsKindsChoices) {
  for (const TTopology& topology : Topologies()) {
    if (!topology.DefaultBandwidth) continue;
    const auto texts = ChoiceTexts(topology.Kind);
    EXPECT_NE(std::find(texts.begin(), texts.end(), FormatFloat(*topology.DefaultBandwidth)), texts.end())
        << topology.Name;
  }
}

TEST(PropDelaySetup, PerKind) {
  struct Row {
    TNetworkButtonKind Kind;
    bool Enabled, SetsValue;
    std::int32_t Value;
  };
  const std::vector<Row> rows = {
      {nb56Switched, true, true, 10},  {nbATM, true, true, 1},         {nbBISDN, true, false, 0},
      {nbDQDB, true, true, 1},         {nbEthernet, false, true, 0},   {nbFDDI, false, true, 0},
      {nbFrameRelay, true, true, 20},  {nbHIPPI, false, true, 0},      {nbISDN, true, false, 0},
      {nbOther, true, true, 10},       {nbSatellite, true, true, 270}, {nbSMDS, true, true, 1},
      {nbTCarrier, true, true, 5},     {nbTokenRing, false, true, 0},  {nbUnknownNetwork, true, false, 0},
      {nbX25, true, true, 10},         {nbDesktopCPU, false, true, 0}, {nbTowerCPU, false, true, 0},
      {nbFastEthernet, true, true, 0}, {nbFibre, true, true, 5},       {nbWiFi, true, true, 2},
      {nbLTE, true, true, 15},         {nb5G, true, true, 5},          {nbDOCSIS, true, true, 5},
      {nbPON, true, true, 1},          {nbVDSL2, true, true, 5},       {nbLEOSatellite, true, true, 20},
  };
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(NetworkButtonKindCount));
  for (const Row& row : rows) {
    const TPropDelaySetup setup = PropDelaySetup(row.Kind);
    EXPECT_EQ(setup.Enabled, row.Enabled) << int(row.Kind);
    EXPECT_EQ(setup.SetsValue, row.SetsValue) << int(row.Kind);
    if (row.SetsValue) {
      EXPECT_EQ(setup.Value, row.Value) << int(row.Kind);
    }
  }
}

TEST(GetDelay, WorkedExamplesToTheBit) {
  struct Row {
    const char* Name;
    TNetworkElement Element;
    std::int32_t Packet;
    double Expected;  // seconds
  };
  const std::vector<Row> rows = {
      {"new network", TNetworkElement{}, 1024, 0},
      {"new network, largest packet", TNetworkElement{}, 2147483647, 0},
      {"ethernet 10 Mbps, 64 B", Network(nbEthernet, 10, 0), 64, 0.0000672},
      {"ethernet 10 Mbps, 1024 B", Network(nbEthernet, 10, 0), 1024, 0.0008352},
      {"ethernet at 0 Mbps has no overhead", Network(nbEthernet, 0, 0), 64, 0},
      {"satellite 0.512 Mbps 270 ms, 1024 B", Network(nbSatellite, 0.512, 270), 1024, 0.286},
      {"satellite 0.512 Mbps 270 ms, 64 B", Network(nbSatellite, 0.512, 270), 64, 0.271},
      {"T1 with one packet of 1088 B", Network(nbTCarrier, 1.544, 5), 1088, 0.005 + 1088 / (1.544 * 125000)},
      {"propagation only", Network(nbOther, 0, 10), 512, 0.010},
      {"station ignores the packet", Station(nbTowerCPU, "Server", 1024, 5), 99999, 0.005},
      {"station without processing", Station(nbDesktopCPU, "Client", 64, 0), 64, 0},
  };
  for (const Row& row : rows) {
    const float delay = GetDelay(row.Element, row.Packet);
    // Each step rounds to a 32-bit float; the result is within a few float
    // units of the exact value, never a double-precision result.
    EXPECT_NEAR(delay, row.Expected, std::fabs(row.Expected) * 4e-7 + 1e-12) << row.Name;
  }
}

TEST(GetDelay, RoundsTheTransmissionTimeBeforeAddingThePropagation) {
  // 46 bytes over T1 plus 1 ms: rounding the transmission time to a float
  // first lands on a different float than rounding the exact sum once.
  const float delay = GetDelay(Network(nbTCarrier, 1.544, 1), 46);
  EXPECT_EQ(delay, 0.001238341909f);
  EXPECT_NE(delay, 0.001238342025f);
}

TEST(GetDelay, OutOfRangeResultsRaiseTheFloatingPointErrors) {
  try {
    GetDelay(Network(nbOther, 1e-300, 0), 2147483647);
    FAIL() << "no error for a delay beyond the float range";
  } catch (const EFloatingPointOverflow& error) {
    EXPECT_STREQ(error.what(), "Floating point overflow");
  }
  // Just inside the float range is still a delay.
  EXPECT_NO_THROW(GetDelay(Network(nbOther, 1e-40, 0), 1));
  EXPECT_THROW(GetDelay(Network(nbOther, 4.9e-324, 0), 1), EFloatingPointOverflow);
  EXPECT_THROW(GetDelay(Network(nbEthernet, 1e-300, 0), 0), EFloatingPointOverflow);
  EXPECT_THROW(GetDelay(Network(nbOther, std::nan(""), 0), 64), EInvalidFloatingPointOperation);
  // An infinite bandwidth clocks a packet out in no time.
  EXPECT_EQ(GetDelay(Network(nbOther, std::numeric_limits<double>::infinity(), 3), 64), 0.003f);
}

TEST(FormatGeneral, SixSignificantDigits) {
  struct Row {
    double Value;
    const char* Text;
  };
  const std::vector<Row> rows = {
      {0, "0"},
      {0.056, "0.056"},
      {1000, "1000"},
      {155.52, "155.52"},
      {1234567, "1.23457E6"},
      {999999, "999999"},
      {999999.6, "1E6"},
      {123456.7, "123457"},
      {0.00001, "0.00001"},
      {0.000001, "1E-6"},
      {0.0000123456789, "0.0000123457"},
      {12.5, "12.5"},
      {1024.125, "1024.13"},  // an exact tie rounds up, not to the even neighbour
      {-1024.125, "-1024.13"},
      {0.1 + 0.2, "0.3"},
      {-2.5, "-2.5"},
      {1e300, "1E300"},
      {std::nan(""), "NAN"},
      {std::numeric_limits<double>::infinity(), "INF"},
  };
  for (const Row& row : rows) EXPECT_EQ(FormatBandwidth(row.Value), row.Text) << row.Text;
  EXPECT_EQ(FormatBandwidth(0.512, ','), "0,512");
  EXPECT_EQ(FormatBandwidth(1234567, ','), "1,23457E6");
  EXPECT_EQ(FormatFloat(274.176), "274.176");
  EXPECT_EQ(FormatFloat(1.0 / 3), "0.333333333333333");
}

TEST(NetworkHint, StationsAndNetworks) {
  TNetworkElement unknown;
  const std::vector<std::pair<TNetworkElement, std::string>> rows = {
      {Station(nbDesktopCPU, "Client", 64, 0), "Client (64 B pkt.)"},
      {Station(nbTowerCPU, "Server", 1024, 5), "Server (1024 B pkt., 5 ms proc. time)"},
      {Network(nbEthernet, 10, 0, "Ethernet"), "Ethernet (10 Mbps)"},
      {Network(nbSatellite, 0.512, 270, "Satellite"), "Satellite (0.512 Mbps, 270 ms prop. delay)"},
      {unknown, "<Unknown Topology> (0 Mbps)"},
      {Network(nbOther, 1234567, 0, "Lab"), "Lab (1.23457E6 Mbps)"},
  };
  for (const auto& [element, hint] : rows) EXPECT_EQ(NetworkHint(element), hint);
  EXPECT_EQ(NetworkHint(Network(nbSatellite, 0.512, 270, "Sat"), ','),
            "Sat (0,512 Mbps, 270 ms prop. delay)");
}

TEST(NetworkElement, NewElementDefaults) {
  const TNetworkElement element;
  EXPECT_EQ(element.FNetworkButtonKind, nbUnknownNetwork);
  EXPECT_EQ(element.NetworkName, "<Unknown Topology>");
  EXPECT_EQ(element.FPacketSize, 512);
  EXPECT_EQ(element.FBandwidth, 0);
  EXPECT_EQ(element.FPropDelay, 0);
  EXPECT_EQ(element.FProcessTime, 0);
}

}  // namespace
// 1000 km / 204,218 km/s = 4.897 ms; 100 km / 197,863 km/s = 0.505 ms;
// 35,786 km (up to a GEO satellite) / c = 119.4 ms.
TEST(PropDelayForDistance, WholeMillisecondsAtTheMediumsSpeed) {
  struct Row {
    double Km;
    TMedium Medium;
    std::int32_t Ms;
  };
  const std::vector<Row> rows = {
      {1000, mdFibre, 5}, {100, mdCopper, 1}, {35786, mdFreeSpace, 119}, {2000, mdFreeSpace, 7},
      {0, mdFibre, 0},    {1000, mdNone, 0},  {-5, mdFibre, 0},          {1e15, mdFibre, 2147483647}};
  for (const Row& row : rows) EXPECT_EQ(PropDelayForDistance(row.Km, row.Medium), row.Ms) << row.Km;
  EXPECT_NEAR(SignalSpeed(mdFibre), 204218, 1);
  EXPECT_NEAR(SignalSpeed(mdCopper), 197863, 1);
}

// A distance gives the exact delay unless the user typed another over the
// whole milliseconds it filled. Fibre: 1000 km x 1.468 / 299792.458 km/s =
// 4.896721 ms, plus 1500 B / 1.25e9 B/s = 1.2 us. Radio: 30 km / c =
// 0.100069 ms, plus 1500 B / 6.25e6 B/s = 240 us. Ethernet has no
// propagation delay at all, and a chain without distances keeps its figures.
TEST(PropagationSeconds, ExactFromADistanceUnlessTypedOver) {
  struct Row {
    const char* What;
    TNetworkElement Element;
    double Km;
    TMedium Medium;
    double Seconds;  // one 1500-byte packet
    const char* Hint;
  };
  const std::vector<Row> rows = {
      {"fibre", Network(nbFibre, 10000, 5, "Fibre"), 1000, mdFibre, 0.004897920917508872,
       "Fibre (10000 Mbps, 4.89672 ms prop. delay)"},
      {"radio", Network(nbLTE, 50, 0, "4G LTE"), 30, mdFreeSpace, 0.0003400692285594456,
       "4G LTE (50 Mbps, 0.100069 ms prop. delay)"},
      {"typed over", Network(nbFibre, 10000, 7, "Fibre"), 1000, mdFibre, 0.0070012,
       "Fibre (10000 Mbps, 7 ms prop. delay)"},
      {"no delay field", Network(nbEthernet, 1000, 0, "Ethernet"), 0.1, mdCopper, 0.00001216,
       "Ethernet (1000 Mbps)"},
      {"no distance", Network(nbSatellite, 0.512, 270, "Satellite"), 0, mdNone, 0.2934375,
       "Satellite (0.512 Mbps, 270 ms prop. delay)"},
  };
  for (Row row : rows) {
    SCOPED_TRACE(row.What);
    row.Element.FDistance = row.Km;
    row.Element.FMedium = row.Medium;
    EXPECT_FLOAT_EQ(GetDelay(row.Element, 1500), static_cast<float>(row.Seconds));
    EXPECT_EQ(NetworkHint(row.Element), row.Hint);
  }
}

}  // namespace Parlamine
