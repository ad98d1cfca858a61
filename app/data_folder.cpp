#include "app/data_folder.h"

#include "app/app_state.h"
#include "app/file_io.h"

namespace vetra {

bool CanWriteFolder(const std::string& folder) {
  const std::string probe = WithSeparator(folder) + "CSCD.WRK";
  if (WriteFileReplacing(probe, "") != 0) return false;
  RemoveFile(probe);
  return true;
}

std::string WithSeparator(const std::string& folder) {
  return (!folder.empty() && folder.back() == '/') ? folder : folder + "/";
}

std::string DataFilePath(const AppState& app, const std::string& name) { return WithSeparator(app.dataFolder) + name; }

bool UseDataFolder(AppState& app, const std::string& folder) {
  app.dataFolder = WithSeparator(folder);
  CreateFolder(app.dataFolder);
  if (!FileExists(app.dataFolder + "DATOSGEN.VTR")) {
    const std::string source = WithSeparator(app.programFolder);
    for (const char* name : kShippedFiles) CopyFileTo(source + name, app.dataFolder + name);
  }
  return CanWriteFolder(app.dataFolder);
}

}  // namespace vetra
