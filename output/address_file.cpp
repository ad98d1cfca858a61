#include "output/address_file.h"

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/file_errors.h"
#include "app/file_io.h"
#include "app/list_file.h"

namespace vetra {
namespace {

// The numbers without a sentence of their own carry the code "CLDE"; a missing
// file (53) is not reported.
FileRoutine LoadRoutineFor(int number) {
  const bool worded = number == err::kOutOfMemory || number == err::kDeviceNotReady || number == err::kPathNotFound;
  return FileRoutine{worded ? "CLD" : "CLDE", "", "No existe el fichero de direcciones DIRECC.VTR"};
}

}  // namespace

std::vector<std::string> LoadAddressList(AppState& app) {
  app.lastFileError = 0;
  std::vector<std::string> addresses;
  const std::string path = DataFilePath(app, kAddressFile);
  if (int number = ReadListFile(path, kAddressLength, addresses)) {
    RaiseFileError(app, LoadRoutineFor(number), number);
    if (number == err::kFileNotFound) {
      if (int created = WriteFileReplacing(path, "")) RaiseFileError(app, LoadRoutineFor(created), created);
    }
  }
  return addresses;
}

void WriteAddressList(AppState& app, const std::vector<std::string>& addresses) {
  app.lastFileError = 0;
  const FileRoutine routine{"ELD", "", "No existe la carpeta del fichero de direcciones DIRECC.VTR"};
  if (int number = WriteListFile(DataFilePath(app, kAddressFile), addresses)) RaiseFileError(app, routine, number);
}

}  // namespace vetra
