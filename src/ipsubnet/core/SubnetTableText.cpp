// SPDX-License-Identifier: MIT
#include "SubnetTableText.h"

#include <cstring>

namespace Parlamine {

namespace {

char* WriteText(std::string_view text, char* out) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

char* WriteDecimal(int64_t value, char* out) {
  char digits[20];
  int count = 0;
  uint64_t rest = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  if (value < 0) *out++ = '-';
  do {
    digits[count++] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest > 0);
  while (count > 0) *out++ = digits[--count];
  return out;
}

char* WriteQuotedAddress(std::string_view key, uint32_t value, char* out) {
  out = WriteText(key, out);
  *out++ = '"';
  out = WriteDottedDecimal(value, out);
  *out++ = '"';
  return out;
}

}  // namespace

std::string_view LineEndText(TLineEnd lineEnd) { return lineEnd == TLineEnd::leCRLF ? "\r\n" : "\n"; }

std::string_view SubnetTableHeader() { return "#\tID\tRange\tBroadcast"; }

char* WriteDottedDecimal(uint32_t value, char* out) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    const unsigned octet = (value >> shift) & 0xFFu;
    if (octet >= 100) *out++ = static_cast<char>('0' + octet / 100);
    if (octet >= 10) *out++ = static_cast<char>('0' + octet / 10 % 10);
    *out++ = static_cast<char>('0' + octet % 10);
    if (shift > 0) *out++ = '.';
  }
  return out;
}

size_t FormatSubnetRowJson(const TSubnetTable& table, int64_t row, char* out) {
  const TSubnetTable::TRow r = table.Row(row);
  char* p = WriteText("{\"number\":", out);
  p = WriteDecimal(r.Number, p);
  p = WriteQuotedAddress(",\"id\":", r.Id, p);
  p = WriteQuotedAddress(",\"first\":", r.Id + 1, p);
  p = WriteQuotedAddress(",\"last\":", r.Broadcast - 1, p);
  p = WriteQuotedAddress(",\"broadcast\":", r.Broadcast, p);
  *p++ = '}';
  return static_cast<size_t>(p - out);
}

int64_t FormatSubnetRows(const TSubnetTable& table, int64_t first, int64_t count, TLineEnd lineEnd, char* out,
                         size_t capacity, size_t& used) {
  const std::string_view end = LineEndText(lineEnd);
  const size_t room = TSubnetTable::MaxRowTextSize + end.size();
  int64_t written = 0;
  while (written < count && capacity - used >= room) {
    used += table.FormatRow(first + written, out + used);
    std::memcpy(out + used, end.data(), end.size());
    used += end.size();
    ++written;
  }
  return written;
}

}  // namespace Parlamine
