// SPDX-License-Identifier: MIT
#include "PrefixSummarize.h"

#include <algorithm>
#include <bit>

#include "QuotedInput.h"

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

// Merges, in place, ranges that overlap or touch in a list sorted by first
// address; `Key` gives a range's (first, last) and `Widen` stretches the kept
// range to a new last address. Returns the count kept.
template <typename TRange, typename TFirst, typename TLast, typename TWiden>
size_t MergeSorted(std::vector<TRange>& ranges, TUInt128 familyTop, TFirst first, TLast last, TWiden widen) {
  size_t kept = 0;
  for (size_t i = 0; i < ranges.size(); ++i) {
    if (kept > 0) {
      TRange& previous = ranges[kept - 1];
      const TUInt128 previousLast = last(previous);
      // `previousLast + 1` cannot wrap below the family's top; a range that
      // reaches the top swallows every later one anyway.
      if (previousLast == familyTop || first(ranges[i]) <= previousLast + 1) {
        if (last(ranges[i]) > previousLast) widen(previous, last(ranges[i]));
        continue;
      }
    }
    ranges[kept++] = ranges[i];
  }
  return kept;
}

// Sorts the ranges after `merged` (the count already sorted and apart), then
// merges them into those before. Afterwards all are sorted and apart.
template <typename TRange, typename TLess, typename TFirst, typename TLast, typename TWiden>
void MergeNewRanges(std::vector<TRange>& ranges, size_t& merged, TUInt128 familyTop, TLess less, TFirst first,
                    TLast last, TWiden widen) {
  if (merged == ranges.size()) return;
  const auto middle = ranges.begin() + static_cast<std::ptrdiff_t>(merged);
  std::sort(middle, ranges.end(), less);
  std::inplace_merge(ranges.begin(), middle, ranges.end(), less);
  ranges.resize(MergeSorted(ranges, familyTop, first, last, widen));
  merged = ranges.size();
}

// A full store is merged, and given room for twice as many ranges when that
// left it more than half full: merging again soon would gain little. The
// first store holds 1,024 ranges, so a short list is merged once.
template <typename TRange>
void GrowWhenCrowded(std::vector<TRange>& ranges) {
  constexpr size_t FirstStoreSize = 1024;
  if (ranges.capacity() < FirstStoreSize)
    ranges.reserve(FirstStoreSize);
  else if (ranges.size() > ranges.capacity() / 2)
    ranges.reserve(ranges.capacity() * 2);
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
    result.Error = "The range " + QuotedInput(line) + " mixes an IPv4 and an IPv6 address";
    return result;
  }
  if (last.Address.Value < first.Address.Value) {
    result.Error = "The range " + QuotedInput(line) + " ends before it begins";
    return result;
  }
  result.Ok = true;
  result.Range = {first.Address, last.Address};
  return result;
}

bool NextRangePrefix(TUInt128& first, TUInt128 last, TAddressFamily family, TPrefix& prefix) {
  const int bits = AddressBits(family);
  // The largest block that starts at `first` (aligned to it) and ends by
  // `last`. count = last - first + 1 wraps to 0 only for the whole IPv6 space.
  const TUInt128 count = last - first + 1;
  const int sizeBits = count == 0 ? 128 : HighestBit(count);
  const int blockBits = std::min({TrailingZeroBits(first), sizeBits, bits});
  prefix = TPrefix{TAddress{family, first}, bits - blockBits};
  const TUInt128 blockLast = first + (blockBits == 128 ? ~TUInt128{0} : (TUInt128{1} << blockBits) - 1);
  if (blockLast >= last) return false;
  first = blockLast + 1;
  return true;
}

std::vector<TPrefix> RangeToPrefixes(const TAddressRange& range) {
  std::vector<TPrefix> prefixes;
  TUInt128 first = range.First.Value;
  TPrefix prefix;
  bool more = true;
  while (more) {
    more = NextRangePrefix(first, range.Last.Value, range.First.Family, prefix);
    prefixes.push_back(prefix);
  }
  return prefixes;
}

bool TSummarizer::AddLine(std::string_view line, std::string& error) {
  if (TrimBlanks(line).empty()) return true;
  TRangeParse parsed = ParseRangeLine(line);
  if (!parsed.Ok) {
    error = std::move(parsed.Error);
    return false;
  }
  AddRange(parsed.Range);
  return true;
}

TAddressRange TSummarizer::IPv4Range(uint64_t packed) {
  return {{TAddressFamily::afIPv4, packed >> 32}, {TAddressFamily::afIPv4, packed & 0xFFFFFFFFu}};
}

void TSummarizer::AddRange(const TAddressRange& range) {
  if (range.First.Family == TAddressFamily::afIPv4) {
    if (FIPv4.size() == FIPv4.capacity()) {
      MergeIPv4();
      GrowWhenCrowded(FIPv4);
    }
    FIPv4.push_back(static_cast<uint64_t>(range.First.Value) << 32 | static_cast<uint64_t>(range.Last.Value));
  } else {
    if (FIPv6.size() == FIPv6.capacity()) {
      MergeIPv6();
      GrowWhenCrowded(FIPv6);
    }
    FIPv6.push_back({range.First.Value, range.Last.Value});
  }
}

void TSummarizer::MergeIPv4() {
  MergeNewRanges(
      FIPv4, FIPv4Merged, AllOnes(TAddressFamily::afIPv4), std::less<uint64_t>(),
      [](uint64_t r) { return TUInt128{r >> 32}; }, [](uint64_t r) { return TUInt128{r & 0xFFFFFFFFu}; },
      [](uint64_t& r, TUInt128 last) { r = (r & ~uint64_t{0xFFFFFFFFu}) | static_cast<uint64_t>(last); });
}

void TSummarizer::MergeIPv6() {
  MergeNewRanges(
      FIPv6, FIPv6Merged, AllOnes(TAddressFamily::afIPv6),
      [](const TIPv6Range& a, const TIPv6Range& b) { return a.First < b.First; },
      [](const TIPv6Range& r) { return r.First; }, [](const TIPv6Range& r) { return r.Last; },
      [](TIPv6Range& r, TUInt128 last) { r.Last = last; });
}

TSummary Summarize(const std::vector<std::string_view>& lines) {
  TSummary summary;
  TSummarizer summarizer;
  std::string error;
  for (size_t i = 0; i < lines.size(); ++i)
    if (!summarizer.AddLine(lines[i], error)) summary.Errors.push_back({static_cast<int>(i + 1), error});
  summarizer.ForEachPrefix([&summary](const TPrefix& prefix) { summary.Prefixes.push_back(prefix); });
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
