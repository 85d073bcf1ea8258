// SPDX-License-Identifier: MIT
// The binary records of the settings: window position, station and network.
// Any bytes are refused or read; a record that is read packs back to the
// same bytes (the network record's padding and a damaged distance aside), and a fitted window lies
// on the screen.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FormPosition.h"
#include "FuzzCheck.h"
#include "LatencySettings.h"
#include "SettingsStore.h"

using namespace Parlamine;

namespace {

void CheckFormPosition(const std::vector<uint8_t>& bytes) {
  const auto record = UnpackFormPosition(bytes);
  if (!record) return;
  FUZZ_CHECK(PackFormPosition(*record) == bytes);
  const TFormPositionRecord fitted = FitFormPosition(*record, 1024, 768);
  FUZZ_CHECK(fitted.Left >= 0 && fitted.Top >= 0 && fitted.Right <= 1024 && fitted.Bottom <= 768);
  FUZZ_CHECK(fitted.Left <= fitted.Right && fitted.Top <= fitted.Bottom);
}

void CheckStation(const std::vector<uint8_t>& bytes) {
  try {
    const TStationRecord record = UnpackStationRecord(bytes, "Client");
    FUZZ_CHECK(PackStationRecord(record) == bytes);
  } catch (const ERegistryException&) {
    FUZZ_CHECK(bytes.size() != StationRecordSize);
  }
}

void CheckNetwork(const std::vector<uint8_t>& bytes) {
  TRegistryTree tree;
  TDirectStore store(tree);
  store.OpenKey(LatencyKeyPath(), true);
  store.WriteBinaryData("Network1", bytes);
  try {
    const TNetworkRecord record = UnpackNetworkRecord(bytes, "Network1");
    std::vector<uint8_t> packed = PackNetworkRecord(record);
    std::vector<uint8_t> expected = bytes;
    for (size_t i = 13; i < 16; ++i) expected[i] = 0;  // padding is not kept
    // A record with a distance has a second padding; a damaged distance is
    // dropped, and the record packs back to the short form.
    if (bytes.size() == NetworkRecordWithDistanceSize) {
      if (record.FDistance != 0 || record.Medium != mdNone)
        for (size_t i = 33; i < 36; ++i) expected[i] = 0;
      else
        expected.resize(NetworkRecordSize);
    }
    FUZZ_CHECK(packed == expected);
    const TStoredNetwork stored = ReadStoredNetwork(store, 1);
    FUZZ_CHECK(IsValidNetworkButtonKind(stored.Record.NetworkButtonKind));
    FUZZ_CHECK(!IsStation(static_cast<TNetworkButtonKind>(stored.Record.NetworkButtonKind)));
  } catch (const ERegistryException&) {
    FUZZ_CHECK(bytes.size() != NetworkRecordSize && bytes.size() != NetworkRecordWithDistanceSize);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  CheckFormPosition(bytes);
  CheckStation(bytes);
  CheckNetwork(bytes);
  return 0;
}
