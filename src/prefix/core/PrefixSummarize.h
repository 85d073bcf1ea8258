// SPDX-License-Identifier: MIT
// Summarising a pasted list of addresses, prefixes and ranges into the fewest
// prefixes that cover exactly the same addresses.
#pragma once

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

// Blank lines are skipped; a line that is not understood is reported and the
// others are still summarised. Overlaps and duplicates merge.
TSummary Summarize(const std::vector<std::string_view>& lines);
// The same for a text of lines ended by LF, CR LF or CR.
TSummary SummarizeText(std::string_view text);

// The fewest prefixes that cover exactly the range, in address order.
std::vector<TPrefix> RangeToPrefixes(const TAddressRange& range);

// "Line 3: 'x' is neither an IPv4 nor an IPv6 address".
std::string SummaryErrorText(const TSummaryLineError& error);

}  // namespace Parlamine
