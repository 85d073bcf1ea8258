// SPDX-License-Identifier: MIT
#include "PrefixSummarize.h"

#include <algorithm>
#include <bit>

namespace Parlamine {

namespace {

int TrailingZeroBits(TUInt128 value) {
  const uint64_t low = static_cast<uint64_t>(value);
  if (low != 0) return std::countr_zero(low);
  const uint64_t high = static_cast<uint64_t>(value >> 64);
  return high != 0 ? 64 + std::countr_zero(high) : 128;
}

// floor(log2(value)) for value > 0.
int HighestBit(TUInt128 value) {
  const uint64_t high = static_cast<uint64_t>(value >> 64);
  if (high != 0) return 127 - std::countl_zero(high);
  return 63 - std::countl_zero(static_cast<uint64_t>(value));
}

// Sorts and merges ranges of one family that overlap or touch.
std::vector<TAddressRange> MergeRanges(std::vector<TAddressRange> ranges) {
  std::sort(ranges.begin(), ranges.end(),
            [](const TAddressRange& a, const TAddressRange& b) { return a.First.Value < b.First.Value; });
  std::vector<TAddressRange> merged;
  for (const TAddressRange& range : ranges) {
    // `Last.Value + 1` cannot wrap for a range that is not at the family's top;
    // one that is, swallows every later range anyway.
    if (!merged.empty() && (merged.back().Last.Value == AllOnes(range.First.Family) ||
                            range.First.Value <= merged.back().Last.Value + 1)) {
      if (range.Last.Value > merged.back().Last.Value) merged.back().Last = range.Last;
    } else {
      merged.push_back(range);
    }
  }
  return merged;
}

void AppendPrefixes(const std::vector<TAddressRange>& ranges, std::vector<TPrefix>& out) {
  for (const TAddressRange& range : MergeRanges(ranges)) {
    const std::vector<TPrefix> prefixes = RangeToPrefixes(range);
    out.insert(out.end(), prefixes.begin(), prefixes.end());
  }
}

}  // namespace

TRangeParse ParseRangeLine(std::string_view line) {
  TRangeParse result;
  line = TrimBlanks(line);
  const size_t dash = line.find('-');
  if (dash == std::string_view::npos) {
    const TPrefixParse parsed = ParsePrefix(line);
    if (!parsed.Ok) {
      result.Error = parsed.Error;
      return result;
    }
    const TPrefix prefix = parsed.Prefix();
    result.Ok = true;
    result.Range = {prefix.Network, LastAddress(prefix)};
    return result;
  }
  const TAddressParse first = ParseAddress(line.substr(0, dash));
  const TAddressParse last = ParseAddress(line.substr(dash + 1));
  if (!first.Ok || !last.Ok) {
    result.Error = "Range: " + (first.Ok ? last.Error : first.Error);
    return result;
  }
  if (first.Address.Family != last.Address.Family) {
    result.Error = "The range '" + std::string(line) + "' mixes an IPv4 and an IPv6 address";
    return result;
  }
  if (last.Address.Value < first.Address.Value) {
    result.Error = "The range '" + std::string(line) + "' ends before it begins";
    return result;
  }
  result.Ok = true;
  result.Range = {first.Address, last.Address};
  return result;
}

std::vector<TPrefix> RangeToPrefixes(const TAddressRange& range) {
  const TAddressFamily family = range.First.Family;
  const int bits = AddressBits(family);
  std::vector<TPrefix> prefixes;
  TUInt128 first = range.First.Value;
  const TUInt128 last = range.Last.Value;
  while (true) {
    // The largest block that starts at `first` (aligned to it) and ends by
    // `last`. count = last - first + 1 wraps to 0 only for the whole IPv6 space.
    const TUInt128 count = last - first + 1;
    const int sizeBits = count == 0 ? 128 : HighestBit(count);
    const int blockBits = std::min({TrailingZeroBits(first), sizeBits, bits});
    prefixes.push_back(TPrefix{TAddress{family, first}, bits - blockBits});
    const TUInt128 blockLast = first + (blockBits == 128 ? ~TUInt128{0} : (TUInt128{1} << blockBits) - 1);
    if (blockLast >= last) break;
    first = blockLast + 1;
  }
  return prefixes;
}

TSummary Summarize(const std::vector<std::string_view>& lines) {
  TSummary summary;
  std::vector<TAddressRange> ipv4;
  std::vector<TAddressRange> ipv6;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (TrimBlanks(lines[i]).empty()) continue;
    TRangeParse parsed = ParseRangeLine(lines[i]);
    if (!parsed.Ok) {
      summary.Errors.push_back({static_cast<int>(i + 1), std::move(parsed.Error)});
      continue;
    }
    (parsed.Range.First.Family == TAddressFamily::afIPv4 ? ipv4 : ipv6).push_back(parsed.Range);
  }
  AppendPrefixes(ipv4, summary.Prefixes);
  AppendPrefixes(ipv6, summary.Prefixes);
  return summary;
}

TSummary SummarizeText(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return Summarize(lines);
}

std::string SummaryErrorText(const TSummaryLineError& error) {
  return "Line " + std::to_string(error.LineNumber) + ": " + error.Message;
}

}  // namespace Parlamine
