// SPDX-License-Identifier: MIT
#include "RandomCommand.h"

#include "JsonNumbers.h"
#include "RandomPrefix.h"

namespace Parlamine {

int RunRandomCommand(const TRandomOptions& o, TCommandIO& io) {
  const TAddressFamily family = o.IPv6 ? TAddressFamily::afIPv6 : TAddressFamily::afIPv4;
  const int shortest = o.IPv6 ? MinRandomIPv6Length : MinRandomIPv4Length;
  int length = o.IPv6 ? 48 : 24;
  if (o.Length) {
    std::string text = *o.Length;
    if (!text.empty() && text[0] == '/') text.erase(0, 1);
    length = static_cast<int>(ParseWholeNumber("LENGTH", text, shortest, AddressBits(family)));
  }
  const TPrefix prefix = *RandomPrivatePrefix(family, length);
  if (o.Json) {
    TJson doc;
    doc["prefix"] = PrefixText(prefix);
    WriteJsonDocument(io.Out, doc);
  } else {
    io.Out.Write(PrefixText(prefix) + "\n");
  }
  return ExitAnswered;
}

}  // namespace Parlamine
