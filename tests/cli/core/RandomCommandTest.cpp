// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "AddressTypes.h"
#include "CliTestSupport.h"

namespace Parlamine {
namespace {

TEST(RandomCommand, PrivatePrefixOfTheLengthAsked) {
  const struct {
    std::vector<std::string> Arguments;
    std::string Length, Type;
  } cases[] = {
      {{"random"}, "/24", "Private use (RFC 1918)"},
      {{"random", "/20"}, "/20", "Private use (RFC 1918)"},
      {{"random", "--ipv6"}, "/48", "Unique local (RFC 4193)"},
      {{"random", "--ipv6", "64"}, "/64", "Unique local (RFC 4193)"},
  };
  for (const auto& c : cases) {
    const TCliResult r = RunCli(c.Arguments);
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const std::string text = r.Out.substr(0, r.Out.size() - 1);
    const TPrefixParse parsed = ParsePrefix(text);
    ASSERT_TRUE(parsed.Ok) << r.Out;
    EXPECT_EQ(text.substr(text.find('/')), c.Length);
    EXPECT_EQ(parsed.Address, parsed.Prefix().Network) << text;  // no host bits
    EXPECT_EQ(AddressTypeText(parsed.Prefix()), c.Type) << text;
  }
  const nlohmann::json doc = nlohmann::json::parse(RunCli({"random", "16", "--json"}).Out);
  EXPECT_TRUE(ParsePrefix(doc["prefix"].get<std::string>()).Ok);
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"random", "7"}, {"random", "33"}, {"random", "--ipv6", "47"}})
    EXPECT_EQ(RunCli(bad).ExitCode, 2) << bad.back();
}

}  // namespace
}  // namespace Parlamine
