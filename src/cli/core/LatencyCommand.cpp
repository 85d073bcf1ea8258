// SPDX-License-Identifier: MIT
#include "LatencyCommand.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "JsonNumbers.h"
#include "LatencyModel.h"
#include "LatencyStatisticsText.h"
#include "QuotedInput.h"

namespace Parlamine {

namespace {

constexpr std::array<const char*, NetworkButtonKindCount> KindNames = {
    "nb56Switched",   "nbATM",       "nbBISDN",          "nbDQDB",  "nbEthernet",   "nbFDDI",
    "nbFrameRelay",   "nbHIPPI",     "nbISDN",           "nbOther", "nbSatellite",  "nbSMDS",
    "nbTCarrier",     "nbTokenRing", "nbUnknownNetwork", "nbX25",   "nbDesktopCPU", "nbTowerCPU",
    "nbFastEthernet", "nbFibre",     "nbWiFi",           "nbLTE",   "nb5G",         "nbDOCSIS",
    "nbPON",          "nbVDSL2",     "nbLEOSatellite"};

constexpr int32_t MaxInt32 = std::numeric_limits<int32_t>::max();

// Lower case without blanks, dashes, dots, underscores and brackets: "Frame
// Relay", "frame-relay" and "FRAMERELAY" compare equal, and so do
// "Wi-Fi 6 (802.11ax)" and "wifi6-80211ax".
std::string Folded(std::string_view text) {
  std::string folded;
  for (char c : text) {
    if (c == ' ' || c == '-' || c == '.' || c == '_' || c == '(' || c == ')') continue;
    folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return folded;
}

std::vector<std::string> SplitColons(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(':', start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

struct TKindChoice {
  TNetworkButtonKind Kind;
  std::string Name;
  double Bandwidth;
};

// The first topology of a kind gives a kind picked by name or number its
// element name and bandwidth; kinds no topology selects keep their own name.
TKindChoice ChoiceForKind(TNetworkButtonKind kind) {
  for (const TTopology& topology : Topologies())
    if (topology.Kind == kind && topology.Name != " ")
      return {kind, std::string(topology.Name), topology.DefaultBandwidth.value_or(0)};
  if (kind == nbUnknownNetwork) return {kind, std::string(UnknownTopologyName), 0};
  return {kind, std::string(KindNames[kind]).substr(2), 0};
}

TKindChoice ParseKind(const std::string& text) {
  const std::string folded = Folded(text);
  if (!folded.empty() && folded.find_first_not_of("0123456789") == std::string::npos) {
    const int64_t number = ParseWholeNumber("--network", folded, 0, NetworkButtonKindCount - 1);
    if (IsStation(static_cast<TNetworkButtonKind>(number)))
      throw EUsageError("--network", QuotedInput(text) + " is a station, not a network kind");
    return ChoiceForKind(static_cast<TNetworkButtonKind>(number));
  }
  for (const TTopology& topology : Topologies()) {
    // "Wi-Fi 6 (802.11ax)" also answers to its short form "Wi-Fi 6".
    const std::string_view shortName = topology.Name.substr(0, topology.Name.find(" ("));
    if (topology.Name != " " && (Folded(topology.Name) == folded || Folded(shortName) == folded))
      return {topology.Kind, std::string(topology.Name), topology.DefaultBandwidth.value_or(0)};
  }
  for (int kind = 0; kind < NetworkButtonKindCount; ++kind) {
    if (IsStation(static_cast<TNetworkButtonKind>(kind))) continue;
    const std::string name = Folded(KindNames[static_cast<size_t>(kind)]);
    if (name == folded || name.substr(2) == folded)
      return ChoiceForKind(static_cast<TNetworkButtonKind>(kind));
  }
  throw EUsageError(
      "--network",
      QuotedInput(text) +
          " is not a network kind (a topology such as Ethernet, T1, \"Frame Relay\", \"100G Ethernet\", "
          "\"Wi-Fi 6 (802.11ax)\", or 0 to 15 and 18 to 26)");
}

// A decimal number of 0 or more; `what` says what it should have been.
double ParseNonNegative(const std::string& text, const std::string& what) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value) || value < 0)
    throw EUsageError("--network", what);
  return value;
}

double ParseBandwidth(const std::string& text) {
  return ParseNonNegative(
      text, "bandwidth " + QuotedInput(text) + " is not a number of Mbps (0 or more, e.g. 1.544)");
}

TJson DirectionsJson(const TLatencyResult& r, std::size_t i) {
  return {{"A", FloatAsShortestDouble(r.Elements[i].Delay[ldA])},
          {"B", FloatAsShortestDouble(r.Elements[i].Delay[ldB])},
          {"AB", FloatAsShortestDouble(r.Elements[i].Delay[ldAB])}};
}

const char* DirectionKey(TLatencyDirection d) { return d == ldA ? "A" : d == ldB ? "B" : "AB"; }

}  // namespace

TNetworkElement ParseStation(const std::string& argument, const std::string& text, TNetworkButtonKind kind,
                             const std::string& name) {
  const std::vector<std::string> parts = SplitColons(text);
  if (parts.size() > 2) throw EUsageError(argument, QuotedInput(text) + " is not SIZE[:PROC]");
  TNetworkElement station;
  station.FNetworkButtonKind = kind;
  station.NetworkName = name;
  station.FPacketSize = static_cast<int32_t>(ParseWholeNumber(argument, parts[0], 0, MaxInt32));
  station.FProcessTime =
      parts.size() > 1 ? static_cast<int32_t>(ParseWholeNumber(argument, parts[1], 0, MaxInt32)) : 0;
  return station;
}

TNetworkElement ParseNetwork(const std::string& text) {
  const std::vector<std::string> parts = SplitColons(text);
  if (parts.size() > 3) throw EUsageError("--network", QuotedInput(text) + " is not KIND[:MBPS[:DELAY]]");
  const TKindChoice choice = ParseKind(parts[0]);
  const TPropDelaySetup delay = PropDelaySetup(choice.Kind);
  TNetworkElement network;
  network.FNetworkButtonKind = choice.Kind;
  network.NetworkName = choice.Name;
  network.FBandwidth = parts.size() > 1 && !parts[1].empty() ? ParseBandwidth(parts[1]) : choice.Bandwidth;
  network.FPropDelay = delay.SetsValue ? delay.Value : 0;
  if (parts.size() > 2 && parts[2].size() > 2 && parts[2].ends_with("km")) {
    // A length instead of a delay: the delay at the kind's medium's speed.
    const std::string km = parts[2].substr(0, parts[2].size() - 2);
    network.FDistance =
        ParseNonNegative(km, "distance " + QuotedInput(parts[2]) + " is not a number of km (e.g. 1000km)");
    network.FMedium = DefaultMedium(choice.Kind);
    network.FPropDelay = PropDelayForDistance(network.FDistance, network.FMedium);
    if (!delay.Enabled && network.FPropDelay != 0)
      throw EUsageError("--network",
                        choice.Name + " has no propagation delay (the window's field is disabled for it)");
  } else if (parts.size() > 2) {
    const int32_t given = static_cast<int32_t>(ParseWholeNumber("--network", parts[2], 0, MaxInt32));
    if (!delay.Enabled && given != 0)
      throw EUsageError("--network",
                        choice.Name + " has no propagation delay (the window's field is disabled for it)");
    network.FPropDelay = given;
  }
  return network;
}

namespace {

double ParseSize(const std::string& argument, const std::string& text) {
  const std::optional<double> bytes = ParseByteSize(text);
  if (!bytes)
    throw EUsageError(argument, QuotedInput(text) + " is not a size (bytes, or e.g. 64KiB, 1.5MB, 2GiB)");
  return *bytes;
}

double ParseNumber(const std::string& argument, const std::string& text, double least, double most) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
  if (text.empty() || error != std::errc() || stop != end || !(value >= least && value <= most))
    throw EUsageError(argument, QuotedInput(text) + " is not a number from " + FormatGeneral(least, 15) +
                                    " to " + FormatGeneral(most, 15));
  return value;
}

bool WantsThroughput(const TLatencyOptions& o) { return o.Window || o.Loss || o.Mss || o.FileSize; }

TJson OptionalNumber(const std::optional<double>& value) { return value ? TJson(*value) : TJson(nullptr); }

TJson ThroughputJson(const TThroughput& t, const TThroughputInputs& inputs, const std::string& bottleneck) {
  TJson j;
  j["window"] = inputs.WindowBytes;
  j["lossPercent"] = inputs.LossPercent;
  j["mss"] = inputs.MssBytes;
  j["fileSize"] = inputs.FileBytes;
  j["bottleneckMbps"] = OptionalNumber(t.BottleneckMbps);
  j["bottleneckElement"] = t.BottleneckMbps ? TJson(t.BottleneckIndex) : TJson(nullptr);
  j["bottleneckHint"] = t.BottleneckMbps ? TJson(bottleneck) : TJson(nullptr);
  j["roundTrip"] = t.RoundTrip;
  j["bandwidthDelayProduct"] = OptionalNumber(t.BandwidthDelayBytes);
  j["windowToFill"] = OptionalNumber(t.BandwidthDelayBytes);
  TJson& windows = j["windows"] = TJson::array();
  for (const TWindowRate& w : t.Windows)
    windows.push_back({{"window", w.WindowBytes}, {"mbps", OptionalNumber(w.Mbps)}});
  j["lossLimitedMbps"] = OptionalNumber(t.LossLimitedMbps);
  j["achievableMbps"] = OptionalNumber(t.AchievableMbps);
  j["fileSeconds"] = OptionalNumber(t.FileSeconds);
  j["rows"] = ThroughputRows(t, bottleneck);
  return j;
}

}  // namespace

TThroughputInputs ThroughputInputs(const TLatencyOptions& o) {
  TThroughputInputs inputs;
  if (o.Window) inputs.WindowBytes = ParseSize("--window", *o.Window);
  if (o.Loss) inputs.LossPercent = ParseNumber("--loss", *o.Loss, 0, 100);
  if (o.Mss) inputs.MssBytes = ParseNumber("--mss", *o.Mss, 1, MaxInt32);
  if (o.FileSize) inputs.FileBytes = ParseSize("--file-size", *o.FileSize);
  return inputs;
}

std::vector<TNetworkElement> LatencyChain(const TLatencyOptions& o) {
  if (o.Networks.size() + 2 > static_cast<size_t>(MaxChainCount))
    throw EUsageError("--network",
                      "at most " + std::to_string(MaxChainCount - 2) + " networks fit the chain");
  std::vector<TNetworkElement> chain;
  chain.push_back(ParseStation("--client", o.Client, nbDesktopCPU, "Client"));
  for (const std::string& network : o.Networks) chain.push_back(ParseNetwork(network));
  chain.push_back(ParseStation("--server", o.Server, nbTowerCPU, "Server"));
  return chain;
}

int RunLatencyCommand(const TLatencyOptions& o, TCommandIO& io) {
  const std::vector<TNetworkElement> chain = LatencyChain(o);
  const TThroughputInputs inputs = ThroughputInputs(o);
  TLatencyResult result;
  try {
    result = ComputeLatency(chain);
  } catch (const EIntOverflow& error) {
    throw EUsageError("--client/--server",
                      std::string(error.what()) + ": request and reply together pass 2147483647 bytes");
  } catch (const std::runtime_error& error) {
    throw EUsageError("--network", std::string(error.what()) + ": a delay does not fit a 32-bit float");
  }
  std::vector<std::string> hints;
  for (const TNetworkElement& element : chain) hints.push_back(NetworkHint(element));

  const std::array<TLatencyDirection, LatencyDirectionCount> directions = {ldA, ldB, ldAB};
  if (o.Json) {
    TJson doc;
    TJson& elements = doc["elements"] = TJson::array();
    for (std::size_t i = 0; i < chain.size(); ++i) {
      const TNetworkElement& e = chain[i];
      TJson j;
      j["hint"] = hints[i];
      j["name"] = e.NetworkName;
      j["kind"] = KindNames[e.FNetworkButtonKind];
      j["kindNumber"] = static_cast<int>(e.FNetworkButtonKind);
      if (IsStation(e.FNetworkButtonKind)) {
        j["packetSize"] = e.FPacketSize;
        j["processTime"] = e.FProcessTime;
      } else {
        j["bandwidth"] = e.FBandwidth;
        // Milliseconds: whole as typed, or exact when a distance gives them.
        if (PropDelayFromDistance(e))
          j["propagationDelay"] = static_cast<double>(PropagationSeconds(e) * 1000);
        else
          j["propagationDelay"] = e.FPropDelay;
      }
      j["delay"] = DirectionsJson(result, i);
      j["share"] = {{"A", FloatAsShortestDouble(result.Elements[i].Share[ldA])},
                    {"B", FloatAsShortestDouble(result.Elements[i].Share[ldB])},
                    {"AB", FloatAsShortestDouble(result.Elements[i].Share[ldAB])}};
      elements.push_back(std::move(j));
    }
    doc["totals"] = {{"A", FloatAsShortestDouble(result.TotalDelay[ldA])},
                     {"B", FloatAsShortestDouble(result.TotalDelay[ldB])},
                     {"AB", FloatAsShortestDouble(result.TotalDelay[ldAB])}};
    TJson& tables = doc["statistics"] = TJson::array();
    for (TLatencyDirection d : directions) {
      TJson table;
      table["direction"] = DirectionKey(d);
      table["caption"] = DirectionCaption(d);
      table["header"] = StatisticsHeaderTexts();
      table["rows"] = StatisticsRows(hints, result, d);
      tables.push_back(std::move(table));
    }
    if (WantsThroughput(o)) {
      const TThroughput t = ComputeThroughput(chain, result, inputs);
      doc["throughput"] =
          ThroughputJson(t, inputs, t.BottleneckMbps ? hints[static_cast<size_t>(t.BottleneckIndex)] : "");
    }
    WriteJsonDocument(io.Out, doc);
    return ExitAnswered;
  }
  for (TLatencyDirection d : directions) {
    if (d != ldA) io.Out.Write('\n');
    io.Out.Write(DirectionCaption(d));
    io.Out.Write('\n');
    const auto& header = StatisticsHeaderTexts();
    io.Out.Write(std::string(header[0]) + "\t" + std::string(header[1]) + "\t" + std::string(header[2]) +
                 "\n");
    for (const TStatisticsRow& row : StatisticsRows(hints, result, d))
      io.Out.Write(row[0] + "\t" + row[1] + "\t" + row[2] + "\n");
  }
  if (WantsThroughput(o)) {
    const TThroughput t = ComputeThroughput(chain, result, inputs);
    io.Out.Write("\nThroughput\n");
    const std::string bottleneck = t.BottleneckMbps ? hints[static_cast<size_t>(t.BottleneckIndex)] : "";
    for (const TThroughputRow& row : ThroughputRows(t, bottleneck))
      io.Out.Write(row[0] + "\t" + row[1] + "\n");
  }
  return ExitAnswered;
}

}  // namespace Parlamine
