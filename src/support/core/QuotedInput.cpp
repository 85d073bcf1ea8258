// SPDX-License-Identifier: MIT
#include "QuotedInput.h"

#include <cstdint>

namespace Parlamine {

namespace {

constexpr std::string_view Ellipsis = "\u2026";

// The length of the UTF-8 sequence that starts `text`, or 0 when it is none
// (a stray continuation byte, a cut or overlong sequence, a surrogate).
size_t SequenceLength(std::string_view text) {
  const auto byte = [&text](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(0);
  if (lead < 0x80) return 1;
  size_t length = 0;
  uint32_t lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    lowest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  uint32_t code = lead & (0x7Fu >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = code << 6 | (byte(i) & 0x3Fu);
  }
  if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

void AppendHex(std::string& out, const char* escape, unsigned value, int digits) {
  static constexpr char Digits[] = "0123456789abcdef";
  out += escape;
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += Digits[(value >> shift) & 0xFu];
}

void AppendControl(std::string& out, unsigned char c) {
  switch (c) {
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default:
      AppendHex(out, "\\x", c, 2);
  }
}

}  // namespace

std::string EscapedInput(std::string_view text, size_t maxCharacters) {
  std::string out;
  size_t characters = 0;
  while (!text.empty()) {
    if (characters == maxCharacters) {
      out += Ellipsis;
      break;
    }
    ++characters;
    const size_t length = SequenceLength(text);
    const auto lead = static_cast<unsigned char>(text[0]);
    if (length == 0) {
      AppendHex(out, "\\x", lead, 2);
      text.remove_prefix(1);
      continue;
    }
    if (length == 1 && (lead < 0x20 || lead == 0x7F)) {
      AppendControl(out, lead);
    } else if (length == 2 && lead == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0) {
      // U+0080..U+009F: the 8-bit controls, CSI among them.
      AppendHex(out, "\\u00", static_cast<unsigned char>(text[1]), 2);
    } else {
      out.append(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
  return out;
}

std::string QuotedInput(std::string_view text, size_t maxCharacters) {
  return "'" + EscapedInput(text, maxCharacters) + "'";
}

}  // namespace Parlamine
