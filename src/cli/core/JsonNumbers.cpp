// SPDX-License-Identifier: MIT
#include "JsonNumbers.h"

#include <charconv>
#include <string>

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

void WriteJsonDocument(TBufferedWriter& out, const TJson& document) {
  out.Write(document.dump(2, ' ', false, TJson::error_handler_t::replace));
  out.Write('\n');
}

void WriteJsonLine(TBufferedWriter& out, const TJson& document) {
  out.Write(document.dump(-1, ' ', false, TJson::error_handler_t::replace));
  out.Write('\n');
}

}  // namespace Parlamine
