#include "app/data_folder.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/file_io.h"
#include "app/named_file.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TempFolder;

TEST(DataFolder, ANewFolderIsFilledOnceAndAFolderOfOwnDataIsKept) {
  TempFolder program, user;
  for (const char* name : kShippedFiles) program.Write(name, std::string("shipped ") + name);
  std::filesystem::remove(program.File("DIRECC.VTR"));  // a missing one is skipped
  AppState app;
  app.programFolder = program.Path();
  const std::string folder = user.File("share/Vetra32");
  EXPECT_TRUE(UseDataFolder(app, folder));
  EXPECT_EQ(app.dataFolder, folder + "/");
  EXPECT_EQ(user.Read("share/Vetra32/RED0201.VTR"), "shipped RED0201.VTR");
  EXPECT_FALSE(user.Exists("share/Vetra32/DIRECC.VTR"));
  EXPECT_FALSE(user.Exists("share/Vetra32/CSCD.WRK"));  // the probe is gone

  // The next run finds DATOSGEN.VTR there and copies nothing again.
  program.Write("JORNADAS.VTR", "changed");
  user.Write("share/Vetra32/BASES.VTR", "own");
  EXPECT_TRUE(UseDataFolder(app, folder + "/"));  // a folder ending in "/" gets no second one
  EXPECT_EQ(app.dataFolder, folder + "/");
  EXPECT_EQ(user.Read("share/Vetra32/JORNADAS.VTR"), "shipped JORNADAS.VTR");
  EXPECT_EQ(user.Read("share/Vetra32/BASES.VTR"), "own");

  FileFaultsForTesting().readOnlyFolders = {user.File("locked")};
  EXPECT_FALSE(UseDataFolder(app, user.File("locked")));
  EXPECT_FALSE(CanWriteFolder(user.File("locked")));
  FileFaultsForTesting() = {};
}

TEST(OpenNamedFile, LeavesAMissingFileToItsCallerAndReportsTheRest) {
  testing::TestState t;
  t.app.fileToOpen = "DIRECC.VTR";
  EXPECT_EQ(OpenNamedFile(t.app), "");
  EXPECT_EQ(t.app.lastFileError, 53);
  EXPECT_TRUE(t.reporter.messages.empty());

  t.app.dataFolder = t.folder.File("gone");
  OpenNamedFile(t.app);
  EXPECT_EQ(t.reporter.messages, std::vector<std::string>{"DIRECC.VTR ERROR 76"});
}

}  // namespace
}  // namespace vetra
