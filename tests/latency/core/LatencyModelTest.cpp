// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

#include "LatencyModel.h"

namespace Parlamine {
namespace {

TNetworkElement Client(std::int32_t packetSize, std::int32_t processTime) {
  TNetworkElement client;
  client.FNetworkButtonKind = nbDesktopCPU;
  client.NetworkName = "Client";
  client.FPacketSize = packetSize;
  client.FProcessTime = processTime;
  return client;
}

TNetworkElement Server(std::int32_t packetSize, std::int32_t processTime) {
  TNetworkElement server = Client(packetSize, processTime);
  server.FNetworkButtonKind = nbTowerCPU;
  server.NetworkName = "Server";
  return server;
}

TNetworkElement Network(TNetworkButtonKind kind, double bandwidth, std::int32_t propDelay) {
  TNetworkElement network;
  network.FNetworkButtonKind = kind;
  network.FBandwidth = bandwidth;
  network.FPropDelay = propDelay;
  return network;
}

// The delay column of the statistics table for one direction: one text per
// element, then the total.
std::vector<std::string> DelayColumn(const TLatencyResult& result, TLatencyDirection direction) {
  std::vector<std::string> texts;
  for (const TElementLatency& row : result.Elements) texts.push_back(FormatDelay(row.Delay[direction]));
  texts.push_back(FormatDelay(result.TotalDelay[direction]));
  return texts;
}

std::vector<std::string> PercentColumn(const TLatencyResult& result, TLatencyDirection direction) {
  std::vector<std::string> texts;
  for (const TElementLatency& row : result.Elements) texts.push_back(FormatPercent(row.Share[direction]));
  return texts;
}

using Texts = std::vector<std::string>;

struct ChainCase {
  const char* Name;
  std::vector<TNetworkElement> Chain;
  std::array<Texts, LatencyDirectionCount> Delays;  // indexed by direction
};

TEST(ComputeLatency, WorkedChainsToTheDigit) {
  const std::vector<ChainCase> cases = {
      {"first run: one new network",
       {Client(64, 0), TNetworkElement{}, Server(1024, 0)},
       {Texts{"0.0000000", "0.0000000", "0.0000000", "0.0000000"},
        Texts{"0.0000000", "0.0000000", "0.0000000", "0.0000000"},
        Texts{"0.0000000", "0.0000000", "0.0000000", "0.0000000"}}},
      {"satellite counts its propagation twice for both packets",
       {Client(64, 10), Network(nbSatellite, 0.512, 270), Server(1024, 5)},
       {Texts{"0.0100000", "0.2710000", "0.0000000", "0.2810000"},
        Texts{"0.0000000", "0.2860000", "0.0050000", "0.2910000"},
        Texts{"0.0100000", "0.5570000", "0.0050000", "0.5720000"}}},
      {"T1 carries the request and the reply, each with its propagation",
       {Client(64, 10), Network(nbTCarrier, 1.544, 5), Server(1024, 5)},
       {Texts{"0.0100000", "0.0053316", "0.0000000", "0.0153316"},
        Texts{"0.0000000", "0.0103057", "0.0050000", "0.0153057"},
        Texts{"0.0100000", "0.0156373", "0.0050000", "0.0306373"}}},
      {"ethernet counts its overhead twice",
       {Client(64, 0), Network(nbEthernet, 10, 0), Server(1024, 0)},
       {Texts{"0.0000000", "0.0000672", "0.0000000", "0.0000672"},
        Texts{"0.0000000", "0.0008352", "0.0000000", "0.0008352"},
        Texts{"0.0000000", "0.0009024", "0.0000000", "0.0009024"}}},
      {"two networks are summed in chain order",
       {Client(100, 1), Network(nbOther, 1, 10), Network(nbATM, 155.52, 1), Server(400, 2)},
       {Texts{"0.0010000", "0.0108000", "0.0010051", "0.0000000", "0.0128051"},
        Texts{"0.0000000", "0.0132000", "0.0010206", "0.0020000", "0.0162206"},
        Texts{"0.0010000", "0.0240000", "0.0020257", "0.0020000", "0.0290257"}}},
  };
  for (const ChainCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TLatencyResult result = ComputeLatency(c.Chain);
    ASSERT_EQ(result.Elements.size(), c.Chain.size());
    EXPECT_EQ(DelayColumn(result, ldA), c.Delays[ldA]);
    EXPECT_EQ(DelayColumn(result, ldB), c.Delays[ldB]);
    EXPECT_EQ(DelayColumn(result, ldAB), c.Delays[ldAB]);
  }
}

// A request and its reply both cross every network: an element's round trip
// is its request delay plus its reply delay, whatever its kind.
TEST(ComputeLatency, RoundTripIsRequestPlusReplyOnEveryKind) {
  for (int kind = 0; kind < NetworkButtonKindCount; ++kind) {
    if (IsStation(static_cast<TNetworkButtonKind>(kind))) continue;
    SCOPED_TRACE(kind);
    const TLatencyResult result = ComputeLatency(
        {Client(1000, 3), Network(static_cast<TNetworkButtonKind>(kind), 1.544, 20), Server(1000, 7)});
    const TElementLatency& network = result.Elements[1];
    EXPECT_EQ(FormatDelay(network.Delay[ldA]),
              HasEthernetOverhead(static_cast<TNetworkButtonKind>(kind)) ? "0.0252850" : "0.0251813");
    EXPECT_EQ(network.Delay[ldAB], network.Delay[ldA] + network.Delay[ldB]);
    EXPECT_FLOAT_EQ(result.TotalDelay[ldAB], result.TotalDelay[ldA] + result.TotalDelay[ldB]);
  }
}

TEST(ComputeLatency, FrameRelayRoundTripCountsBothCrossings) {
  const TLatencyResult result =
      ComputeLatency({Client(1000, 0), Network(nbFrameRelay, 1.544, 20), Server(1000, 0)});
  EXPECT_EQ(DelayColumn(result, ldAB), Texts({"0.0000000", "0.0503627", "0.0000000", "0.0503627"}));
}

TEST(ComputeLatency, SharesOfTheSatelliteChain) {
  const TLatencyResult result =
      ComputeLatency({Client(64, 10), Network(nbSatellite, 0.512, 270), Server(1024, 5)});
  EXPECT_EQ(PercentColumn(result, ldA), Texts({"3.6%", "96.4%", "0.0%"}));
  EXPECT_EQ(PercentColumn(result, ldB), Texts({"0.0%", "98.3%", "1.7%"}));
  EXPECT_EQ(PercentColumn(result, ldAB), Texts({"1.7%", "97.4%", "0.9%"}));
  for (int d = 0; d < LatencyDirectionCount; ++d) {
    double sum = 0;
    for (const TElementLatency& row : result.Elements) sum += row.Share[d];
    EXPECT_NEAR(sum, 1.0, 1e-6) << d;
  }
}

TEST(ComputeLatency, ZeroTotalsGiveZeroShares) {
  const TLatencyResult result = ComputeLatency({Client(64, 0), TNetworkElement{}, Server(1024, 0)});
  for (const TElementLatency& row : result.Elements)
    for (float share : row.Share) EXPECT_EQ(share, 0.0f);
  EXPECT_EQ(PercentColumn(result, ldAB), Texts({"0.0%", "0.0%", "0.0%"}));
}

TEST(ComputeLatency, PacketSizesThatOverflowTogether) {
  const std::int32_t largest = std::numeric_limits<std::int32_t>::max();
  try {
    ComputeLatency({Client(largest, 0), TNetworkElement{}, Server(1, 0)});
    FAIL() << "no error for request + reply beyond 32 bits";
  } catch (const EIntOverflow& error) {
    EXPECT_STREQ(error.what(), "Integer overflow");
  }
  // One short of the limit is a valid pair of sizes.
  EXPECT_NO_THROW(ComputeLatency({Client(largest - 1, 0), TNetworkElement{}, Server(1, 0)}));
}

TEST(ComputeLatency, BandwidthJustAboveZeroOverflowsTheFloat) {
  const std::vector<TNetworkElement> chain = {Client(1000000, 0), Network(nbOther, 1e-300, 0),
                                              Server(1000, 0)};
  EXPECT_THROW(ComputeLatency(chain), EFloatingPointOverflow);
  // Two delays that fit a float each can still overflow their sum.
  // 1 byte at 4e-44 Mbps takes 2E38 seconds; two of them pass the float range.
  const std::vector<TNetworkElement> sum = {Client(1, 0), Network(nbOther, 4e-44, 0),
                                            Network(nbOther, 4e-44, 0), Server(0, 0)};
  EXPECT_NO_THROW(ComputeLatency({Client(1, 0), Network(nbOther, 4e-44, 0), Server(0, 0)}));
  EXPECT_THROW(ComputeLatency(sum), EFloatingPointOverflow);
}

TEST(ComputeLatency, ChainWithoutBothStationsIsRejected) {
  EXPECT_THROW(ComputeLatency({}), std::invalid_argument);
  EXPECT_THROW(ComputeLatency({Client(64, 0)}), std::invalid_argument);
}

TEST(LatencyModel, RecomputesOnlyAfterAChange) {
  TLatencyModel model;
  std::vector<TNetworkElement> chain = {Client(64, 10), Network(nbSatellite, 0.512, 270), Server(1024, 5)};
  EXPECT_TRUE(model.LatencyDirty());
  EXPECT_TRUE(model.ComputeLatency(chain));
  EXPECT_FALSE(model.LatencyDirty());
  EXPECT_EQ(FormatDelay(model.Result().TotalDelay[ldAB]), "0.5720000");

  // Without MarkDirty a changed chain keeps the old results.
  chain[1].FPropDelay = 0;
  EXPECT_FALSE(model.ComputeLatency(chain));
  EXPECT_EQ(FormatDelay(model.Result().TotalDelay[ldAB]), "0.5720000");

  model.MarkDirty();
  EXPECT_TRUE(model.ComputeLatency(chain));
  EXPECT_EQ(FormatDelay(model.Result().TotalDelay[ldAB]), "0.0320000");
}

TEST(LatencyModel, SwappedNetworksTakeTheirOwnResultsAlong) {
  TLatencyModel model;
  std::vector<TNetworkElement> chain = {Client(64, 10), Network(nbSatellite, 0.512, 270),
                                        Network(nbTCarrier, 1.544, 5), Network(nbEthernet, 10, 0),
                                        Server(1024, 5)};
  model.ComputeLatency(chain);
  const std::array<float, LatencyDirectionCount> totals = model.Result().TotalDelay;
  model.SwapElementResults(1, 2);
  model.SwapElementResults(3, 2);
  model.SwapElementResults(2, 99);  // beyond the chain: nothing
  EXPECT_FALSE(model.LatencyDirty());
  EXPECT_EQ(model.Result().TotalDelay, totals);

  // The same chain computed in its new order gives every element the same figures.
  const TLatencyResult fresh = ComputeLatency({chain[0], chain[2], chain[3], chain[1], chain[4]});
  for (int d = 0; d < LatencyDirectionCount; ++d) {
    const auto direction = static_cast<TLatencyDirection>(d);
    EXPECT_EQ(DelayColumn(model.Result(), direction), DelayColumn(fresh, direction)) << "direction " << d;
    EXPECT_EQ(PercentColumn(model.Result(), direction), PercentColumn(fresh, direction)) << "direction " << d;
  }
}

TEST(LatencyModel, AFailedComputationKeepsTheFlagAndZeroesTheTotals) {
  TLatencyModel model;
  std::vector<TNetworkElement> chain = {Client(64, 10), Network(nbSatellite, 0.512, 270), Server(1024, 5)};
  model.ComputeLatency(chain);
  chain.front().FPacketSize = std::numeric_limits<std::int32_t>::max();
  model.MarkDirty();
  EXPECT_THROW(model.ComputeLatency(chain), EIntOverflow);
  EXPECT_TRUE(model.LatencyDirty());
  for (float total : model.Result().TotalDelay) EXPECT_EQ(total, 0.0f);
  // The elements keep the results of the last good computation.
  EXPECT_EQ(FormatDelay(model.Result().Elements[1].Delay[ldB]), "0.2860000");
  // It fails again next time instead of showing stale figures.
  EXPECT_THROW(model.ComputeLatency(chain), EIntOverflow);
}

TEST(FormatDelay, SevenDecimals) {
  struct Row {
    double Value;
    const char* Text;
  };
  const std::vector<Row> rows = {
      {0, "0.0000000"},
      {0.0000672f, "0.0000672"},
      {0.286f, "0.2860000"},
      {12.3456789, "12.3456800"},
      {0.00000005f, "0.0000001"},  // 5.00000006E-8
      {0.00000005, "0.0000000"},   // 4.99999999999999977E-8, just below the half
      {0.00000004999, "0.0000000"},
      {0.000000001, "0.0000000"},
      {0.99999999, "1.0000000"},
      {9999999.4, "9999999.0000000"},
      {9999999.6, "1E7"},
      {12345678.9, "1.234568E7"},
      {3.4e38f, "3.4E38"},
      // Rounded once, at the last decimal: the 8th digit does not carry first.
      {0.012345649f, "0.0123456"},
      {0.0012345499f, "0.0012345"},
      {0.0999999996, "0.1000000"},
      {1.2265625f, "1.2265630"},  // an exact tie at the 8th digit rounds up
  };
  for (const Row& row : rows) EXPECT_EQ(FormatDelay(row.Value), row.Text) << row.Text;
  EXPECT_EQ(FormatDelay(0.286f, ','), "0,2860000");
}

TEST(FormatPercent, OneDecimal) {
  struct Row {
    float Share;
    const char* Text;
  };
  const std::vector<Row> rows = {
      {0.2349f, "23.5%"},
      {0.0f, "0.0%"},
      {1.0f, "100.0%"},
      {0.25f, "25.0%"},
      {0.99996f, "100.0%"},
      {0.00049f, "0.0%"},
      {0.0005f, "0.1%"},
      {0.123449f, "12.3%"},
      // 12.3499997: once at the decimal, not via 12.35.
      {0.1235f, "12.3%"},
      {0.8765f, "87.7%"},
      {0.0625f, "6.3%"},
      {0.0999999996f, "10.0%"},
  };
  for (const Row& row : rows) EXPECT_EQ(FormatPercent(row.Share), row.Text) << row.Text;
  EXPECT_EQ(FormatPercent(0.5f, ','), "50,0%");
}

}  // namespace
}  // namespace Parlamine
