// SPDX-License-Identifier: MIT
// Runs parlamine-cli in-process on an argument list and keeps what it wrote.
#pragma once

#include <string>
#include <vector>

namespace Parlamine {

struct TCliResult {
  int ExitCode = -1;
  std::string Out;
  std::string Err;
};

// `input` is what the command reads from standard input.
TCliResult RunCli(const std::vector<std::string>& arguments, const std::string& input = {});

// The folder of the small IEEE listings the tests use.
std::string TestRegistryFolder();

}  // namespace Parlamine
