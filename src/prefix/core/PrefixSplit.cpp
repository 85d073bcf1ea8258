// SPDX-License-Identifier: MIT
#include "PrefixSplit.h"

#include <algorithm>

namespace Parlamine {

namespace {

int LongestSplit(const TPrefix& prefix) {
  return std::min(prefix.Length + MaxSplitBits, AddressBits(prefix.Network.Family));
}

char* WriteNumber(int64_t value, char* out) {
  char digits[20];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  while (count > 0) *out++ = digits[--count];
  return out;
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
  // Row 0 is the only row when hostBits is 128 (a /0 left whole), and a
  // shift by 128 would be undefined.
  const TUInt128 offset = row == 0 ? 0 : static_cast<TUInt128>(row) << hostBits;
  return TPrefix{TAddress{Family(), FPrefix.Network.Value + offset}, FLength};
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

size_t TPrefixSplit::FormatRow(int64_t row, char* out) const {
  if (row < 0 || row >= FRowCount) return 0;
  const TPrefix subnet = Subnet(row);
  const TAddress last = LastAddress(subnet);
  const bool ipv4 = Family() == TAddressFamily::afIPv4;
  const bool everyAddressAHost = !ipv4 || FLength >= 31;
  char* p = WriteNumber(row, out);
  *p++ = '\t';
  p = WritePrefix(subnet, p);
  *p++ = '\t';
  p = WriteAddress(everyAddressAHost ? subnet.Network : TAddress{Family(), subnet.Network.Value + 1}, p);
  *p++ = '\t';
  p = WriteAddress(everyAddressAHost ? last : TAddress{Family(), last.Value - 1}, p);
  if (ipv4) {
    *p++ = '\t';
    p = everyAddressAHost ? WriteText(NoBroadcastText, p) : WriteAddress(last, p);
  }
  return static_cast<size_t>(p - out);
}

}  // namespace Parlamine
