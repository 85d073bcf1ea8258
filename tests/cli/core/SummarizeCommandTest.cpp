// SPDX-License-Identifier: MIT
// `summarize` over files: what it refuses, what it skips and how it names bad
// lines.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "CliTestSupport.h"
#include "PrefixSummarize.h"

namespace Parlamine {
namespace {

namespace fs = std::filesystem;

class SummarizeFiles : public testing::Test {
 protected:
  void SetUp() override {
    FFolder = fs::temp_directory_path() / ("parlamine-summarize-" + std::to_string(::getpid()));
    fs::create_directories(FFolder);
  }
  void TearDown() override { fs::remove_all(FFolder); }
  std::string File(const std::string& name, const std::string& text) const {
    const fs::path path = FFolder / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }
  fs::path FFolder;
};

TEST_F(SummarizeFiles, AFolderOrAMissingFileIsRefused) {
  const std::string good = File("good.txt", "10.0.0.0/24\n");
  const std::string folder = FFolder.string();
  const std::string missing = (FFolder / "missing.txt").string();
  const struct {
    std::string Path;
    std::string Error;
  } cases[] = {
      {folder, "parlamine-cli: FILE: " + folder + " cannot be read (Is a directory)\n"},
      {missing, "parlamine-cli: FILE: " + missing + " cannot be read (No such file or directory)\n"},
  };
  for (const auto& c : cases) {
    const TCliResult r = RunCli({"summarize", good, c.Path});
    EXPECT_EQ(r.ExitCode, 2) << c.Path;
    EXPECT_EQ(r.Out, "") << c.Path;
    EXPECT_EQ(r.Err, c.Error);
  }
}

TEST_F(SummarizeFiles, AByteOrderMarkBeforeTheFirstLineIsSkipped) {
  const std::string marked = File("marked.txt",
                                  "\xEF\xBB\xBF"
                                  "10.0.0.0/24\r\n10.0.1.0/24\r\n");
  const TCliResult fromFile = RunCli({"summarize", marked});
  EXPECT_EQ(fromFile.ExitCode, 0) << fromFile.Err;
  EXPECT_EQ(fromFile.Out, "10.0.0.0/23\n");
  const TCliResult fromInput = RunCli({"summarize"},
                                      "\xEF\xBB\xBF"
                                      "2001:db8::/33\n2001:db8:8000::/33");
  EXPECT_EQ(fromInput.ExitCode, 0) << fromInput.Err;
  EXPECT_EQ(fromInput.Out, "2001:db8::/32\n");
}

TEST_F(SummarizeFiles, BadLinesOfSeveralFilesNameTheFile) {
  const std::string a = File("a.txt", "10.0.0.0/24\nnope\n");
  const std::string b = File("b.txt", "\n10.0.1.0/24\n10.0.0.0/33");
  const TCliResult text = RunCli({"summarize", a, b});
  EXPECT_EQ(text.ExitCode, 2);
  EXPECT_EQ(text.Out, "10.0.0.0/23\n");
  EXPECT_EQ(text.Err, "parlamine-cli: summarize: " + a +
                          ": Line 2: 'nope' is neither an IPv4 nor an IPv6 address\n"
                          "parlamine-cli: summarize: " +
                          b + ": Line 3: The prefix length 33 is more than 32, the longest for IPv4\n");
  const nlohmann::json errors = nlohmann::json::parse(RunCli({"summarize", "--json", a, b}).Out)["errors"];
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1],
            nlohmann::json({{"file", b},
                            {"line", 3},
                            {"message", "The prefix length 33 is more than 32, the longest for IPv4"}}));
  // One file is named in the command already.
  EXPECT_EQ(RunCli({"summarize", a}).Err,
            "parlamine-cli: summarize: Line 2: 'nope' is neither an IPv4 nor an IPv6 address\n");
}

// The document is streamed; it must read as the one nlohmann-json writes.
TEST(SummarizeCommand, JsonIsTheDocumentNlohmannWrites) {
  const std::string inputs[] = {"", "bad\n", "10.0.0.0/24\n2001:db8::1\n", "10.0.0.0/24\nbad\n::/0\nx y\n"};
  for (const std::string& input : inputs) {
    const TCliResult r = RunCli({"summarize", "--json"}, input);
    const TSummary summary = SummarizeText(input);
    nlohmann::ordered_json expected;
    expected["prefixes"] = nlohmann::ordered_json::array();
    for (const TPrefix& prefix : summary.Prefixes) expected["prefixes"].push_back(PrefixText(prefix));
    expected["errors"] = nlohmann::ordered_json::array();
    for (const TSummaryLineError& error : summary.Errors)
      expected["errors"].push_back({{"line", error.LineNumber}, {"message", error.Message}});
    EXPECT_EQ(r.Out, expected.dump(2) + "\n") << input;
  }
}

}  // namespace
}  // namespace Parlamine
