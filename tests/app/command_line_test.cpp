#include <gtest/gtest.h>

#include "app/command_line.h"

namespace linklab {
namespace {

struct Case {
  std::vector<std::string> arguments;
  CommandLine::Action action;
  std::string script;
  std::string error;
  std::string setup;
};

class CommandLineCase : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineCase, IsReadAsMeant) {
  const CommandLine c = parseCommandLine(GetParam().arguments);
  EXPECT_EQ(c.action, GetParam().action);
  EXPECT_EQ(c.script, GetParam().script);
  EXPECT_EQ(c.error, GetParam().error);
  EXPECT_EQ(c.setup, GetParam().setup);
}

using A = CommandLine::Action;
INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineCase,
    ::testing::Values(Case{{}, A::Window, "", ""}, Case{{"--help"}, A::Help, "", ""},
                      Case{{"--version"}, A::Version, "", ""}, Case{{"--batch"}, A::Batch, "", ""},
                      Case{{"--batch", "run.txt"}, A::Batch, "run.txt", ""},
                      Case{{"--batch", "run.txt", "more"}, A::Misuse, "", "unexpected argument 'more'"},
                      Case{{"--batch", "--help"}, A::Misuse, "", "unknown option '--help'"},
                      Case{{"--bach"}, A::Misuse, "", "unknown option '--bach'"},
                      Case{{"lesson.linklab"}, A::Window, "", "", "lesson.linklab"},
                      Case{{"a.linklab", "b.linklab"}, A::Misuse, "", "unexpected argument 'b.linklab'"},
                      Case{{"--batch", "a.linklab", "b.linklab"}, A::Misuse, "", "unexpected argument 'b.linklab'"}));

}  // namespace
}  // namespace linklab
