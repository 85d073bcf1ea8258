// SPDX-License-Identifier: MIT
#include "Throughput.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace Parlamine {

namespace {

constexpr double BitsPerMbps = 1000000;
constexpr double BytesPerMbps = 125000;

// The least of two limits, either of which may be absent.
std::optional<double> Least(std::optional<double> a, std::optional<double> b) {
  if (!a) return b;
  if (!b) return a;
  return std::min(*a, *b);
}

// W / RTT in Mbps; no limit at all without a round trip.
std::optional<double> WindowLimit(double windowBytes, double roundTrip) {
  if (!(roundTrip > 0)) return std::nullopt;
  return windowBytes * 8 / roundTrip / BitsPerMbps;
}

std::optional<double> LossLimit(const TThroughputInputs& inputs, double roundTrip) {
  const double p = inputs.LossPercent / 100;
  if (!(p > 0) || !(roundTrip > 0)) return std::nullopt;
  return inputs.MssBytes * 8 / roundTrip * MathisConstant() / std::sqrt(p) / BitsPerMbps;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Rate(const std::optional<double>& mbps, char decimalSeparator) {
  return mbps ? FormatGeneral(*mbps, 6, decimalSeparator) + " Mbps" : "no limit";
}

// "64 KiB (no scaling)", "256 KiB", "1 MiB", or the bytes of an odd window.
std::string WindowLabel(double bytes, char decimalSeparator) {
  if (bytes == StandardWindows.front()) return "64 KiB (no scaling)";
  for (const auto& [unit, size] : {std::pair{" MiB", 1048576.0}, std::pair{" KiB", 1024.0}})
    if (bytes >= size && std::fmod(bytes, size) == 0) return FormatGeneral(bytes / size, 15) + unit;
  return FormatGeneral(bytes, 15, decimalSeparator) + " B";
}

}  // namespace

double MathisConstant() { return std::sqrt(1.5); }

TThroughput ComputeThroughput(const std::vector<TNetworkElement>& chain, const TLatencyResult& result,
                              const TThroughputInputs& inputs) {
  TThroughput t;
  for (std::size_t i = 1; i + 1 < chain.size(); ++i) {
    const double mbps = chain[i].FBandwidth;
    if (mbps > 0 && (!t.BottleneckMbps || mbps < *t.BottleneckMbps)) {
      t.BottleneckMbps = mbps;
      t.BottleneckIndex = static_cast<int>(i);
    }
  }
  t.RoundTrip = result.TotalDelay[ldAB];
  if (t.BottleneckMbps) t.BandwidthDelayBytes = *t.BottleneckMbps * BytesPerMbps * t.RoundTrip;
  for (double window : StandardWindows)
    t.Windows.push_back({window, Least(WindowLimit(window, t.RoundTrip), t.BottleneckMbps)});
  const std::optional<double> ownWindow =
      Least(WindowLimit(inputs.WindowBytes, t.RoundTrip), t.BottleneckMbps);
  t.Windows.push_back({inputs.WindowBytes, ownWindow});
  t.LossLimitedMbps = LossLimit(inputs, t.RoundTrip);
  t.AchievableMbps = Least(ownWindow, t.LossLimitedMbps);
  if (t.AchievableMbps && *t.AchievableMbps > 0)
    t.FileSeconds = inputs.FileBytes * 8 / (*t.AchievableMbps * BitsPerMbps);
  return t;
}

std::optional<double> ParseByteSize(const std::string& text) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  while (begin < end && *begin == ' ') ++begin;
  double value = 0;
  const auto [stop, error] = std::from_chars(begin, end, value, std::chars_format::fixed);
  if (error != std::errc() || !std::isfinite(value) || value < 0) return std::nullopt;
  std::string unit = Lower(std::string(stop, end));
  unit.erase(std::remove(unit.begin(), unit.end(), ' '), unit.end());
  static const std::pair<const char*, double> units[] = {
      {"", 1},     {"b", 1},        {"kb", 1e3},        {"mb", 1e6},
      {"gb", 1e9}, {"kib", 1024.0}, {"mib", 1048576.0}, {"gib", 1073741824.0}};
  for (const auto& [name, factor] : units)
    if (unit == name) return value * factor;
  return std::nullopt;
}

std::string FormatByteSize(double bytes, char decimalSeparator) {
  std::string text = FormatGeneral(std::round(bytes), 15, decimalSeparator) + " B";
  if (bytes >= 1048576)
    text += " (" + FormatGeneral(bytes / 1048576, 4, decimalSeparator) + " MiB)";
  else if (bytes >= 1024)
    text += " (" + FormatGeneral(bytes / 1024, 4, decimalSeparator) + " KiB)";
  return text;
}

std::vector<TThroughputRow> ThroughputRows(const TThroughput& t, const std::string& bottleneckName,
                                           char decimalSeparator) {
  std::vector<TThroughputRow> rows;
  rows.push_back({"Bottleneck", Rate(t.BottleneckMbps, decimalSeparator)});
  rows.push_back({"Bottleneck element", t.BottleneckMbps ? bottleneckName : "none"});
  rows.push_back({"Round trip", FormatDelay(t.RoundTrip, decimalSeparator) + " s"});
  const std::string bdp =
      t.BandwidthDelayBytes ? FormatByteSize(*t.BandwidthDelayBytes, decimalSeparator) : "no limit";
  rows.push_back({"Bandwidth-delay product", bdp});
  for (std::size_t i = 0; i < t.Windows.size(); ++i) {
    const std::string own = i + 1 == t.Windows.size() ? "Your window " : "Window ";
    rows.push_back({own + WindowLabel(t.Windows[i].WindowBytes, decimalSeparator),
                    Rate(t.Windows[i].Mbps, decimalSeparator)});
  }
  rows.push_back({"Window to fill the bottleneck", bdp});
  rows.push_back({"Loss-limited (Mathis)", Rate(t.LossLimitedMbps, decimalSeparator)});
  rows.push_back({"Achievable", Rate(t.AchievableMbps, decimalSeparator)});
  rows.push_back({"File transfer time", t.FileSeconds ? FormatDelay(*t.FileSeconds, decimalSeparator) + " s"
                                                      : (t.AchievableMbps ? "never" : "no limit")});
  return rows;
}

}  // namespace Parlamine
