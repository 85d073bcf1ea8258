// SPDX-License-Identifier: MIT
#include "LatencySettings.h"

#include <charconv>
#include <cmath>

namespace Parlamine {

std::string LatencyKeyPath() { return std::string(SettingsRoot) + "\\Latency Calculator"; }

std::vector<uint8_t> PackStationRecord(const TStationRecord& record) {
  TRecordWriter writer;
  writer.Int32(record.FPacketSize);
  writer.Int32(record.FProcessTime);
  return writer.Bytes();
}

std::vector<uint8_t> PackNetworkRecord(const TNetworkRecord& record) {
  TRecordWriter writer;
  writer.Float64(record.FBandwidth);
  writer.Int32(record.Left);
  writer.UInt8(record.NetworkButtonKind);
  writer.Padding(3);
  writer.Int32(record.FPropDelay);
  writer.Int32(record.Top);
  if (record.FDistance != 0 || record.Medium != mdNone) {
    writer.Float64(record.FDistance);
    writer.UInt8(record.Medium);
    writer.Padding(3);
  }
  return writer.Bytes();
}

static void RequireSize(const std::vector<uint8_t>& bytes, size_t size, const std::string& valueName) {
  if (bytes.size() != size) throw ERegistryException("Invalid data type for '" + valueName + "'");
}

TStationRecord UnpackStationRecord(const std::vector<uint8_t>& bytes, const std::string& valueName) {
  RequireSize(bytes, StationRecordSize, valueName);
  const TRecordReader reader(bytes);
  return {reader.Int32(0), reader.Int32(4)};
}

TNetworkRecord UnpackNetworkRecord(const std::vector<uint8_t>& bytes, const std::string& valueName) {
  if (bytes.size() != NetworkRecordWithDistanceSize) RequireSize(bytes, NetworkRecordSize, valueName);
  const TRecordReader reader(bytes);
  TNetworkRecord record;
  record.FBandwidth = reader.Float64(0);
  record.Left = reader.Int32(8);
  record.NetworkButtonKind = reader.UInt8(12);
  record.FPropDelay = reader.Int32(16);
  record.Top = reader.Int32(20);
  if (bytes.size() == NetworkRecordWithDistanceSize) {
    // A damaged distance or medium only loses the distance; the delay stays.
    const double distance = reader.Float64(24);
    const uint8_t medium = reader.UInt8(32);
    if (std::isfinite(distance) && distance > 0 && IsValidMedium(medium)) {
      record.FDistance = distance;
      record.Medium = medium;
    }
  }
  return record;
}

std::string NetworkValueName(int i) { return "Network" + std::to_string(i); }
std::string NetworkNameValueName(int i) { return NetworkValueName(i) + "Name"; }

int32_t ReadActivePageIndex(const TDirectStore& store) { return store.ReadInteger("ActivePageIndex"); }

std::optional<TStationRecord> ReadStationRecord(const TDirectStore& store, const std::string& valueName) {
  if (!store.ValueExists(valueName)) return std::nullopt;
  return UnpackStationRecord(store.ReadBinaryData(valueName), valueName);
}

int ReadNetworkCount(const TDirectStore& store) {
  const int32_t count = store.ReadInteger("NumNetworks");
  if (count < 0) return 0;
  return count > MaxStoredNetworks ? MaxStoredNetworks : count;
}

TStoredNetwork ReadStoredNetwork(const TDirectStore& store, int i) {
  const std::string valueName = NetworkValueName(i);
  TStoredNetwork network;
  network.Record = UnpackNetworkRecord(store.ReadBinaryData(valueName), valueName);
  // Only network kinds belong between the stations; a damaged byte must not
  // turn a network into a third station or index past the kinds table.
  const uint8_t kind = network.Record.NetworkButtonKind;
  if (!IsValidNetworkButtonKind(kind) || IsStation(static_cast<TNetworkButtonKind>(kind)))
    network.Record.NetworkButtonKind = nbUnknownNetwork;
  const std::string nameValue = NetworkNameValueName(i);
  network.NetworkName =
      store.ValueExists(nameValue) ? store.ReadString(nameValue) : std::string(UnknownTopologyName);
  return network;
}

namespace {

// The value `name` as `read` reads it, or nothing when it cannot be read;
// the store notes why.
template <typename TRead>
auto ReadOrNothing(const TDirectStore& store, const std::string& name, TRead read)
    -> std::optional<decltype(read())> {
  try {
    return read();
  } catch (const ERegistryException& error) {
    store.NoteUnreadValue(name, error.what());
    return std::nullopt;
  }
}

int CountStoredNetworkRecords(const TDirectStore& store) {
  int count = 0;
  while (count < MaxStoredNetworks && store.ValueExists(NetworkValueName(count + 1))) ++count;
  return count;
}

TReadNetwork ReadNetwork(const TDirectStore& store, int i) {
  const std::string valueName = NetworkValueName(i);
  TReadNetwork network;
  network.Record = ReadOrNothing(
      store, valueName, [&] { return UnpackNetworkRecord(store.ReadBinaryData(valueName), valueName); });
  // Only network kinds belong between the stations.
  if (network.Record && (!IsValidNetworkButtonKind(network.Record->NetworkButtonKind) ||
                         IsStation(static_cast<TNetworkButtonKind>(network.Record->NetworkButtonKind))))
    network.Record->NetworkButtonKind = nbUnknownNetwork;
  const std::string nameValue = NetworkNameValueName(i);
  network.NetworkName = store.ValueExists(nameValue)
                            ? ReadOrNothing(store, nameValue, [&] { return store.ReadString(nameValue); })
                                  .value_or(std::string(UnknownTopologyName))
                            : std::string(UnknownTopologyName);
  return network;
}

struct TThroughputValue {
  const char* Name;
  double TThroughputInputs::*Field;
  double Least;
  double Most;
};
constexpr TThroughputValue ThroughputValues[] = {
    {"ThroughputWindow", &TThroughputInputs::WindowBytes, 0, 1e18},
    {"ThroughputLoss", &TThroughputInputs::LossPercent, 0, 100},
    {"ThroughputMSS", &TThroughputInputs::MssBytes, 1, 2147483647},
    {"ThroughputFileSize", &TThroughputInputs::FileBytes, 0, 1e21},
};

// A stored input that is absent keeps its default silently; one that is no
// number in range keeps it too, and the store notes why.
void ReadThroughputInputs(const TDirectStore& store, TThroughputInputs& inputs) {
  for (const TThroughputValue& v : ThroughputValues) {
    if (!store.ValueExists(v.Name)) continue;
    const std::optional<std::string> text =
        ReadOrNothing(store, v.Name, [&] { return store.ReadString(v.Name); });
    if (!text) continue;
    double value = 0;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, value);
    if (error != std::errc() || stop != end || !(value >= v.Least && value <= v.Most)) {
      store.NoteUnreadValue(v.Name, "Invalid data type for '" + std::string(v.Name) + "'");
      continue;
    }
    inputs.*v.Field = value;
  }
}

}  // namespace

TReadLatencySettings ReadLatencySettings(const TDirectStore& store) {
  TReadLatencySettings settings;
  settings.ActivePageIndex =
      ReadOrNothing(store, "ActivePageIndex", [&] { return ReadActivePageIndex(store); });
  const auto readStation = [&store](const std::string& name) {
    return ReadOrNothing(store, name, [&] { return ReadStationRecord(store, name); }).value_or(std::nullopt);
  };
  settings.Client = readStation("Client");
  settings.Server = readStation("Server");
  const std::optional<int> stored =
      ReadOrNothing(store, "NumNetworks", [&] { return ReadNetworkCount(store); });
  settings.StoredNetworkCount = stored;
  const int count = stored.value_or(CountStoredNetworkRecords(store));
  for (int i = 1; i <= count; ++i) {
    // A claimed record that is not there holds nothing to keep a place for.
    if (!store.ValueExists(NetworkValueName(i))) {
      ReadOrNothing(store, NetworkValueName(i), [&] { return store.ReadBinaryData(NetworkValueName(i)); });
      continue;
    }
    settings.Networks.push_back(ReadNetwork(store, i));
  }
  ReadThroughputInputs(store, settings.Throughput);
  return settings;
}

void WriteLatencySettings(TDirectStore& store, const TLatencySettings& settings) {
  store.WriteInteger("ActivePageIndex", settings.ActivePageIndex);
  store.WriteBinaryData("Client", PackStationRecord(settings.Client));
  store.WriteBinaryData("Server", PackStationRecord(settings.Server));
  store.WriteInteger("NumNetworks", static_cast<int32_t>(settings.Networks.size()));
  for (size_t i = 0; i < settings.Networks.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    store.WriteBinaryData(NetworkValueName(number), PackNetworkRecord(settings.Networks[i].Record));
    store.WriteString(NetworkNameValueName(number), settings.Networks[i].NetworkName);
  }
  for (const TThroughputValue& v : ThroughputValues)
    store.WriteString(v.Name, FormatGeneral(settings.Throughput.*v.Field, 17));
}

}  // namespace Parlamine
