// SPDX-License-Identifier: MIT
// JSON output helpers: one document per command, numbers as numbers.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace Parlamine {

class TBufferedWriter;
using TJson = nlohmann::ordered_json;

// The double whose shortest text equals the float's shortest text, so that a
// 32-bit delay of 0.281 reads 0.281 in JSON, not 0.28099998831748962.
double FloatAsShortestDouble(float value);

// A count or length as JSON has it: a number while every JSON reader holds
// it exactly (up to 2^53), beyond that a string of its decimal digits
// ("340282366920938463463374607431768211456"). `digits` has no separators.
TJson CountJson(const std::string& digits);

// The document, indented by two, and a line end. Texts that are not UTF-8
// (an odd byte in a registry) are written with replacement characters.
void WriteJsonDocument(TBufferedWriter& out, const TJson& document);
// One compact line (JSON lines).
void WriteJsonLine(TBufferedWriter& out, const TJson& document);

}  // namespace Parlamine
