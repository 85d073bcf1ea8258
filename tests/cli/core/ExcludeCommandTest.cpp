// SPDX-License-Identifier: MIT
// `exclude`, worked out by hand bit by bit.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTestSupport.h"

namespace Parlamine {
namespace {

TEST(ExcludeCommand, ArgumentsOrStandardInput) {
  const struct {
    std::vector<std::string> Arguments;
    std::string Input, Out;
  } cases[] = {
      {{"exclude", "10.0.0.0/8", "10.1.0.0/16"},
       "",
       "10.0.0.0/16\n10.2.0.0/15\n10.4.0.0/14\n10.8.0.0/13\n10.16.0.0/12\n10.32.0.0/11\n10.64.0.0/10\n"
       "10.128.0.0/9\n"},
      {{"exclude", "192.0.2.0 - 192.0.2.127", "192.0.2.0/26", "192.0.2.64-192.0.2.95"},
       "",
       "192.0.2.96/27\n"},
      {{"exclude", "2001:db8::/32"}, "2001:db8::/33\n\n2001:db8:c000::/34\n", "2001:db8:8000::/34\n"},
      {{"exclude", "192.0.2.0/24", "192.0.2.0/24"}, "", ""},
  };
  for (const auto& c : cases) {
    const TCliResult r = RunCli(c.Arguments, c.Input);
    EXPECT_EQ(r.ExitCode, 0) << c.Arguments[1] << ": " << r.Err;
    EXPECT_EQ(r.Out, c.Out) << c.Arguments[1];
  }
}

TEST(ExcludeCommand, BadInputIsNamed) {
  const TCliResult badFrom = RunCli({"exclude", "10.0.0.0/33", "10.0.0.0/9"});
  EXPECT_EQ(badFrom.ExitCode, 2);
  EXPECT_EQ(badFrom.Err.rfind("parlamine-cli: FROM: ", 0), 0u) << badFrom.Err;
  const TCliResult badArgument = RunCli({"exclude", "10.0.0.0/8", "10.0.0.0/9", "x"});
  EXPECT_EQ(badArgument.ExitCode, 2);
  EXPECT_EQ(badArgument.Out, "");
  EXPECT_EQ(badArgument.Err.rfind("parlamine-cli: EXCLUDED: ", 0), 0u) << badArgument.Err;
  // A bad line is reported; the others still apply.
  const TCliResult badLine = RunCli({"exclude", "10.0.0.0/8", "--json"}, "10.0.0.0/9\nbad\n");
  EXPECT_EQ(badLine.ExitCode, 2);
  const nlohmann::json doc = nlohmann::json::parse(badLine.Out);
  EXPECT_EQ(doc["prefixes"], nlohmann::json({"10.128.0.0/9"}));
  EXPECT_EQ(doc["errors"][0]["line"], 2);
  EXPECT_EQ(badLine.Err, "parlamine-cli: exclude: Line 2: 'bad' is neither an IPv4 nor an IPv6 address\n");
}

}  // namespace
}  // namespace Parlamine
