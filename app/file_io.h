#pragma once
// The byte-level file operations of the program. Each returns 0 on success or
// the program's error number (see file_errors.h); none reports anything, so
// that every routine can word its own message.
#include <string>
#include <string_view>
#include <vector>

namespace vetra {

int ReadFileBytes(const std::string& path, std::string& out);

// Replaces the whole file: the bytes go to a temporary file in the same
// folder that is then renamed over the old one, so that a failure never leaves
// half a file and the previous contents survive it.
int WriteFileReplacing(const std::string& path, std::string_view bytes);

int CreateFolder(const std::string& path);  // an existing folder is no error
int CopyFileTo(const std::string& from, const std::string& to);
int RemoveFile(const std::string& path);
bool FileExists(const std::string& path);

// Failures that the tests cannot provoke for real (they run as root): folders
// that refuse every write, and a disk that fills up after some bytes.
struct SimulatedFaults {
  std::vector<std::string> readOnlyFolders;
  long long bytesBeforeDiskFull = -1;  // -1: the disk never fills
};
SimulatedFaults& FileFaultsForTesting();

}  // namespace vetra
