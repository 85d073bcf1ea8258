// SPDX-License-Identifier: MIT
// Input echoed in a message: a pasted megabyte or a terminal control
// sequence must neither flood nor steer the screen, and a message stays one
// line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Parlamine {

// Characters of input a message quotes before it cuts the rest off with "…".
inline constexpr size_t MaxQuotedCharacters = 64;

// The text as it may stand in a one-line message: control characters written
// as escapes (\n, \r, \t, \x1b, \u009b for the 8-bit ones), bytes that are no
// UTF-8 as \xHH, and everything after `maxCharacters` characters replaced by
// "…".
std::string EscapedInput(std::string_view text, size_t maxCharacters = MaxQuotedCharacters);

// The same in single quotes: "'10.0.0.300'".
std::string QuotedInput(std::string_view text, size_t maxCharacters = MaxQuotedCharacters);

}  // namespace Parlamine
