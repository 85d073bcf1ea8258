// SPDX-License-Identifier: MIT
#include "SubnetTableText.h"

#include <cstring>

#include "DecimalWriter.h"

namespace Parlamine {

namespace {

char* WriteText(std::string_view text, char* out) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
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

char* WriteDottedDecimal(uint32_t value, char* out) { return WriteDottedQuad(value, out); }

size_t FormatSubnetRowJson(const TSubnetTable& table, int64_t row, char* out) {
  const TSubnetTable::TRow r = table.Row(row);
  char* p = WriteText("{\"number\":", out);
  p = WriteSignedDecimal(r.Number, p);
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
