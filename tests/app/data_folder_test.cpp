#include "app/data_folder.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/file_io.h"
#include "app/named_file.h"
#include "app/wait.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TempFolder;

class DataFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kShippedFiles) program.Write(name, std::string("shipped ") + name);
    app.dataFolder = program.Path();
  }
  void TearDown() override { FileFaultsForTesting() = {}; }
  void MakeProgramFolderReadOnly() { FileFaultsForTesting().readOnlyFolders = {program.Path()}; }

  TempFolder program;
  TempFolder system;
  AppState app;
};

TEST_F(DataFolderTest, AWritableProgramFolderIsTheDataFolderAndKeepsNoProbe) {
  PrepareDataFolder(app, system.Path());
  EXPECT_EQ(app.dataFolder, program.Path());
  EXPECT_FALSE(program.Exists("CSCD.WRK"));
  EXPECT_FALSE(program.Exists("CSCD.WRK.~tmp"));
  EXPECT_FALSE(system.Exists("Temp"));
}

TEST_F(DataFolderTest, AReadOnlyProgramFolderFillsTheFallbackOnce) {
  MakeProgramFolderReadOnly();
  PrepareDataFolder(app, system.Path());
  EXPECT_EQ(app.dataFolder, system.Path() + "/Temp/Zyrd/");
  for (const char* name : kShippedFiles)
    EXPECT_EQ(system.Read(std::string("Temp/Zyrd/") + name), std::string("shipped ") + name);
  EXPECT_FALSE(program.Exists("CSCD.WRK"));

  // The second run finds DATOSGEN.VTR there and copies nothing again.
  program.Write("JORNADAS.VTR", "changed");
  system.Write("Temp/Zyrd/BASES.VTR", "user's own");
  app.dataFolder = program.Path();
  PrepareDataFolder(app, system.Path());
  EXPECT_EQ(app.dataFolder, system.Path() + "/Temp/Zyrd/");
  EXPECT_EQ(system.Read("Temp/Zyrd/JORNADAS.VTR"), "shipped JORNADAS.VTR");
  EXPECT_EQ(system.Read("Temp/Zyrd/BASES.VTR"), "user's own");
}

TEST_F(DataFolderTest, AMissingShippedFileIsSkipped) {
  std::filesystem::remove(program.File("DIRECC.VTR"));
  MakeProgramFolderReadOnly();
  PrepareDataFolder(app, system.Path() + "/");  // a system folder ending in "/" gets no second one
  EXPECT_EQ(app.dataFolder, system.Path() + "/Temp/Zyrd/");
  EXPECT_FALSE(system.Exists("Temp/Zyrd/DIRECC.VTR"));
  EXPECT_TRUE(system.Exists("Temp/Zyrd/RED0201.VTR"));
  EXPECT_TRUE(system.Exists("Temp/Zyrd/DATOSGEN.VTR"));
}

TEST(DataFilePath, JoinsWithOneSeparator) {
  AppState app;
  app.dataFolder = "/opt/vetra";
  EXPECT_EQ(DataFilePath(app, "BASES.VTR"), "/opt/vetra/BASES.VTR");
  app.dataFolder = "/var/tmp/Temp/Zyrd/";
  EXPECT_EQ(DataFilePath(app, "BASES.VTR"), "/var/tmp/Temp/Zyrd/BASES.VTR");
}

TEST(OpenNamedFile, LeavesAMissingFileToItsCallerAndReportsTheRest) {
  testing::TestState t;
  t.folder.Write("EQUIPOS.VTR", "Betis\r\n");
  t.app.fileToOpen = "EQUIPOS.VTR";
  EXPECT_EQ(OpenNamedFile(t.app), "Betis\r\n");
  EXPECT_EQ(t.app.lastFileError, 0);

  t.app.fileToOpen = "DIRECC.VTR";
  EXPECT_EQ(OpenNamedFile(t.app), "");
  EXPECT_EQ(t.app.lastFileError, 53);
  EXPECT_TRUE(t.reporter.messages.empty());

  t.app.dataFolder = t.folder.File("gone");
  OpenNamedFile(t.app);
  EXPECT_EQ(t.app.lastFileError, 76);
  EXPECT_EQ(t.reporter.messages, std::vector<std::string>{"DIRECC.VTR ERROR 76"});
}

TEST(WaitMilliseconds, ReturnsOnlyAfterTheTicksHavePassed) {
  const std::uint32_t start = TickMilliseconds();
  WaitMilliseconds(0);
  WaitMilliseconds(3);
  EXPECT_GE(TickMilliseconds() - start, 4u);
}

}  // namespace
}  // namespace vetra
