// SPDX-License-Identifier: MIT
#include "WrapMessageText.h"

namespace Parlamine {

namespace {

bool IsBreakSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsLineEnd(const std::string& text, size_t i) {
  return text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
}

// Skips the white space that follows a break, but not a CR LF of the text
// itself: that one is a break of its own.
size_t SkipSpaceAfterBreak(const std::string& text, size_t i) {
  while (i < text.size() && IsBreakSpace(text[i]) && !IsLineEnd(text, i)) ++i;
  return i;
}

}  // namespace

std::string WrapMessageText(const std::string& text, int maxColumn) {
  const size_t limit = maxColumn > 0 ? static_cast<size_t>(maxColumn) : 1;
  std::string result;
  result.reserve(text.size() + text.size() / limit * 2 + 2);
  size_t lineStart = 0;
  size_t breakAfter = std::string::npos;  // index just past the last breakable space
  char quote = 0;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (quote == 0 && IsLineEnd(text, i)) {
      result.append(text, lineStart, i - lineStart).append("\r\n");
      i += 2;
      lineStart = i;
      breakAfter = std::string::npos;
      continue;
    }
    const bool space = quote == 0 && IsBreakSpace(c);
    if (i - lineStart + 1 > limit && (space || breakAfter != std::string::npos)) {
      // The line is full: end it before this space, or after the last space.
      const size_t end = space ? i : breakAfter;
      result.append(text, lineStart, end - lineStart).append("\r\n");
      i = SkipSpaceAfterBreak(text, end);
      lineStart = i;
      breakAfter = std::string::npos;
      quote = 0;  // breaks are only made outside quotes
      continue;
    }
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (space) {
      breakAfter = i + 1;
    }
    ++i;
  }
  result.append(text, lineStart, std::string::npos);
  return result;
}

}  // namespace Parlamine
