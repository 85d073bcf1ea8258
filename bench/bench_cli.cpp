// SPDX-License-Identifier: MIT
// parlamine-cli's hot paths: loading the four IEEE listings of ieee-data
// (start-up of `oui`), one longest-prefix lookup, the parse of one written
// address, and the rows of the largest subnets/hosts table into the output
// buffer (`ip --table`, text and JSON lines).
#include <benchmark/benchmark.h>

#include <random>

#include "BufferedWriter.h"
#include "IEEERegistry.h"
#include "IPSubnetModel.h"
#include "MacAddressText.h"
#include "SubnetTableText.h"

namespace Parlamine {
namespace {

const char* const Listings = "/usr/share/ieee-data";

void BM_LoadIEEEListings(benchmark::State& state) {
  for (auto _ : state) {
    TIEEERegistry registry;
    benchmark::DoNotOptimize(registry.LoadFolder(Listings));
  }
}
BENCHMARK(BM_LoadIEEEListings)->Unit(benchmark::kMillisecond);

// Addresses spread over the whole space, so most lookups run all three
// prefix lengths before they find (or miss) an owner.
std::vector<uint64_t> RandomAddresses(size_t count) {
  std::mt19937_64 random(42);
  std::vector<uint64_t> addresses(count);
  for (uint64_t& a : addresses) a = random() & 0xFFFFFFFFFFFFull;
  return addresses;
}

void BM_LookupOwner(benchmark::State& state) {
  TIEEERegistry registry;
  registry.LoadFolder(Listings);
  const std::vector<uint64_t> addresses = RandomAddresses(1 << 16);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(registry.Find(addresses[i++ & 0xFFFF]));
  }
}
BENCHMARK(BM_LookupOwner);

void BM_ParseHardwareAddress(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ParseHardwareAddress("70:b3:d5:f2:f0:01"));
}
BENCHMARK(BM_ParseHardwareAddress);

constexpr int64_t LargestRowCount = 4194304;

void BM_SubnetTableTextIntoTheWriter(benchmark::State& state) {
  const TSubnetTable table(0x0A010203u, 0, 30, true, LargestRowCount);
  size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    TBufferedWriter out(
        [&bytes](const char*, size_t size) {
          bytes += size;
          return true;
        },
        1 << 17);
    for (int64_t row = 0; row < LargestRowCount;) {
      char* place = out.Reserve(TSubnetTable::MaxRowTextSize + 2);
      size_t used = 0;
      row += FormatSubnetRows(table, row, LargestRowCount - row, TLineEnd::leCRLF, place, out.Room(), used);
      out.Commit(used);
    }
    out.Flush();
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_SubnetTableTextIntoTheWriter)->Unit(benchmark::kMillisecond);

void BM_SubnetTableJsonLines(benchmark::State& state) {
  const TSubnetTable table(0x0A010203u, 0, 30, true, LargestRowCount);
  char line[MaxJsonRowSize];
  size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (int64_t row = 0; row < LargestRowCount; ++row) bytes += FormatSubnetRowJson(table, row, line) + 1;
    benchmark::DoNotOptimize(line);
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_SubnetTableJsonLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace Parlamine

BENCHMARK_MAIN();
