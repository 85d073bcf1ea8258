// SPDX-License-Identifier: MIT
// Failed comparisons of QStrings print the text, not its UTF-16 units.
#pragma once

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
