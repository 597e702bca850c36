// The program's arguments: the action they ask for, the script or setup they name, or the misuse.
#include "app/command_line.h"
#include "batch/script_run.h"

namespace linklab {
namespace {

TEST(CommandLine, IsReadAsMeant) {
  using A = CommandLine::Action;
  for (const auto& [arguments, action, script, error, setup] :
       std::vector<std::tuple<std::vector<std::string>, A, std::string, std::string, std::string>>{
           {{}, A::Window, "", "", ""}, {{"--help"}, A::Help, "", "", ""}, {{"--version"}, A::Version, "", "", ""},
           {{"--batch"}, A::Batch, "", "", ""}, {{"--batch", "run.txt"}, A::Batch, "run.txt", "", ""},
           {{"--batch", "run.txt", "more"}, A::Misuse, "", "unexpected argument 'more'", ""},
           {{"--batch", "--help"}, A::Misuse, "", "unknown option '--help'", ""},
           {{"--bach"}, A::Misuse, "", "unknown option '--bach'", ""},
           {{"lesson.linklab"}, A::Window, "", "", "lesson.linklab"},
           {{"a.linklab", "b.linklab"}, A::Misuse, "", "unexpected argument 'b.linklab'", ""},
           {{"--batch", "a.linklab", "b.linklab"}, A::Misuse, "", "unexpected argument 'b.linklab'", ""}}) {
    SCOPED_TRACE(::testing::PrintToString(arguments));
    const CommandLine c = parseCommandLine(arguments);
    EXPECT_EQ(c.action, action);
    EXPECT_EQ(c.script + "|" + c.error + "|" + c.setup, script + "|" + error + "|" + setup);
  }
}

}  // namespace
}  // namespace linklab
