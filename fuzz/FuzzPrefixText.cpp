// SPDX-License-Identifier: MIT
// The Prefix Calculator's texts: any address or prefix text is read or
// refused with a message; what is read writes back as a text that reads as
// the same value. Any list is summarised into prefixes in address order,
// none overlapping, with every address of every line read covered; a range
// splits into prefixes that follow each other from its first address to its
// last.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "PrefixAddress.h"
#include "PrefixSummarize.h"

using namespace Parlamine;

namespace {

bool Less(const TAddress& a, const TAddress& b) {
  return a.Family != b.Family ? a.Family == TAddressFamily::afIPv4 : a.Value < b.Value;
}

void CheckAddressText(std::string_view text) {
  const TAddressParse parsed = ParseAddress(text);
  FUZZ_CHECK(parsed.Ok == parsed.Error.empty());
  if (!parsed.Ok) return;
  if (parsed.Address.Family == TAddressFamily::afIPv4) FUZZ_CHECK(parsed.Address.Value >> 32 == 0);
  const std::string written = AddressText(parsed.Address);
  FUZZ_CHECK(written.size() <= MaxAddressTextSize);
  const TAddressParse again = ParseAddress(written);
  FUZZ_CHECK(again.Ok && again.Address == parsed.Address);
}

void CheckPrefixText(std::string_view text) {
  const TPrefixParse parsed = ParsePrefix(text);
  FUZZ_CHECK(parsed.Ok == parsed.Error.empty());
  if (!parsed.Ok) return;
  FUZZ_CHECK(parsed.Length >= 0 && parsed.Length <= AddressBits(parsed.Address.Family));
  const TPrefix prefix = parsed.Prefix();
  const std::string written = PrefixText(prefix);
  FUZZ_CHECK(written.size() <= MaxPrefixTextSize);
  const TPrefixParse again = ParsePrefix(written);
  FUZZ_CHECK(again.Ok && again.Prefix() == prefix);
}

void CheckRange(const TAddressRange& range) {
  const std::vector<TPrefix> prefixes = RangeToPrefixes(range);
  FUZZ_CHECK(!prefixes.empty());
  FUZZ_CHECK(prefixes.size() <= 2 * static_cast<size_t>(AddressBits(range.First.Family)));
  FUZZ_CHECK(prefixes.front().Network == range.First);
  FUZZ_CHECK(LastAddress(prefixes.back()) == range.Last);
  for (size_t i = 1; i < prefixes.size(); ++i)
    FUZZ_CHECK(LastAddress(prefixes[i - 1]).Value + 1 == prefixes[i].Network.Value);
}

bool Covered(const std::vector<TPrefix>& prefixes, const TAddress& address) {
  for (const TPrefix& prefix : prefixes)
    if (Contains(prefix, MakePrefix(address, AddressBits(address.Family)))) return true;
  return false;
}

void CheckSummary(std::string_view text) {
  const TSummary summary = SummarizeText(text);
  for (size_t i = 1; i < summary.Prefixes.size(); ++i)
    FUZZ_CHECK(Less(LastAddress(summary.Prefixes[i - 1]), summary.Prefixes[i].Network));
  size_t lines = 0;
  while (!text.empty() && lines < 32) {
    const size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lines;
    const TRangeParse parsed = ParseRangeLine(line);
    if (!parsed.Ok) continue;
    FUZZ_CHECK(!Less(parsed.Range.Last, parsed.Range.First));
    CheckRange(parsed.Range);
    FUZZ_CHECK(Covered(summary.Prefixes, parsed.Range.First));
    FUZZ_CHECK(Covered(summary.Prefixes, parsed.Range.Last));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckAddressText(text);
  CheckPrefixText(text);
  CheckSummary(text);
  return 0;
}
