// SPDX-License-Identifier: MIT
#include "JsonNumbers.h"

#include <charconv>
#include <cstdint>

#include "BufferedWriter.h"

namespace Parlamine {

double FloatAsShortestDouble(float value) {
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text - 1, value);
  if (error != std::errc()) return static_cast<double>(value);
  double widened = 0;
  if (std::from_chars(text, end, widened).ec != std::errc()) return static_cast<double>(value);
  return widened;
}

TJson CountJson(const std::string& digits) {
  constexpr uint64_t LargestExact = uint64_t{1} << 53;
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc() && end == digits.data() + digits.size() && value <= LargestExact) return value;
  return digits;
}

void WriteJsonDocument(TBufferedWriter& out, const TJson& document) {
  out.Write(document.dump(2, ' ', false, TJson::error_handler_t::replace));
  out.Write('\n');
}

void WriteJsonLine(TBufferedWriter& out, const TJson& document) {
  out.Write(document.dump(-1, ' ', false, TJson::error_handler_t::replace));
  out.Write('\n');
}

}  // namespace Parlamine
