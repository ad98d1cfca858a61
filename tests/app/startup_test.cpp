// The choice of the data folder at start-up, for a program in its build tree,
// an installed one and one told where its data are; each user with their own.
#include <QTest>
#include <filesystem>

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/file_io.h"
#include "app/startup.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace fs = std::filesystem;

namespace {

void WriteShipped(const testing::TempFolder& folder, const std::string& subfolder) {
  for (const char* name : kShippedFiles) folder.Write(subfolder + name, std::string("shipped ") + name);
  folder.Write(subfolder + "VETRA32.CHM", "help");
}

// Chooses for the user whose $XDG_DATA_HOME is `dataHome`.
void ChooseAs(AppState& app, const std::string& dataHome, const std::string& programFolder,
              const std::string& chosen = "") {
  qputenv("XDG_DATA_HOME", dataHome.c_str());
  QVERIFY(PrepareDataFolder(app, programFolder, chosen));
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void AProgramWithItsDataBesideItKeepsThemThereUnlessItCannotWrite() {
    testing::TempFolder program, home;
    WriteShipped(program, "");
    AppState app;
    ChooseAs(app, home.Path(), program.Path());
    QCOMPARE(app.dataFolder, program.Path());
    QCOMPARE(app.programFolder, program.Path());
    QVERIFY(!program.Exists("CSCD.WRK"));
    QVERIFY(fs::is_empty(home.Path()));

    FileFaultsForTesting().readOnlyFolders = {program.Path()};
    ChooseAs(app, home.Path(), program.Path());
    FileFaultsForTesting() = {};
    QCOMPARE(app.dataFolder, home.File("Vetra32") + "/");
    QCOMPARE(home.Read("Vetra32/BASES.VTR"), std::string("shipped BASES.VTR"));
  }

  // Even where the bin folder can be written (root, or a prefix in the home),
  // an installed program seeds each user's own folder from its share folder.
  void AnInstalledProgramGivesEveryUserTheirOwnFolderFilledOnce() {
    testing::TempFolder prefix, ana, luis;
    WriteShipped(prefix, "share/vetra32/");
    prefix.Write("bin/vetra32", "");
    const std::string bin = prefix.File("bin");

    AppState app;
    ChooseAs(app, ana.Path(), bin);
    QCOMPARE(app.dataFolder, ana.File("Vetra32") + "/");
    QCOMPARE(fs::canonical(app.programFolder), fs::canonical(prefix.File("share/vetra32")));
    QCOMPARE(ana.Read("Vetra32/RED0201.VTR"), std::string("shipped RED0201.VTR"));
    QCOMPARE(fs::status(ana.File("Vetra32")).permissions() & fs::perms::all, fs::perms::owner_all);
    QVERIFY(!prefix.Exists("bin/DATOSGEN.VTR") && !prefix.Exists("bin/CSCD.WRK"));

    ana.Write("Vetra32/RED0301.VTR", "ana's");
    ana.Write("Vetra32/JORNADAS.VTR", "ana's");
    ChooseAs(app, luis.Path(), bin);
    QCOMPARE(app.dataFolder, luis.File("Vetra32") + "/");
    QVERIFY(!luis.Exists("Vetra32/RED0301.VTR"));
    QCOMPARE(luis.Read("Vetra32/JORNADAS.VTR"), std::string("shipped JORNADAS.VTR"));

    prefix.Write("share/vetra32/JORNADAS.VTR", "a newer package");
    ChooseAs(app, ana.Path(), bin);  // filled once: later starts copy nothing
    QCOMPARE(ana.Read("Vetra32/JORNADAS.VTR"), std::string("ana's"));
  }

  void AFolderNamedOnTheCommandLineIsCreatedAndFilledWhenNew() {
    testing::TempFolder program, home, group;
    WriteShipped(program, "");
    const fs::path before = fs::current_path();
    fs::current_path(group.Path());
    AppState app;
    ChooseAs(app, home.Path(), program.Path(), "peña/datos");  // relative to where it is started
    fs::current_path(before);
    QCOMPARE(app.dataFolder, group.File("peña/datos") + "/");
    QCOMPARE(group.Read("peña/datos/BASES.VTR"), std::string("shipped BASES.VTR"));

    group.Write("peña/datos/BASES.VTR", "the group's");
    ChooseAs(app, home.Path(), program.Path(), group.File("peña/datos"));
    QCOMPARE(group.Read("peña/datos/BASES.VTR"), std::string("the group's"));
    QVERIFY(fs::is_empty(home.Path()));
    QVERIFY(!program.Exists("CSCD.WRK"));
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::StartupTest)
#include "startup_test.moc"
