// SPDX-License-Identifier: MIT
// How fast TCP can go on paths worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "Throughput.h"

namespace Parlamine {
namespace {

TNetworkElement Station(TNetworkButtonKind kind, std::int32_t packetSize) {
  TNetworkElement station;
  station.FNetworkButtonKind = kind;
  station.FPacketSize = packetSize;
  return station;
}

TNetworkElement Network(TNetworkButtonKind kind, double mbps, std::int32_t propDelay) {
  TNetworkElement network;
  network.FNetworkButtonKind = kind;
  network.FBandwidth = mbps;
  network.FPropDelay = propDelay;
  return network;
}

// 10 Gbps over a length of fibre, as the dialog or `fibre:10000:1000km` leave it.
TNetworkElement FibreOf(double km) {
  TNetworkElement fibre = Network(nbFibre, 10000, PropDelayForDistance(km, mdFibre));
  fibre.FDistance = km;
  fibre.FMedium = mdFibre;
  return fibre;
}

struct PathCase {
  const char* Name;
  std::vector<TNetworkElement> Chain;
  double RoundTrip;       // s
  double BandwidthDelay;  // bytes
  double Window64KiB;     // Mbps
  double Window1MiB;      // Mbps
  double LossLimited;     // Mbps, 0.01 % loss, MSS 1460
  double FileSeconds;     // 1 GB with a 128 KiB window
};

// Each figure within a millionth of the hand-computed one (the round trip
// is a 32-bit float like every delay).
void ExpectClose(double actual, double expected, const char* what) {
  EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-6) << what;
}

TEST(ComputeThroughput, HandComputedPaths) {
  const double mathis = std::sqrt(1.5) / std::sqrt(0.0001) * 1460 * 8 / 1e6;  // Mbps x seconds
  const std::vector<PathCase> cases = {
      // 1,000 km of fibre at 204,218.3 km/s take 4.896721 ms (not the 5
      // whole ms the dialog's field shows); 1500 bytes at 10 Gbps take 1.2 us
      // each way: 2 x 4.897921 ms.
      {"10 Gbps fibre of 1,000 km",
       {Station(nbDesktopCPU, 1500), FibreOf(1000), Station(nbTowerCPU, 1500)},
       0.009795841835,
       12244802.29,
       65535 * 8 / 0.009795841835 / 1e6,
       1048576 * 8 / 0.009795841835 / 1e6,
       mathis / 0.009795841835,
       8e9 / (131072 * 8 / 0.009795841835)},
      // 64 bytes take 10.24 us, 1500 bytes 240 us at 6.25 MB/s; 2 ms each way.
      {"50 Mbps Wi-Fi hop",
       {Station(nbDesktopCPU, 64), Network(nbWiFi, 50, 2), Station(nbTowerCPU, 1500)},
       0.00425024,
       26564,
       50,
       50,
       mathis / 0.00425024,
       8e9 / 50e6},
      // A GEO hop: 270 ms each way plus 240 us for 1500 bytes at 50 Mbps.
      {"GEO satellite",
       {Station(nbDesktopCPU, 1500), Network(nbSatellite, 50, 270), Station(nbTowerCPU, 1500)},
       0.54048,
       3378000,
       65535 * 8 / 0.54048 / 1e6,
       1048576 * 8 / 0.54048 / 1e6,
       mathis / 0.54048,
       8e9 / (131072 * 8 / 0.54048)},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TThroughput t = ComputeThroughput(c.Chain, ComputeLatency(c.Chain), TThroughputInputs{});
    ASSERT_TRUE(t.BottleneckMbps && t.BandwidthDelayBytes && t.LossLimitedMbps && t.FileSeconds);
    EXPECT_EQ(t.BottleneckIndex, 1);
    ExpectClose(t.RoundTrip, c.RoundTrip, "round trip");
    ExpectClose(*t.BandwidthDelayBytes, c.BandwidthDelay, "bandwidth-delay product");
    ASSERT_EQ(t.Windows.size(), StandardWindows.size() + 1);
    ExpectClose(*t.Windows[0].Mbps, c.Window64KiB, "64 KiB window");
    ExpectClose(*t.Windows[2].Mbps, c.Window1MiB, "1 MiB window");
    ExpectClose(*t.LossLimitedMbps, c.LossLimited, "loss-limited");
    ExpectClose(*t.FileSeconds, c.FileSeconds, "1 GB file");
  }
}

TEST(ComputeThroughput, SlowestNetworkWithABandwidthIsTheBottleneck) {
  // A new network (0 Mbps) says nothing about the rate.
  const std::vector<TNetworkElement> chain = {
      Station(nbDesktopCPU, 64), Network(nbFastEthernet, 10000, 0), Network(nbUnknownNetwork, 0, 0),
      Network(nbVDSL2, 100, 5),  Network(nbPON, 2488.32, 1),        Station(nbTowerCPU, 1500)};
  const TThroughput t = ComputeThroughput(chain, ComputeLatency(chain), TThroughputInputs{});
  EXPECT_EQ(t.BottleneckIndex, 3);
  EXPECT_EQ(t.BottleneckMbps, 100);
  EXPECT_EQ(t.Windows[4].Mbps, 100) << "16 MiB in 12 ms is far more than 100 Mbps";
}

TEST(ComputeThroughput, NothingLimitsAPathWithoutBandwidthOrDelay) {
  const std::vector<TNetworkElement> chain = {Station(nbDesktopCPU, 64), TNetworkElement{},
                                              Station(nbTowerCPU, 1024)};
  const TThroughput t = ComputeThroughput(chain, ComputeLatency(chain), TThroughputInputs{});
  EXPECT_FALSE(t.BottleneckMbps || t.BandwidthDelayBytes || t.LossLimitedMbps || t.AchievableMbps ||
               t.FileSeconds);
  EXPECT_EQ(ThroughputRows(t, "").back(), (TThroughputRow{"File transfer time", "no limit"}));
}

TEST(ParseByteSize, UnitsOfThousandsAndOfPowersOfTwo) {
  const std::vector<std::pair<std::string, std::optional<double>>> cases = {
      {"1500", 1500},         {"64KiB", 65536},     {"1.5 MB", 1.5e6},    {"2gib", 2147483648.0},
      {"700 MiB", 734003200}, {"10 B", 10},         {"-1", std::nullopt}, {"12 parsecs", std::nullopt},
      {"", std::nullopt},     {"1e3", std::nullopt}};
  for (const auto& [text, bytes] : cases) EXPECT_EQ(ParseByteSize(text), bytes) << text;
}

}  // namespace
}  // namespace Parlamine
