// SPDX-License-Identifier: MIT
// The stored form of the latency chain: the "Latency Calculator" key with the
// page index, the two station records, the network count and one record and
// one name per network. Plain C++ over the direct settings store.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "NetworkElement.h"
#include "SettingsStore.h"
#include "Throughput.h"

namespace Parlamine {

// Path of the key below HKEY_CURRENT_USER.
std::string LatencyKeyPath();

// The chain holds 16 elements at most, so no more than 14 networks are read
// back, whatever count a damaged file claims.
inline constexpr int MaxStoredNetworks = 14;

// 8 bytes, little-endian: packet size (bytes), process time (ms).
struct TStationRecord {
  int32_t FPacketSize = 0;
  int32_t FProcessTime = 0;
  bool operator==(const TStationRecord&) const = default;
};
inline constexpr size_t StationRecordSize = 8;

// 24 bytes, little-endian: bandwidth (double, Mbps) at 0, Left at 8, the kind
// byte at 12, three padding bytes, propagation delay (ms) at 16, Top at 20.
// A network with a distance appends 12 bytes: the distance (double, km) at 24,
// the medium byte at 32, three padding bytes. Every other network keeps the
// 24-byte record of the first releases, byte for byte.
struct TNetworkRecord {
  double FBandwidth = 0;
  int32_t Left = 0;
  uint8_t NetworkButtonKind = nbUnknownNetwork;
  int32_t FPropDelay = 0;
  int32_t Top = 0;
  double FDistance = 0;
  uint8_t Medium = mdNone;
  bool operator==(const TNetworkRecord&) const = default;
};
inline constexpr size_t NetworkRecordSize = 24;
inline constexpr size_t NetworkRecordWithDistanceSize = 36;

std::vector<uint8_t> PackStationRecord(const TStationRecord& record);
std::vector<uint8_t> PackNetworkRecord(const TNetworkRecord& record);
// A record whose size is not exactly one of its layouts' is refused with
// "Invalid data type for '<valueName>'", so nothing is read past its data.
TStationRecord UnpackStationRecord(const std::vector<uint8_t>& bytes, const std::string& valueName);
TNetworkRecord UnpackNetworkRecord(const std::vector<uint8_t>& bytes, const std::string& valueName);

// "Network" + i and "Network" + i + "Name", i from 1, no leading zeros.
std::string NetworkValueName(int i);
std::string NetworkNameValueName(int i);

// One stored network as the editor re-creates it.
struct TStoredNetwork {
  TNetworkRecord Record;
  std::string NetworkName;
};

// Readers over an open latency key. They throw ERegistryException with the
// store's messages for missing or mistyped values.
int32_t ReadActivePageIndex(const TDirectStore& store);
// Empty when the record is absent (the station keeps its values).
std::optional<TStationRecord> ReadStationRecord(const TDirectStore& store, const std::string& valueName);
// The stored count, limited to 0 .. MaxStoredNetworks.
int ReadNetworkCount(const TDirectStore& store);
// A network whose name value is absent gets the unknown-topology name; a kind
// byte that is no network kind reads as nbUnknownNetwork.
TStoredNetwork ReadStoredNetwork(const TDirectStore& store, int i);

// The stored chain as the calculator applies it, read value by value: a
// value that cannot be read is left out (the store notes it in the tree) and
// its setting keeps its default; every other value is used as stored.
struct TReadNetwork {
  std::optional<TNetworkRecord> Record;  // empty when damaged: a new network holds its place
  std::string NetworkName;               // the unknown-topology name when absent or damaged
};
struct TReadLatencySettings {
  std::optional<int32_t> ActivePageIndex;
  std::optional<TStationRecord> Client;  // empty when absent or damaged: the station keeps its values
  std::optional<TStationRecord> Server;
  // "NumNetworks" as stored (limited to 0 .. MaxStoredNetworks); empty when
  // it cannot be read, and the networks are then counted by their records
  // Network1, Network2, ... as far as they go, so that none is lost.
  std::optional<int> StoredNetworkCount;
  // In chain order; a claimed network whose record is missing is left out.
  std::vector<TReadNetwork> Networks;
  // The throughput page's inputs; each absent or damaged one keeps its default.
  TThroughputInputs Throughput;
};
TReadLatencySettings ReadLatencySettings(const TDirectStore& store);

// Writes the whole chain; values of networks beyond the new count are left as
// they are (they are never read back).
struct TLatencySettings {
  int32_t ActivePageIndex = 0;
  TStationRecord Client;
  TStationRecord Server;
  std::vector<TStoredNetwork> Networks;
  TThroughputInputs Throughput;
};
// The throughput inputs are strings holding a number with a point:
// "ThroughputWindow", "ThroughputLoss", "ThroughputMSS", "ThroughputFileSize".
void WriteLatencySettings(TDirectStore& store, const TLatencySettings& settings);

}  // namespace Parlamine
