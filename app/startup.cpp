#include "app/startup.h"

#include <QApplication>

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/pointers.h"
#include "app/vetra.h"
#include "platform/message_box.h"
#include "platform/program_folder.h"
#include "platform/system_folders.h"

namespace vetra {

int Main(int argc, char** argv) {
  QApplication application(argc, argv);
  AppState app;
  MessageBoxReporter reporter;
  app.reporter = &reporter;
  app.lineBreak = "\r\n";
  app.programFolder = ProgramFolder();
  app.dataFolder = app.programFolder;
  PrepareDataFolder(app, SystemDirectory(app));
  MainMenu menu(app);
  menu.show();
  ShowNormalPointer();
  return application.exec();
}

}  // namespace vetra
