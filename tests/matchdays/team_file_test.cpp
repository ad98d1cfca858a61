#include "matchdays/team_file.h"

#include <gtest/gtest.h>

#include "app/cp1252.h"
#include "app/file_io.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;
using Names = std::vector<std::string>;

TEST(TeamFile, NamesAreWrittenTrimmedOnePerLineAndReadBackAsFields) {
  TestState t;
  const std::string logrones = Utf8ToCp1252("Logroñés");
  WriteTeamList(t.app, {"  Real Madrid ", "Athletic, Bilbao", logrones, "   "});
  EXPECT_EQ(t.app.lastFileError, 0);
  EXPECT_EQ(t.folder.Read("EQUIPOS.VTR"), "Real Madrid\r\nAthletic, Bilbao\r\nLogro\xF1\xE9s\r\n");

  // The comma splits the name in two; the Windows-1252 bytes come back as they were.
  EXPECT_EQ(LoadTeamList(t.app), (Names{"Real Madrid", "Athletic", "Bilbao", logrones}));
  EXPECT_EQ(ReadTeamNames(t.app), (Names{"Real Madrid", "Athletic", "Bilbao", logrones}));
  EXPECT_TRUE(t.reporter.messages.empty());
  EXPECT_EQ(Cp1252ToUtf8(logrones), "Logroñés");
}

TEST(TeamFile, FieldsOfAHandWrittenFile) {
  TestState t;
  t.folder.Write("EQUIPOS.VTR", "  Celta  ,\"Betis, S.A.\"\r\n\r\nSevilla\nOsasuna");
  EXPECT_EQ(LoadTeamList(t.app), (Names{"Celta", "Betis, S.A.", "Sevilla", "Osasuna"}));
  t.folder.Write("EQUIPOS.VTR", "");
  EXPECT_EQ(LoadTeamList(t.app), Names{});
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(TeamFile, AMissingFileIsCreatedOnlyByTheTeamListScreen) {
  TestState t;
  EXPECT_EQ(ReadTeamNames(t.app), Names{});
  ASSERT_EQ(t.reporter.messages.size(), 1u);
  EXPECT_EQ(t.reporter.messages[0], "No se encuentra el fichero de equipos EQUIPOS.VTR.");
  EXPECT_EQ(t.app.lastFileError, 53);
  EXPECT_FALSE(t.folder.Exists("EQUIPOS.VTR"));

  EXPECT_EQ(LoadTeamList(t.app), Names{});
  ASSERT_EQ(t.reporter.messages.size(), 2u);
  EXPECT_EQ(t.reporter.messages[1],
            "No se encuentra el fichero de equipos EQUIPOS.VTR.\r\n"
            "Se ha procedido a crearlo automáticamente con los valores establecidos por defecto.");
  EXPECT_EQ(t.app.lastFileError, 53);
  EXPECT_TRUE(t.folder.Exists("EQUIPOS.VTR"));
  EXPECT_EQ(t.folder.Read("EQUIPOS.VTR"), "");
}

TEST(TeamFile, AFileThatCannotBeReadIsReportedAndLeftAlone) {
  TestState t;
  t.folder.Write("EQUIPOS.VTR/inside", "x");  // a folder where the file should be
  EXPECT_EQ(LoadTeamList(t.app), Names{});
  ASSERT_EQ(t.reporter.messages.size(), 1u);
  EXPECT_EQ(t.reporter.messages[0], "CLE ERROR 75");
  EXPECT_EQ(t.folder.Read("EQUIPOS.VTR/inside"), "x");

  t.app.dataFolder = t.folder.File("gone");
  ReadTeamNames(t.app);
  ASSERT_EQ(t.reporter.messages.size(), 2u);
  EXPECT_EQ(t.reporter.messages[1], "CCE ERROR 76: No existe el fichero de equipos EQUIPOS.VTR");
}

TEST(TeamFile, AFailedSaveIsReportedAndKeepsThePreviousList) {
  TestState t;
  t.folder.Write("EQUIPOS.VTR", "Betis\r\nCelta\r\n");
  FileFaultsForTesting().readOnlyFolders = {t.folder.Path()};
  WriteTeamList(t.app, {"Osasuna"});
  FileFaultsForTesting() = {};
  FileFaultsForTesting().bytesBeforeDiskFull = 3;
  WriteTeamList(t.app, {"Osasuna"});
  FileFaultsForTesting() = {};
  EXPECT_EQ(t.reporter.messages, (Names{"ELE ERROR 70", "ELE ERROR 61"}));
  EXPECT_EQ(t.app.lastFileError, 61);
  EXPECT_EQ(t.folder.Read("EQUIPOS.VTR"), "Betis\r\nCelta\r\n");
}

}  // namespace
}  // namespace vetra
