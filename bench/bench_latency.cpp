// SPDX-License-Identifier: MIT
// The latency results of the longest chain (client, 14 networks, server) and
// the texts of the statistics table.
#include <benchmark/benchmark.h>

#include <vector>

#include "LatencyModel.h"

namespace {

using namespace Parlamine;

std::vector<TNetworkElement> LongestChain() {
  std::vector<TNetworkElement> chain(MaxChainCount);
  chain.front().FNetworkButtonKind = nbDesktopCPU;
  chain.front().FPacketSize = 64;
  chain.front().FProcessTime = 10;
  chain.back().FNetworkButtonKind = nbTowerCPU;
  chain.back().FPacketSize = 1024;
  chain.back().FProcessTime = 5;
  const TNetworkButtonKind kinds[] = {nbEthernet, nbSatellite, nbTCarrier, nbATM};
  for (int i = 1; i + 1 < MaxChainCount; ++i) {
    chain[static_cast<std::size_t>(i)].FNetworkButtonKind = kinds[i % 4];
    chain[static_cast<std::size_t>(i)].FBandwidth = 1.544 * i;
    chain[static_cast<std::size_t>(i)].FPropDelay = i;
  }
  return chain;
}

void BM_ComputeLatencyLongestChain(benchmark::State& state) {
  const std::vector<TNetworkElement> chain = LongestChain();
  for (auto _ : state) benchmark::DoNotOptimize(ComputeLatency(chain));
}
BENCHMARK(BM_ComputeLatencyLongestChain);

void BM_StatisticsTableTexts(benchmark::State& state) {
  const TLatencyResult result = ComputeLatency(LongestChain());
  for (auto _ : state) {
    for (const TElementLatency& row : result.Elements)
      for (int d = 0; d < LatencyDirectionCount; ++d) {
        benchmark::DoNotOptimize(FormatDelay(row.Delay[d]));
        benchmark::DoNotOptimize(FormatPercent(row.Share[d]));
      }
  }
}
BENCHMARK(BM_StatisticsTableTexts);

void BM_NetworkHint(benchmark::State& state) {
  TNetworkElement satellite;
  satellite.FNetworkButtonKind = nbSatellite;
  satellite.NetworkName = "Satellite";
  satellite.FBandwidth = 0.512;
  satellite.FPropDelay = 270;
  for (auto _ : state) benchmark::DoNotOptimize(NetworkHint(satellite));
}
BENCHMARK(BM_NetworkHint);

}  // namespace

BENCHMARK_MAIN();
