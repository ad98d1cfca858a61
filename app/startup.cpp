#include "app/startup.h"

#include <QApplication>
#include <cstdio>
#include <filesystem>

#include "app/app_state.h"
#include "app/command_line.h"
#include "app/data_folder.h"
#include "app/file_io.h"
#include "app/folder_hold.h"
#include "app/pointers.h"
#include "app/vetra.h"
#include "platform/folder_lock.h"
#include "platform/message_box.h"
#include "platform/program_folder.h"
#include "platform/system_folders.h"
#include "reductions/reduction_store.h"

namespace vetra {

bool PrepareDataFolder(AppState& app, const std::string& programFolder, const std::string& chosen) {
  app.programFolder = ShippedFolder(programFolder);
  if (!chosen.empty()) return UseDataFolder(app, std::filesystem::absolute(chosen).string());
  // An installed program never writes beside itself, even when run by root.
  const bool installed = app.programFolder != programFolder;
  if (installed || !CanWriteFolder(programFolder))
    UseDataFolder(app, UserDataFolder());
  else
    app.dataFolder = programFolder;
  return true;
}

int Main(int argc, char** argv) {
  // --help and --version need no display: they are answered before the
  // toolkit starts.
  const CommandLine line = ParseCommandLine({argv + 1, argv + argc});
  switch (line.action) {
    case CommandLine::Action::kHelp:
      std::fputs(UsageText().c_str(), stdout);
      return 0;
    case CommandLine::Action::kVersion:
      std::fputs(VersionText().c_str(), stdout);
      return 0;
    case CommandLine::Action::kError:
      std::fprintf(stderr, "vetra32: %s\nvetra32 --help muestra las opciones.\n", line.error.c_str());
      return 2;
    case CommandLine::Action::kRun:
      break;
  }
  QApplication application(argc, argv);
  AppState app;
  MessageBoxReporter reporter;
  app.reporter = &reporter;
  app.lineBreak = "\r\n";
  if (!PrepareDataFolder(app, ProgramFolder(), line.dataFolder)) {
    std::fprintf(stderr, "vetra32: no se puede escribir en la carpeta de datos %s\n", app.dataFolder.c_str());
    return 1;
  }
  FolderLock lock(app.dataFolder);  // held until the program ends
  if (!HoldDataFolder(app, lock)) return 0;
  FinishInterruptedRuns(app);
  MainMenu menu(app);
  if (IsProtected(app.dataFolder)) menu.setWindowTitle(QStringLiteral("Vetra32 (solo consulta)"));
  menu.show();
  ShowNormalPointer();
  return application.exec();
}

}  // namespace vetra
