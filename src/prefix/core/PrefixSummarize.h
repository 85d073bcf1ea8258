// SPDX-License-Identifier: MIT
// Summarising a pasted list of addresses, prefixes and ranges into the fewest
// prefixes that cover exactly the same addresses.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "PrefixAddress.h"

namespace Parlamine {

// An inclusive range of addresses of one family.
struct TAddressRange {
  TAddress First;
  TAddress Last;
};

struct TRangeParse {
  bool Ok = false;
  TAddressRange Range;
  std::string Error;
};

// One line of a list: an address, a prefix in any form ParsePrefix takes
// (host bits set are dropped: 10.1.2.3/22 stands for 10.1.0.0/22), or a
// range "first - last" of one family with first <= last (blanks around the
// dash are optional).
TRangeParse ParseRangeLine(std::string_view line);

// A line that could not be read, numbered from 1.
struct TSummaryLineError {
  int LineNumber = 0;
  std::string Message;
};

struct TSummary {
  // IPv4 first, then IPv6, each in address order; no two overlap or could
  // be joined into one.
  std::vector<TPrefix> Prefixes;
  std::vector<TSummaryLineError> Errors;  // in line order
};

// Summarises a list fed to it one line at a time. Memory grows with the
// ranges that stay apart after merging, not with the lines read: a list of
// ten million lines is merged as it comes.
class TSummarizer {
 public:
  // Blank lines are skipped; false, with the message in `error`, for a line
  // that is not understood (it adds nothing).
  bool AddLine(std::string_view line, std::string& error);
  void AddRange(const TAddressRange& range);

  // Hands each prefix of the summary to `take`, IPv4 first, then IPv6, each
  // in address order; no two overlap or could be joined into one.
  template <typename TTake>
  void ForEachPrefix(TTake&& take) {
    MergeIPv4();
    MergeIPv6();
    for (const uint64_t packed : FIPv4) ForEachRangePrefix(IPv4Range(packed), take);
    for (const TIPv6Range& range : FIPv6)
      ForEachRangePrefix({{TAddressFamily::afIPv6, range.First}, {TAddressFamily::afIPv6, range.Last}}, take);
  }

 private:
  // An IPv4 range packed as first << 32 | last: sorting the numbers sorts
  // the ranges, and a million of them take 8 MB.
  static TAddressRange IPv4Range(uint64_t packed);
  struct TIPv6Range {
    TUInt128 First, Last;
  };
  template <typename TTake>
  static void ForEachRangePrefix(const TAddressRange& range, TTake& take);
  // Sort the ranges added since the last merge and merge them into the ones
  // before; called whenever a store is full, and before the summary.
  void MergeIPv4();
  void MergeIPv6();

  std::vector<uint64_t> FIPv4;
  std::vector<TIPv6Range> FIPv6;
  size_t FIPv4Merged = 0;  // FIPv4[0, FIPv4Merged) are sorted and apart
  size_t FIPv6Merged = 0;
};

// Blank lines are skipped; a line that is not understood is reported and the
// others are still summarised. Overlaps and duplicates merge.
TSummary Summarize(const std::vector<std::string_view>& lines);
// The same for a text of lines ended by LF, CR LF or CR.
TSummary SummarizeText(std::string_view text);

// The fewest prefixes that cover exactly the range, in address order.
std::vector<TPrefix> RangeToPrefixes(const TAddressRange& range);
// The same one prefix at a time; returns the prefix, and false with the last.
// `first` moves on to the next block.
bool NextRangePrefix(TUInt128& first, TUInt128 last, TAddressFamily family, TPrefix& prefix);

template <typename TTake>
void TSummarizer::ForEachRangePrefix(const TAddressRange& range, TTake& take) {
  TUInt128 first = range.First.Value;
  TPrefix prefix;
  bool more = true;
  while (more) {
    more = NextRangePrefix(first, range.Last.Value, range.First.Family, prefix);
    take(prefix);
  }
}

// "Line 3: 'x' is neither an IPv4 nor an IPv6 address".
std::string SummaryErrorText(const TSummaryLineError& error);

}  // namespace Parlamine
