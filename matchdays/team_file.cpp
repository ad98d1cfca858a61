#include "matchdays/team_file.h"

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/file_errors.h"
#include "app/file_io.h"
#include "app/list_file.h"
#include "matchdays/matchday_file.h"

namespace vetra {
namespace {

constexpr const char* kMissing = "No se encuentra el fichero de equipos EQUIPOS.VTR.";
constexpr const char* kPathMissing = "No existe el fichero de equipos EQUIPOS.VTR";

std::vector<std::string> ReadTeams(AppState& app, const FileRoutine& routine, bool createMissing) {
  app.lastFileError = 0;
  std::vector<std::string> names;
  const std::string path = DataFilePath(app, kTeamFile);
  if (int number = ReadListFile(path, kTeamNameWidth, names)) {
    RaiseFileError(app, routine, number);
    // Only a missing file is created: one that exists but cannot be read is
    // left alone.
    if (createMissing && number == err::kFileNotFound) {
      if (int created = WriteFileReplacing(path, "")) RaiseFileError(app, routine, created);
    }
  }
  return names;
}

}  // namespace

std::vector<std::string> LoadTeamList(AppState& app) {
  const std::string missing = kMissing + app.lineBreak +
                              "Se ha procedido a crearlo automáticamente con los valores establecidos por defecto.";
  return ReadTeams(app, FileRoutine{"CLE", missing, kPathMissing}, true);
}

std::vector<std::string> ReadTeamNames(AppState& app) {
  return ReadTeams(app, FileRoutine{"CCE", kMissing, kPathMissing}, false);
}

void WriteTeamList(AppState& app, const std::vector<std::string>& names) {
  app.lastFileError = 0;
  const FileRoutine routine{"ELE", "", "No existe la carpeta del fichero de equipos EQUIPOS.VTR"};
  if (int number = WriteListFile(DataFilePath(app, kTeamFile), names)) RaiseFileError(app, routine, number);
}

}  // namespace vetra
