// SPDX-License-Identifier: MIT
// parlamine-cli's hot paths: loading the four IEEE listings of ieee-data
// (start-up of `oui`), one longest-prefix lookup, the parse of one written
// address, the rows of the largest subnets/hosts table into the output
// buffer (`ip --table`, text and JSON lines), and `summarize` over lists of a
// million and ten million random prefixes of both families.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "BufferedWriter.h"
#include "CliRun.h"
#include "IEEERegistry.h"
#include "IPSubnetModel.h"
#include "MacAddressText.h"
#include "PeakMemory.h"
#include "PrefixAddress.h"
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

// A list of random prefixes of mixed lengths, one a line: IPv4 lengths /16
// to /32 over the whole space; IPv6 /32 to /128 under 2000::/4 (the
// global unicast space). Written once to the temporary folder and kept, so
// the whole program can be timed on the same file
// (`parlamine-cli summarize FILE`, `iprange --optimize FILE`).
std::string SummaryListFile(int64_t lines, TAddressFamily family) {
  const std::string name = (std::filesystem::temp_directory_path() /
                            ("parlamine-summarize-" + std::to_string(lines) +
                             (family == TAddressFamily::afIPv4 ? "-ipv4.txt" : "-ipv6.txt")))
                               .string();
  if (std::filesystem::exists(name)) return name;
  std::mt19937_64 random(2026);
  std::ofstream file(name, std::ios::binary);
  std::vector<char> block;
  for (int64_t i = 0; i < lines; ++i) {
    TAddress address{family, 0};
    int length = 0;
    if (family == TAddressFamily::afIPv4) {
      address.Value = random() & 0xFFFFFFFFu;
      length = 16 + static_cast<int>(random() % 17);
    } else {
      address.Value = (TUInt128{random()} << 64 | random()) >> 3 | TUInt128{1} << 125;
      length = 32 + static_cast<int>(random() % 97);
    }
    char text[MaxPrefixTextSize + 1];
    char* end = WritePrefix(MakePrefix(address, length), text);
    *end++ = '\n';
    block.insert(block.end(), text, end);
    if (block.size() > (1 << 20)) {
      file.write(block.data(), static_cast<std::streamsize>(block.size()));
      block.clear();
    }
  }
  file.write(block.data(), static_cast<std::streamsize>(block.size()));
  return name;
}

// The whole command in-process, output counted and dropped.
void SummarizeFile(benchmark::State& state, TAddressFamily family) {
  const std::string file = SummaryListFile(state.range(0), family);
  size_t written = 0;
  for (auto _ : state) {
    ResetPeakMemory();
    const long base = StatusKilobytes("VmRSS");
    written = 0;
    TBufferedWriter out(
        [&written](const char*, size_t size) {
          written += size;
          return true;
        },
        1 << 17);
    std::string errors;
    TBufferedWriter err(StringSink(errors), 1 << 12);
    TCommandIO io{out, err, nullptr};
    if (RunCommandLine({"summarize", file}, io, TRunEnvironment{}) != 0) state.SkipWithError("bad lines");
    state.counters["peak_growth_MB"] = static_cast<double>(StatusKilobytes("VmHWM") - base) / 1024.0;
  }
  state.counters["output_MB"] = static_cast<double>(written) / 1e6;
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
void BM_SummarizeIPv4(benchmark::State& state) { SummarizeFile(state, TAddressFamily::afIPv4); }
void BM_SummarizeIPv6(benchmark::State& state) { SummarizeFile(state, TAddressFamily::afIPv6); }
BENCHMARK(BM_SummarizeIPv4)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SummarizeIPv6)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace Parlamine

BENCHMARK_MAIN();
