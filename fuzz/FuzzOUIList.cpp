// SPDX-License-Identifier: MIT
// The OUI list: any file content is searched without a fault; the generator
// turns any registry listing into lines free of control characters in which
// every listed OUI is found with its organisation.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "FuzzCheck.h"
#include "OUIList.h"
#include "ZellBinDecHex.h"

using namespace Parlamine;

namespace {

void SearchAnyList(const std::string& text, const uint8_t* data, size_t size) {
  TOUIList list;
  list.LoadFromText(text);
  const uint32_t oui = size >= 3 ? (data[0] << 16) | (data[1] << 8) | data[2] : 0x55;
  const TOUISearchResult result = list.Search(Int64ToHex(oui, 6));
  FUZZ_CHECK(result.SwappedKey.size() == 6);
}

void CheckGenerator(const std::string& text) {
  const auto entries = ParseIEEERegistry(text);
  const std::string list = BuildOUIText(entries);
  for (char c : list) FUZZ_CHECK(c == '\n' || !IsControlChar(c));
  TOUIList loaded;
  loaded.LoadFromText(list);
  std::set<std::string> seen;
  size_t checked = 0;
  for (const TOUIEntry& entry : entries) {
    if (!seen.insert(entry.OUI).second) continue;  // the first of a kind is kept
    if (++checked > 64) break;
    const TOUISearchResult result = loaded.Search(entry.OUI);
    FUZZ_CHECK(result.Match.Found);
    FUZZ_CHECK(result.Match.Abbreviation == AbbreviateOrganization(result.Match.Organization));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  SearchAnyList(text, data, size);
  CheckGenerator(text);
  return 0;
}
