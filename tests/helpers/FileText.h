// SPDX-License-Identifier: MIT
// Whole files as bytes, for tests that look at what the program wrote or
// hand it a file of their own. Plain C++: core tests use it too.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace ParlamineTest {

inline std::string ReadFile(const std::filesystem::path& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

inline void WriteFile(const std::filesystem::path& name, const std::string& text) {
  std::ofstream(name, std::ios::binary) << text;
}

}  // namespace ParlamineTest
