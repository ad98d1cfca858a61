#include "app/data_folder.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/file_io.h"
#include "app/named_file.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TempFolder;

TEST(DataFolder, OnlyAReadOnlyProgramFolderMovesTheDataToTheFallbackFilledOnce) {
  TempFolder program, system;
  for (const char* name : kShippedFiles) program.Write(name, std::string("shipped ") + name);
  std::filesystem::remove(program.File("DIRECC.VTR"));  // a missing one is skipped
  AppState app;
  app.dataFolder = program.Path();
  PrepareDataFolder(app, system.Path());
  EXPECT_EQ(app.dataFolder, program.Path());
  EXPECT_FALSE(program.Exists("CSCD.WRK"));  // the probe is gone
  EXPECT_FALSE(system.Exists("Temp"));

  FileFaultsForTesting().readOnlyFolders = {program.Path()};
  PrepareDataFolder(app, system.Path() + "/");  // a folder ending in "/" gets no second one
  EXPECT_EQ(app.dataFolder, system.Path() + "/Temp/Zyrd/");
  EXPECT_EQ(system.Read("Temp/Zyrd/RED0201.VTR"), "shipped RED0201.VTR");
  EXPECT_FALSE(system.Exists("Temp/Zyrd/DIRECC.VTR"));

  // The next run finds DATOSGEN.VTR there and copies nothing again.
  program.Write("JORNADAS.VTR", "changed");
  app.dataFolder = program.Path();
  PrepareDataFolder(app, system.Path());
  FileFaultsForTesting() = {};
  EXPECT_EQ(app.dataFolder, system.Path() + "/Temp/Zyrd/");
  EXPECT_EQ(system.Read("Temp/Zyrd/JORNADAS.VTR"), "shipped JORNADAS.VTR");
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
