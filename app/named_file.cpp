#include "app/named_file.h"

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/file_errors.h"
#include "app/file_io.h"

namespace vetra {

std::string OpenNamedFile(AppState& app) {
  app.lastFileError = 0;
  std::string bytes;
  if (int number = ReadFileBytes(DataFilePath(app, app.fileToOpen), bytes))
    RaiseFileError(app, FileRoutine{app.fileToOpen, "", "", true}, number);
  return bytes;
}

}  // namespace vetra
