#pragma once
// How every file routine reports a run-time error: one mapping from the
// system's errors to the program's error numbers, one way of writing the
// message, one reporter interface that the screens implement with the system
// message box and the tests by recording.
#include <string>
#include <string_view>
#include <system_error>

namespace vetra {

struct AppState;

// The error numbers the program distinguishes.
namespace err {
constexpr int kOverflow = 6;
constexpr int kOutOfMemory = 7;
constexpr int kTypeMismatch = 13;
constexpr int kBadFileName = 52;
constexpr int kFileNotFound = 53;
constexpr int kDeviceIo = 57;
constexpr int kFileExists = 58;
constexpr int kDiskFull = 61;
constexpr int kInputPastEnd = 62;
constexpr int kTooManyFiles = 67;
constexpr int kDeviceNotReady = 68;
constexpr int kPermissionDenied = 70;
constexpr int kPathFileAccess = 75;
constexpr int kPathNotFound = 76;
constexpr int kReadOnlyFolder = 1000;  // the folder was opened for reading only
}  // namespace err

class FileErrorReporter {
 public:
  virtual ~FileErrorReporter() = default;
  // Shows one message (UTF-8) and returns when the user has acknowledged it.
  virtual void Report(const std::string& message) = 0;
};

// The routine-specific parts of an error message.
struct FileRoutine {
  std::string_view code;         // "LDG"; OpenNamedFile uses the file name
  std::string_view fileMissing;  // whole message for error 53; empty: 53 is not reported
  std::string_view pathMissing;  // sentence after " ERROR 76: "; empty: the number alone
  bool reportsOverflow = false;  // error 6 is silent except in OpenNamedFile
};

// The drive designation of a path: the mount folder of removable media
// (/media/<user>/<name>, /run/media/<user>/<name>, /mnt/<name>) or "/".
std::string DriveOf(std::string_view path);

// Maps a system error met on `path` to the program's error number. A missing
// file is 53, a missing folder 76, and a missing drive 68.
int ErrorNumberFor(std::error_code ec, std::string_view path);

// The message text for `number`, or "" when that number is not reported.
std::string FileErrorMessage(const FileRoutine& routine, int number, std::string_view drive);

// Sets lastFileError and reports the error through the state's reporter.
void RaiseFileError(AppState& app, const FileRoutine& routine, int number);

}  // namespace vetra
