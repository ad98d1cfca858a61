#include "app/file_errors.h"

#include <filesystem>
#include <vector>

#include "app/app_state.h"

namespace vetra {
namespace fs = std::filesystem;

std::string DriveOf(std::string_view path) {
  const fs::path p{std::string(path)};
  auto it = p.begin();
  std::vector<std::string> parts;
  for (; it != p.end() && parts.size() < 5; ++it) parts.push_back(it->string());
  // parts[0] is "/" for an absolute path.
  auto prefix = [&](std::size_t n) {
    std::string out;
    for (std::size_t i = 1; i < n && i < parts.size(); ++i) out += "/" + parts[i];
    return out;
  };
  if (parts.size() >= 4 && parts[1] == "media") return prefix(4);
  if (parts.size() >= 5 && parts[1] == "run" && parts[2] == "media") return prefix(5);
  if (parts.size() >= 3 && parts[1] == "mnt") return prefix(3);
  return "/";
}

int ErrorNumberFor(std::error_code ec, std::string_view path) {
  const std::errc e = static_cast<std::errc>(ec.value());
  switch (e) {
    case std::errc::no_such_file_or_directory: {
      std::error_code ignored;
      const fs::path p{std::string(path)};
      if (!fs::exists(DriveOf(path), ignored)) return err::kDeviceNotReady;
      if (p.has_parent_path() && !fs::is_directory(p.parent_path(), ignored)) return err::kPathNotFound;
      return err::kFileNotFound;
    }
    case std::errc::not_a_directory:
      return err::kPathNotFound;
    case std::errc::no_such_device:
    case std::errc::no_such_device_or_address:
      return err::kDeviceNotReady;
    case std::errc::not_enough_memory:
      return err::kOutOfMemory;
    case std::errc::no_space_on_device:
    case std::errc::file_too_large:
      return err::kDiskFull;
    case std::errc::permission_denied:
    case std::errc::operation_not_permitted:
    case std::errc::read_only_file_system:
      return err::kPermissionDenied;
    case std::errc::file_exists:
      return err::kFileExists;
    case std::errc::too_many_files_open:
    case std::errc::too_many_files_open_in_system:
      return err::kTooManyFiles;
    case std::errc::filename_too_long:
    case std::errc::invalid_argument:
      return err::kBadFileName;
    case std::errc::io_error:
      return err::kDeviceIo;
    case std::errc::value_too_large:
      return err::kOverflow;
    default:
      break;
  }
  // ENOMEDIUM has no portable name: a drive without its medium.
  constexpr int kNoMedium = 123;
  if (ec.value() == kNoMedium) return err::kDeviceNotReady;
  return err::kPathFileAccess;
}

std::string FileErrorMessage(const FileRoutine& routine, int number, std::string_view drive) {
  const std::string code(routine.code);
  switch (number) {
    case 0:
      return "";
    case err::kOverflow:
      return routine.reportsOverflow ? code + " ERROR 6" : "";
    case err::kFileNotFound:
      return std::string(routine.fileMissing);
    case err::kDeviceNotReady:
      return code + " ERROR 68: Unidad " + std::string(drive) + ": no preparada";
    case err::kOutOfMemory:
      return code + " ERROR 7 : Insuficiente memoria";
    case err::kDiskFull:
      return code + " ERROR 61: Disco lleno. Libere espacio y repita la operación";
    case err::kPathNotFound:
      if (!routine.pathMissing.empty()) return code + " ERROR 76: " + std::string(routine.pathMissing);
      break;
    case err::kReadOnlyFolder:
      return "La carpeta de datos está abierta solo para consulta: no se ha guardado nada.";
    default:
      break;
  }
  return code + " ERROR " + std::to_string(number);
}

void RaiseFileError(AppState& app, const FileRoutine& routine, int number) {
  app.lastFileError = static_cast<std::int16_t>(number);
  const std::string message = FileErrorMessage(routine, number, DriveOf(app.dataFolder));
  if (!message.empty() && app.reporter) app.reporter->Report(message);
}

}  // namespace vetra
