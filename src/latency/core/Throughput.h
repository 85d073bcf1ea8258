// SPDX-License-Identifier: MIT
// How fast TCP can go on the latency chain: the bottleneck bandwidth, the
// round trip, the bandwidth-delay product, the rate a TCP window allows, the
// rate a loss rate allows (Mathis et al.), and the time a file takes.
//
// Rates are in megabits per second like the chain's bandwidths (1 Mbps =
// 125000 bytes per second), sizes in bytes, times in seconds.
//
// Usage: after ComputeLatency, call ComputeThroughput(chain, result, inputs);
// ThroughputRows gives the texts the page and the command line show.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "LatencyModel.h"

namespace Parlamine {

// The windows every table shows: 64 KiB (the largest without window
// scaling), 256 KiB, 1 MiB, 4 MiB and 16 MiB; the user's own comes last.
inline constexpr std::array<double, 5> StandardWindows = {65535, 262144, 1048576, 4194304, 16777216};

// What the user gives; the defaults are those of a first run.
struct TThroughputInputs {
  double WindowBytes = 131072;    // the user's own TCP window
  double LossPercent = 0.01;      // packet loss, percent (0.01 = 1 in 10000)
  double MssBytes = 1460;         // maximum segment size
  double FileBytes = 1000000000;  // the file to move (1 GB)
  bool operator==(const TThroughputInputs&) const = default;
};

// One window of the table and the rate it allows.
struct TWindowRate {
  double WindowBytes;
  // W / RTT, no more than the bottleneck; empty when neither limits it.
  std::optional<double> Mbps;
};

struct TThroughput {
  // The slowest network with a bandwidth (0 Mbps means not given); its
  // chain index. Empty when no network gives a bandwidth.
  std::optional<double> BottleneckMbps;
  int BottleneckIndex = -1;
  double RoundTrip = 0;  // seconds, the chain's "Clt <-> Svr" total
  // Bottleneck x round trip in bytes: also the window that fills the path.
  std::optional<double> BandwidthDelayBytes;
  std::vector<TWindowRate> Windows;  // the standard ones, then the user's
  // MSS / RTT x sqrt(3/2) / sqrt(p); empty without loss or round trip.
  std::optional<double> LossLimitedMbps;
  // The least of bottleneck, the user's window and the loss limit.
  std::optional<double> AchievableMbps;
  // File size / achievable rate; empty when nothing limits the rate.
  std::optional<double> FileSeconds;
};

// The Mathis constant C = sqrt(3/2) for periodic loss with delayed ACKs off.
double MathisConstant();

// The chain is client, networks, server; the result the one ComputeLatency
// gave for it.
TThroughput ComputeThroughput(const std::vector<TNetworkElement>& chain, const TLatencyResult& result,
                              const TThroughputInputs& inputs);

// A byte size as typed: a number with an optional unit, B, kB, MB, GB
// (powers of 1000) or KiB, MiB, GiB (powers of 1024), without regard to case
// or a blank before the unit. Empty for anything else or a negative size.
std::optional<double> ParseByteSize(const std::string& text);

// The page's and the command line's table: label, value. Sizes with their
// unit, rates in Mbps with up to 6 significant digits, times in seconds
// with 7 decimals like the statistics.
using TThroughputRow = std::array<std::string, 2>;
std::vector<TThroughputRow> ThroughputRows(const TThroughput& throughput, const std::string& bottleneckName,
                                           char decimalSeparator = '.');

// A size in bytes as the table shows it: "65535 B (64 KiB)".
std::string FormatByteSize(double bytes, char decimalSeparator = '.');

}  // namespace Parlamine
