// SPDX-License-Identifier: MIT
// `latency`: the statistics tables of chains worked out by hand.
#include <gtest/gtest.h>

#include <cctype>
#include <nlohmann/json.hpp>

#include "CliTestSupport.h"
#include "LatencyCommand.h"

namespace Parlamine {
namespace {

TEST(LatencyCommand, SatelliteChainInAllThreeDirections) {
  // Satellite 0.512 Mbps, 270 ms: 64 bytes take 0.001 s, 1024 bytes 0.016 s.
  const TCliResult r =
      RunCli({"latency", "--client", "64:10", "--network", "satellite", "--server", "1024:5"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "Clt -> Svr\n"
            "Network Element\tDelay (sec)\tPercent\n"
            "Client (64 B pkt., 10 ms proc. time)\t0.0100000\t3.6%\n"
            "Satellite (0.512 Mbps, 270 ms prop. delay)\t0.2710000\t96.4%\n"
            "Server (1024 B pkt., 5 ms proc. time)\t0.0000000\t0.0%\n"
            "Totals:\t0.2810000\t100.0%\n"
            "\n"
            "Clt <- Svr\n"
            "Network Element\tDelay (sec)\tPercent\n"
            "Client (64 B pkt., 10 ms proc. time)\t0.0000000\t0.0%\n"
            "Satellite (0.512 Mbps, 270 ms prop. delay)\t0.2860000\t98.3%\n"
            "Server (1024 B pkt., 5 ms proc. time)\t0.0050000\t1.7%\n"
            "Totals:\t0.2910000\t100.0%\n"
            "\n"
            "Clt <-> Svr\n"
            "Network Element\tDelay (sec)\tPercent\n"
            "Client (64 B pkt., 10 ms proc. time)\t0.0100000\t1.7%\n"
            "Satellite (0.512 Mbps, 270 ms prop. delay)\t0.5570000\t97.4%\n"
            "Server (1024 B pkt., 5 ms proc. time)\t0.0050000\t0.9%\n"
            "Totals:\t0.5720000\t100.0%\n");
}

TEST(LatencyCommand, JsonOfAnEthernetChain) {
  // 64 B: 64/1250000 + 160/10^7 s; 1024 B: 1024/1250000 + 0.000016 s; both ways
  // the two packets are counted with their own overhead.
  const TCliResult r =
      RunCli({"latency", "--client", "64", "--network", "Ethernet", "--server", "1024", "--json"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const nlohmann::json doc = nlohmann::json::parse(r.Out);
  ASSERT_EQ(doc["elements"].size(), 3u);
  const nlohmann::json& network = doc["elements"][1];
  EXPECT_EQ(network["hint"], "Ethernet (10 Mbps)");
  EXPECT_EQ(network["kind"], "nbEthernet");
  EXPECT_EQ(network["bandwidth"], 10.0);
  EXPECT_EQ(network["delay"]["A"], 0.0000672);
  EXPECT_EQ(network["delay"]["B"], 0.0008352);
  EXPECT_EQ(network["delay"]["AB"], 0.0009024);
  EXPECT_EQ(doc["totals"]["AB"], 0.0009024);
  const nlohmann::json& reply = doc["statistics"][1];
  EXPECT_EQ(reply["caption"], "Clt <- Svr");
  EXPECT_EQ(reply["rows"][1], nlohmann::json({"Ethernet (10 Mbps)", "0.0008352", "100.0%"}));
  EXPECT_EQ(reply["rows"][3], nlohmann::json({"Totals:", "0.0008352", "100.0%"}));
}

TEST(LatencyCommand, T1CountsThePropagationDelayForTheRequestAndTheReply) {
  // (0.005 + 64 / 193000) + (0.005 + 1024 / 193000) = 0.0156373 s.
  const TCliResult r = RunCli({"latency", "--client", "64", "--network", "t1", "--server", "1024", "--json"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const nlohmann::json doc = nlohmann::json::parse(r.Out);
  EXPECT_EQ(doc["statistics"][2]["rows"][1][1], "0.0156373");
  EXPECT_EQ(doc["elements"][1]["hint"], "T1 (1.544 Mbps, 5 ms prop. delay)");
}

// 10 Gbps fibre, 5 ms each way: the round trip is 2 x (0.005 + 1500 / 1.25e9)
// = 0.0100024 s, the bandwidth-delay product 1.25e9 x 0.0100024 = 12503000 B.
TEST(LatencyCommand, ThroughputOfATenGigabitFibreInTextAndJson) {
  const std::vector<std::string> args = {"latency",  "--client",    "1500",     "--network", "fibre",
                                         "--server", "1500",        "--window", "4MiB",      "--loss",
                                         "0.1",      "--file-size", "1GB"};
  const TCliResult text = RunCli(args);
  ASSERT_EQ(text.ExitCode, 0) << text.Err;
  const std::string table = text.Out.substr(text.Out.find("Throughput\n"));
  EXPECT_EQ(table.substr(0, table.find("Window 64")),
            "Throughput\n"
            "Bottleneck\t10000 Mbps\n"
            "Bottleneck element\tFibre (10000 Mbps, 5 ms prop. delay)\n"
            "Round trip\t0.0100024 s\n"
            "Bandwidth-delay product\t12503000 B (11.92 MiB)\n");
  EXPECT_NE(table.find("Your window 4 MiB\t3354.64 Mbps\n"), std::string::npos) << table;

  std::vector<std::string> json = args;
  json.push_back("--json");
  const TCliResult r = RunCli(json);
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const nlohmann::json t = nlohmann::json::parse(r.Out)["throughput"];
  EXPECT_EQ(t["bottleneckMbps"], 10000.0);
  EXPECT_EQ(t["bottleneckElement"], 1);
  EXPECT_NEAR(t["bandwidthDelayProduct"].get<double>(), 12503000, 1);
  EXPECT_NEAR(t["windows"][5]["mbps"].get<double>(), 4194304 * 8 / 0.0100024 / 1e6, 1e-3);
  // Mathis: 1460 x 8 / 0.0100024 x sqrt(3/2) / sqrt(0.001) bits per second.
  EXPECT_NEAR(t["lossLimitedMbps"].get<double>(), 45.2256, 1e-3);
  EXPECT_NEAR(t["fileSeconds"].get<double>(), 8e9 / 45.2256e6, 1e-2);
  EXPECT_TRUE(t["windows"][0]["mbps"].is_number());
}

TEST(LatencyCommand, ThroughputSizesAreCheckedByName) {
  for (const auto& [option, value] : {std::pair{"--window", "lots"}, std::pair{"--loss", "101"},
                                      std::pair{"--mss", "0"}, std::pair{"--file-size", "-1MB"}}) {
    const TCliResult r =
        RunCli({"latency", "--client", "64", "--network", "t1", "--server", "1024", option, value});
    EXPECT_EQ(r.ExitCode, 2) << option;
    EXPECT_NE(r.Err.find(option), std::string::npos) << r.Err;
  }
}

struct TNetworkCase {
  const char* Text;
  TNetworkButtonKind Kind;
  const char* Name;
  double Bandwidth;
  int32_t Delay;
};

class LatencyNetworkText : public testing::TestWithParam<TNetworkCase> {};

TEST_P(LatencyNetworkText, KindBandwidthAndDelay) {
  const TNetworkElement n = ParseNetwork(GetParam().Text);
  EXPECT_EQ(n.FNetworkButtonKind, GetParam().Kind);
  EXPECT_EQ(n.NetworkName, GetParam().Name);
  EXPECT_EQ(n.FBandwidth, GetParam().Bandwidth);
  EXPECT_EQ(n.FPropDelay, GetParam().Delay);
}

// A length instead of a delay: 1000 km of fibre at c / 1.468 is 4.9 ms, a
// GEO hop of 35,786 km at c 119.4 ms, 300 km of copper at 0.66 c 1.5 ms.
TEST(LatencyNetworkLength, FillsTheDelayAtTheKindsMediumsSpeed) {
  const std::vector<std::pair<std::string, int32_t>> cases = {
      {"fibre:10000:1000km", 5}, {"satellite:50:35786km", 119}, {"t1::300km", 2}, {"ethernet::0km", 0}};
  for (const auto& [text, ms] : cases) EXPECT_EQ(ParseNetwork(text).FPropDelay, ms) << text;
  EXPECT_THROW(ParseNetwork("ethernet::1000km"), EUsageError);
  EXPECT_THROW(ParseNetwork("fibre::farkm"), EUsageError);
}

// A length gives the exact delay, not the whole milliseconds: 1000 km of
// fibre take 4.896721 ms, so 1500 bytes at 10 Gbps need 2 x 4.897921 ms for
// the round trip; 30 km of radio take 0.100069 ms, and 1500 bytes at 50 Mbps
// 240 us each way.
TEST(LatencyNetworkLength, TheRoundTripUsesTheExactDelayOfTheLength) {
  struct Case {
    const char* Network;
    const char* Hint;
    double PropagationMs;
    const char* RoundTrip;
  };
  const std::vector<Case> cases = {
      {"fibre:10000:1000km", "Fibre (10000 Mbps, 4.89672 ms prop. delay)", 4.896720917508872, "0.0097958"},
      {"lte:50:30km", "4G LTE (50 Mbps, 0.100069 ms prop. delay)", 0.10006922855944561, "0.0006801"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Network);
    const TCliResult r =
        RunCli({"latency", "--client", "1500", "--network", c.Network, "--server", "1500", "--json"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const nlohmann::json doc = nlohmann::json::parse(r.Out);
    EXPECT_EQ(doc["elements"][1]["hint"], c.Hint);
    EXPECT_NEAR(doc["elements"][1]["propagationDelay"].get<double>(), c.PropagationMs, 1e-9);
    EXPECT_EQ(doc["statistics"][2]["rows"][1][1], c.RoundTrip);
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, LatencyNetworkText,
                         testing::Values(TNetworkCase{"frame relay", nbFrameRelay, "Frame Relay", 1.544, 20},
                                         TNetworkCase{"Token-Ring:4", nbTokenRing, "Token Ring", 4, 0},
                                         TNetworkCase{"x25", nbX25, "X.25", 0.064, 10},
                                         TNetworkCase{"T3", nbTCarrier, "T3", 44.736, 5},
                                         TNetworkCase{"12", nbTCarrier, "T1", 1.544, 5},
                                         TNetworkCase{"nbISDN:0.128", nbISDN, "ISDN", 0.128, 0},
                                         TNetworkCase{"other", nbOther, "Other", 0, 10},
                                         TNetworkCase{"14", nbUnknownNetwork, "<Unknown Topology>", 0, 0},
                                         TNetworkCase{"satellite:1.024:300", nbSatellite, "Satellite", 1.024,
                                                      300},
                                         TNetworkCase{"ATM::2", nbATM, "ATM", 155.52, 2},
                                         TNetworkCase{"wifi6-80211ax", nbWiFi, "Wi-Fi 6 (802.11ax)", 1201, 2},
                                         TNetworkCase{"WiFi5:433.3", nbWiFi, "Wi-Fi 5 (802.11ac)", 433.3, 2},
                                         TNetworkCase{"XGS-PON", nbPON, "XGS-PON", 9953.28, 1},
                                         TNetworkCase{"26", nbLEOSatellite, "LEO Satellite", 100, 20}),
                         [](const auto& info) {
                           std::string name = info.param.Text;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace Parlamine
