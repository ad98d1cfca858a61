#include "app/command_line.h"

#include <gtest/gtest.h>

namespace vetra {
namespace {

using Action = CommandLine::Action;

TEST(CommandLine, TakesItsOwnOptionsLeavesTheToolkitsAndRefusesTheRest) {
  EXPECT_EQ(ParseCommandLine({}).action, Action::kRun);
  CommandLine line = ParseCommandLine({"-platform", "offscreen", "--data", "/srv/peña", "-reverse"});
  EXPECT_EQ(line.action, Action::kRun);
  EXPECT_EQ(line.dataFolder, "/srv/peña");
  EXPECT_EQ(ParseCommandLine({"--data=datos"}).dataFolder, "datos");

  EXPECT_EQ(ParseCommandLine({"--version", "--help"}).action, Action::kHelp);  // help wins, whatever the order
  EXPECT_EQ(ParseCommandLine({"--help", "--version"}).action, Action::kHelp);
  EXPECT_EQ(ParseCommandLine({"--data", "x", "--version"}).action, Action::kVersion);

  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"--data"}, {"--data="}, {"--dat", "x"}, {"datos"}, {"--help", "--bogus"}}) {
    line = ParseCommandLine(wrong);
    EXPECT_EQ(line.action, Action::kError) << wrong.front();
    EXPECT_FALSE(line.error.empty());
  }
}

}  // namespace
}  // namespace vetra
