// SPDX-License-Identifier: MIT
// Build-time tool: turns the IEEE registry listing (oui.txt of Debian's
// ieee-data package) into the program's OUI.txt.
//
//   parlamine_oui_generator <ieee oui.txt> <output OUI.txt>
//
// Each output line is "OUI abbrev organisation": six upper-case hexadecimal
// digits, a blank, the abbreviation filled up with blanks to six characters
// (the rule is AbbreviateOrganization in src/numbers/core/OUIList.h), a blank
// and the organisation as registered. Lines are sorted by OUI in byte order,
// the order the search compares, and nothing precedes the data.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "OUIList.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: " << argv[0] << " <ieee oui.txt> <output OUI.txt>\n";
    return 2;
  }
  std::ifstream input(argv[1], std::ios::binary);
  if (!input) {
    std::cerr << argv[0] << ": cannot read " << argv[1] << "\n";
    return 1;
  }
  std::ostringstream registry;
  registry << input.rdbuf();
  const auto entries = Parlamine::ParseIEEERegistry(registry.str());
  if (entries.empty()) {
    std::cerr << argv[0] << ": no OUI entries found in " << argv[1] << "\n";
    return 1;
  }
  // Written beside the target and renamed, so a failed run never leaves a
  // half-written list that the build would take as up to date.
  const std::string target = argv[2];
  const std::string temporary = target + ".tmp";
  {
    std::ofstream output(temporary, std::ios::binary | std::ios::trunc);
    output << Parlamine::BuildOUIText(entries);
    if (!output.flush()) {
      std::cerr << argv[0] << ": cannot write " << temporary << "\n";
      return 1;
    }
  }
  if (std::rename(temporary.c_str(), target.c_str()) != 0) {
    std::cerr << argv[0] << ": cannot rename " << temporary << " to " << target << "\n";
    return 1;
  }
  return 0;
}
