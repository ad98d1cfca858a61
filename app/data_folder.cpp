#include "app/data_folder.h"

#include <filesystem>

#include "app/app_state.h"
#include "app/file_io.h"

namespace vetra {

std::string WithSeparator(const std::string& folder) {
  return (!folder.empty() && folder.back() == '/') ? folder : folder + "/";
}

std::string DataFilePath(const AppState& app, const std::string& name) { return WithSeparator(app.dataFolder) + name; }

void PrepareDataFolder(AppState& app, const std::string& systemDirectory) {
  const std::string probe = WithSeparator(app.dataFolder) + "CSCD.WRK";
  if (WriteFileReplacing(probe, "") == 0) {
    RemoveFile(probe);
    return;
  }
  const std::string source = WithSeparator(app.dataFolder);
  app.dataFolder = WithSeparator(systemDirectory) + "Temp/Zyrd/";
  CreateFolder(app.dataFolder);
  if (FileExists(app.dataFolder + "DATOSGEN.VTR")) return;
  for (const char* name : kShippedFiles) CopyFileTo(source + name, app.dataFolder + name);
}

}  // namespace vetra
