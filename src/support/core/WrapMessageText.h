// SPDX-License-Identifier: MIT
// Word-wrapping of message-box texts, shared by every calculator.
#pragma once

#include <string>

namespace Parlamine {

// Breaks the text into lines of at most maxColumn characters where it can:
// after the last white-space character before the column is exceeded. The
// white space after a break is dropped, CR LF already in the text is kept, no
// break is made inside text enclosed in single or double quotes, and a word
// longer than a line stays whole. Breaks are written as CR LF.
std::string WrapMessageText(const std::string& text, int maxColumn);

}  // namespace Parlamine
