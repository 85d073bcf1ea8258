// SPDX-License-Identifier: MIT
// What a command gets to work with: its output and error writers and, for
// the commands that read lines, the standard input.
#pragma once

#include <istream>

#include "BufferedWriter.h"

namespace Parlamine {

struct TCommandIO {
  TBufferedWriter& Out;
  TBufferedWriter& Err;
  std::istream* In = nullptr;
  // The standard input is a pipe or a terminal, not a file: a command that
  // answers lines of it hands each answer on at once (`tail -f log | ...`).
  bool AnswerEachLine = false;
};

// Exit codes: 0 answered, 1 no match (an address without an owner), 2 usage
// or bad input, 3 the answer could not be written (a full disk).
inline constexpr int ExitAnswered = 0;
inline constexpr int ExitNoMatch = 1;
inline constexpr int ExitBadInput = 2;
inline constexpr int ExitOutputFailed = 3;

}  // namespace Parlamine
