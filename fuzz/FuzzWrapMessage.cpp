// SPDX-License-Identifier: MIT
// WrapMessageText: any text at any column is wrapped without a fault, and
// wrapping only adds line breaks and drops white space: every other character
// stays, in its order.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "WrapMessageText.h"

using namespace Parlamine;

namespace {

std::string WithoutWhiteSpace(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\v' && c != '\f') out += c;
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the column: 80 as the program uses it, or another.
  const int column = data[0] < 128 ? 80 : static_cast<int>(data[0]) - 160;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string wrapped = WrapMessageText(text, column);
  FUZZ_CHECK(WithoutWhiteSpace(wrapped) == WithoutWhiteSpace(text));
  FUZZ_CHECK(wrapped.size() <= text.size() * 3 + 2);
  return 0;
}
