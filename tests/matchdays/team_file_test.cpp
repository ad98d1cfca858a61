#include "matchdays/team_file.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;
using Names = std::vector<std::string>;

TEST(TeamFile, NamesAreWrittenTrimmedOnePerLineAndReadBackAsFields) {
  TestState t;
  WriteTeamList(t.app, {"  Real Madrid ", "Athletic, Bilbao", "Logro\xF1\xE9s", "   "});
  EXPECT_EQ(t.folder.Read("EQUIPOS.VTR"), "Real Madrid\r\nAthletic, Bilbao\r\nLogro\xF1\xE9s\r\n");
  // The comma splits the name in two.
  EXPECT_EQ(ReadTeamNames(t.app), (Names{"Real Madrid", "Athletic", "Bilbao", "Logro\xF1\xE9s"}));

  t.folder.Write("EQUIPOS.VTR", "  Celta  ,\"Betis, S.A.\"\r\n\r\nSevilla\nOsasuna");
  EXPECT_EQ(LoadTeamList(t.app), (Names{"Celta", "Betis, S.A.", "Sevilla", "Osasuna"}));
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(TeamFile, AMissingFileIsCreatedOnlyByTheTeamListScreen) {
  TestState t;
  EXPECT_EQ(ReadTeamNames(t.app), Names{});
  EXPECT_EQ(t.reporter.messages.size(), 1u);
  EXPECT_EQ(t.app.lastFileError, 53);
  EXPECT_FALSE(t.folder.Exists("EQUIPOS.VTR"));

  EXPECT_EQ(LoadTeamList(t.app), Names{});
  EXPECT_EQ(t.reporter.messages.size(), 2u);
  EXPECT_EQ(t.folder.Read("EQUIPOS.VTR"), "");
  EXPECT_TRUE(t.folder.Exists("EQUIPOS.VTR"));
}

TEST(TeamFile, AFileThatCannotBeReadIsReportedAndLeftAlone) {
  TestState t;
  t.folder.Write("EQUIPOS.VTR/inside", "x");  // a folder where the file should be
  EXPECT_EQ(LoadTeamList(t.app), Names{});
  EXPECT_EQ(t.folder.Read("EQUIPOS.VTR/inside"), "x");
  EXPECT_EQ(t.reporter.messages, Names{"CLE ERROR 75"});
}

}  // namespace
}  // namespace vetra
