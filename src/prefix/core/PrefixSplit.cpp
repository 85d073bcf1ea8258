// SPDX-License-Identifier: MIT
#include "PrefixSplit.h"

#include <algorithm>

#include "DecimalWriter.h"

namespace Parlamine {

namespace {

int LongestSplit(const TPrefix& prefix) {
  return std::min(prefix.Length + MaxSplitBits, AddressBits(prefix.Network.Family));
}

char* WriteText(std::string_view text, char* out) { return std::copy(text.begin(), text.end(), out); }

}  // namespace

std::vector<int> SplitLengths(const TPrefix& prefix) {
  std::vector<int> lengths;
  for (int length = prefix.Length; length <= LongestSplit(prefix); ++length) lengths.push_back(length);
  return lengths;
}

std::string SplitLengthItemText(const TPrefix& prefix, int length) {
  const int subnetBits = length - prefix.Length;
  const int addressBits = AddressBits(prefix.Network.Family) - length;
  return "/" + std::to_string(length) + " (" + PowerOfTwoCountText(subnetBits) +
         (subnetBits == 0 ? " subnet of " : " subnets of ") + PowerOfTwoCountText(addressBits) +
         (addressBits == 0 ? " address)" : " addresses)");
}

int ChooseSplitLength(const TPrefix& prefix, std::optional<int> wanted) {
  const int longest = LongestSplit(prefix);
  if (!wanted) return std::min(prefix.Length + 1, longest);
  return std::clamp(*wanted, prefix.Length, longest);
}

TPrefixSplit::TPrefixSplit(const TPrefix& prefix, int length)
    : FPrefix(prefix), FLength(std::clamp(length, prefix.Length, LongestSplit(prefix))) {
  FRowCount = int64_t{1} << (FLength - FPrefix.Length);
}

TPrefixSplit TPrefixSplit::Slice(const TPrefix& prefix, int length, TUInt128 firstRow, int64_t rowCount) {
  TPrefixSplit slice;
  slice.FPrefix = prefix;
  slice.FLength = std::clamp(length, prefix.Length, AddressBits(prefix.Network.Family));
  const int subnetBits = slice.FLength - prefix.Length;
  // The last row's number: 2^128 - 1 for a /0 split into addresses.
  const TUInt128 lastRow = subnetBits == 128 ? ~TUInt128{0} : (TUInt128{1} << subnetBits) - 1;
  if (firstRow > lastRow || rowCount <= 0) return slice;
  slice.FFirstRow = firstRow;
  const TUInt128 rowsLeft = lastRow - firstRow;  // less one, which cannot overflow
  slice.FRowCount =
      rowsLeft < static_cast<TUInt128>(rowCount) ? static_cast<int64_t>(rowsLeft) + 1 : rowCount;
  return slice;
}

int TPrefixSplit::ColumnCount() const {
  return static_cast<int>(Family() == TAddressFamily::afIPv4 ? IPv4SplitCaptions.size()
                                                             : IPv6SplitCaptions.size());
}

std::string_view TPrefixSplit::ColumnCaption(int column) const {
  if (column < 0 || column >= ColumnCount()) return {};
  const size_t c = static_cast<size_t>(column);
  return Family() == TAddressFamily::afIPv4 ? IPv4SplitCaptions[c] : IPv6SplitCaptions[c];
}

TPrefix TPrefixSplit::Subnet(int64_t row) const {
  const int hostBits = AddressBits(Family()) - FLength;
  const TUInt128 number = FFirstRow + static_cast<TUInt128>(row);
  // Row 0 is the only row when hostBits is 128 (a /0 left whole), and a
  // shift by 128 would be undefined.
  const TUInt128 offset = number == 0 ? 0 : number << hostBits;
  return TPrefix{TAddress{Family(), FPrefix.Network.Value + offset}, FLength};
}

std::optional<int64_t> TPrefixSplit::RowOf(const TAddress& address) const {
  if (FRowCount == 0 || address.Family != Family() ||
      !Contains(FPrefix, MakePrefix(address, AddressBits(Family()))))
    return std::nullopt;
  const int hostBits = AddressBits(Family()) - FLength;
  const TUInt128 offset = address.Value - FPrefix.Network.Value;
  const TUInt128 number = hostBits == 128 ? 0 : offset >> hostBits;
  if (number < FFirstRow || number - FFirstRow >= static_cast<TUInt128>(FRowCount)) return std::nullopt;
  return static_cast<int64_t>(number - FFirstRow);
}

std::string TPrefixSplit::CellText(int64_t row, int column) const {
  if (row < 0 || row >= FRowCount || column < 0 || column >= ColumnCount()) return {};
  // One formatter for the list and the copy, so both always agree.
  char line[MaxRowTextSize];
  const std::string_view cells(line, FormatRow(row, line));
  size_t begin = 0;
  for (int c = 0; c < column; ++c) begin = cells.find('\t', begin) + 1;
  const size_t end = cells.find('\t', begin);
  return std::string(
      cells.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin));
}

char* TPrefixSplit::WriteRowNumber(int64_t row, char* out) const {
  const TUInt128 number = FFirstRow + static_cast<TUInt128>(row);
  if (number <= UINT64_MAX) return WriteDecimal(static_cast<uint64_t>(number), out);
  const std::string digits = DecimalText(number);
  return WriteText(digits, out);
}

size_t TPrefixSplit::FormatRow(int64_t row, char* out) const {
  if (row < 0 || row >= FRowCount) return 0;
  if (Family() == TAddressFamily::afIPv4) return FormatIPv4Row(row, out);
  const TPrefix subnet = Subnet(row);
  char* p = WriteRowNumber(row, out);
  *p++ = '\t';
  // The network is also the first address: written once, copied once.
  char* const network = p;
  p = WriteAddress(subnet.Network, p);
  const size_t networkSize = static_cast<size_t>(p - network);
  *p++ = '/';
  p = WriteDecimal(static_cast<uint64_t>(FLength), p);
  *p++ = '\t';
  p = std::copy(network, network + networkSize, p);
  *p++ = '\t';
  p = WriteAddress(LastAddress(subnet), p);
  return static_cast<size_t>(p - out);
}

size_t TPrefixSplit::FormatRowJson(int64_t row, char* out) const {
  char line[MaxRowTextSize];
  const size_t size = FormatRow(row, line);
  if (size == 0) return 0;
  // The row text is split at its tabs: one formatter for the list, the
  // copy and both streams.
  const std::string_view cells(line, size);
  char* p = out;
  *p++ = '{';
  size_t begin = 0;
  for (int column = 0; column < ColumnCount(); ++column) {
    const size_t tab = cells.find('\t', begin);
    const std::string_view cell =
        cells.substr(begin, tab == std::string_view::npos ? cells.npos : tab - begin);
    if (column > 0) *p++ = ',';
    *p++ = '"';
    p = WriteText(ColumnCaption(column), p);
    // The row number is a JSON number up to 2^53 (9,007,199,254,740,992),
    // which every reader holds exactly, beyond it a string of its digits;
    // the addresses are strings.
    const bool number =
        column == 0 && (cell.size() < 16 || (cell.size() == 16 && cell <= "9007199254740992"));
    p = WriteText(number ? "\":" : "\":\"", p);
    p = WriteText(cell, p);
    if (!number) *p++ = '"';
    begin = tab + 1;
  }
  *p++ = '}';
  return static_cast<size_t>(p - out);
}

size_t TPrefixSplit::FormatIPv4Row(int64_t row, char* out) const {
  // 32-bit arithmetic throughout: the largest copy formats millions of these
  // rows, and the 128-bit path costs a third more. Row 0 is the only row when
  // a /0 is left whole, so the shift by 32 never happens.
  const int hostBits = 32 - FLength;
  const uint32_t hostMask = hostBits == 32 ? 0xFFFFFFFFu : (uint32_t{1} << hostBits) - 1;
  // A slice of a /0 into /32s numbers its rows up to 2^32 - 1.
  const uint32_t number = static_cast<uint32_t>(FFirstRow) + static_cast<uint32_t>(row);
  const uint32_t network =
      static_cast<uint32_t>(FPrefix.Network.Value) + (number == 0 ? 0 : number << hostBits);
  const uint32_t last = network | hostMask;
  // A /31 or /32 has no network or broadcast address apart from its hosts.
  const bool everyAddressAHost = FLength >= 31;
  char* p = WriteDecimal(number, out);
  *p++ = '\t';
  p = WriteDottedQuad(network, p);
  *p++ = '/';
  p = WriteDecimal(static_cast<uint64_t>(FLength), p);
  *p++ = '\t';
  p = WriteDottedQuad(everyAddressAHost ? network : network + 1, p);
  *p++ = '\t';
  p = WriteDottedQuad(everyAddressAHost ? last : last - 1, p);
  *p++ = '\t';
  p = everyAddressAHost ? WriteText(NoBroadcastText, p) : WriteDottedQuad(last, p);
  return static_cast<size_t>(p - out);
}

}  // namespace Parlamine
