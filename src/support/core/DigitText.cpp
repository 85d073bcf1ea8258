// SPDX-License-Identifier: MIT
#include "DigitText.h"

namespace Parlamine {

std::string InsertSeparators(std::string_view text, char separator, int groupSize) {
  if (text.empty() || groupSize < 1) return std::string(text);
  const size_t group = static_cast<size_t>(groupSize);
  std::string result;
  result.reserve(text.size() + text.size() / group);
  // The first group is the remainder at the left; the others are full.
  const size_t head = text.size() % group == 0 ? group : text.size() % group;
  result.append(text.substr(0, head));
  for (size_t pos = head; pos < text.size(); pos += group) {
    result += separator;
    result.append(text.substr(pos, group));
  }
  if (result.size() >= 2 && result[0] == '-' && result[1] == separator) result.erase(1, 1);
  return result;
}

std::string InsertThousandSeparators(std::string_view text) { return InsertSeparators(text, ',', 3); }

std::string DottedBinary(uint32_t value) {
  std::string text;
  text.reserve(35);
  for (int bit = 31; bit >= 0; --bit) {
    text.push_back(((value >> bit) & 1u) ? '1' : '0');
    if (bit % 8 == 0 && bit > 0) text.push_back('.');
  }
  return text;
}

}  // namespace Parlamine
