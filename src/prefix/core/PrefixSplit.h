// SPDX-License-Identifier: MIT
// A prefix split into the subnets of a longer length: the lengths offered,
// their list texts, and the table of subnets, each row computed from its
// index alone (no row is stored).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PrefixAddress.h"

namespace Parlamine {

// The largest split the window lists: 2^24 = 16,777,216 subnets. A slice
// (TPrefixSplit::Slice) reaches into a split of any size.
inline constexpr int MaxSplitBits = 24;
inline constexpr int64_t MaxSplitRows = int64_t{1} << MaxSplitBits;

// The lengths a prefix of length n can be split into: n (the prefix itself,
// one subnet) up to n + 24, never beyond the family's bits.
std::vector<int> SplitLengths(const TPrefix& prefix);

// "/26 (1,024 subnets of 64 addresses)", "/32 (1 subnet of 1 address)".
std::string SplitLengthItemText(const TPrefix& prefix, int length);

// The length to show: `wanted` clamped to SplitLengths(prefix); without a
// wish, one longer than the prefix where there is one.
int ChooseSplitLength(const TPrefix& prefix, std::optional<int> wanted);

// Column captions: IPv4 "#", "Network", "First Host", "Last Host",
// "Broadcast"; IPv6 "#", "Network", "First Address", "Last Address".
inline constexpr std::array<std::string_view, 5> IPv4SplitCaptions = {"#", "Network", "First Host",
                                                                      "Last Host", "Broadcast"};
inline constexpr std::array<std::string_view, 4> IPv6SplitCaptions = {"#", "Network", "First Address",
                                                                      "Last Address"};

// The text an IPv4 subnet without a broadcast address (a /31 or /32) shows
// in the "Broadcast" column.
inline constexpr std::string_view NoBroadcastText = "none";

class TPrefixSplit {
 public:
  // No rows.
  TPrefixSplit() = default;
  // The subnets of `prefix` at `length`; a length outside SplitLengths(prefix)
  // is clamped into it.
  TPrefixSplit(const TPrefix& prefix, int length);
  // Rows `firstRow` to `firstRow + rowCount - 1` of the split into any length
  // from the prefix's own to the family's bits, numbered as in the whole
  // table; cut where the table ends (no rows when it ends before firstRow).
  static TPrefixSplit Slice(const TPrefix& prefix, int length, TUInt128 firstRow, int64_t rowCount);

  const TPrefix& Prefix() const { return FPrefix; }
  int SubnetLength() const { return FLength; }
  int64_t RowCount() const { return FRowCount; }
  TAddressFamily Family() const { return FPrefix.Network.Family; }
  int ColumnCount() const;
  std::string_view ColumnCaption(int column) const;

  // The number of the slice's first row in the whole table (0 but for a Slice).
  TUInt128 FirstRow() const { return FFirstRow; }

  // Subnet number `row` (0 to RowCount() - 1) of the slice: subnet zero
  // first, the all-ones subnet last.
  TPrefix Subnet(int64_t row) const;
  // The row of the subnet that holds `address`; none for an address of the
  // other family or outside the slice.
  std::optional<int64_t> RowOf(const TAddress& address) const;
  // The cell text; "" for a row or column outside the table.
  std::string CellText(int64_t row, int column) const;
  // Writes the row's cells joined by single tabs, with no line end, and
  // returns the number of characters; `out` must hold MaxRowTextSize.
  size_t FormatRow(int64_t row, char* out) const;
  static constexpr size_t MaxRowTextSize = 40 + 3 * (MaxPrefixTextSize + 1) + 16;
  // The same row as one JSON object keyed by the column captions, every
  // value a string, no line end:
  // {"#":"0","Network":"10.0.0.0/30","First Host":"10.0.0.1",...}. The cell
  // texts hold nothing that JSON escapes. Returns the number of characters;
  // `out` must hold MaxRowJsonSize; 0 for a row outside the table.
  size_t FormatRowJson(int64_t row, char* out) const;
  // The row text, the longest captions (36 characters for IPv4) and six
  // characters of quotes, colon and comma per column, with the braces.
  static constexpr size_t MaxRowJsonSize = MaxRowTextSize + 40 + 6 * 5 + 2;

 private:
  size_t FormatIPv4Row(int64_t row, char* out) const;

  char* WriteRowNumber(int64_t row, char* out) const;

  TPrefix FPrefix;
  int FLength = 0;
  TUInt128 FFirstRow = 0;
  int64_t FRowCount = 0;
};

}  // namespace Parlamine
