#include "app/file_io.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/file_errors.h"

namespace vetra {
namespace fs = std::filesystem;
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

int ErrnoNumber(const std::string& path) {
  return ErrorNumberFor(std::error_code(errno, std::generic_category()), path);
}

// A path without its trailing separator, so that folders compare equal.
fs::path Normal(const fs::path& p) {
  const fs::path n = p.lexically_normal();
  return n.has_filename() ? n : n.parent_path();
}

// The simulated fault, if any, that stops a write of `size` bytes into `path`.
int SimulatedWriteFault(const std::string& path, std::size_t size) {
  SimulatedFaults& faults = FileFaultsForTesting();
  const fs::path folder = Normal(path).parent_path();
  for (const std::string& ro : faults.readOnlyFolders)
    if (Normal(ro) == folder) return err::kPermissionDenied;
  if (faults.bytesBeforeDiskFull >= 0) {
    if (static_cast<long long>(size) > faults.bytesBeforeDiskFull) return err::kDiskFull;
    faults.bytesBeforeDiskFull -= static_cast<long long>(size);
  }
  return 0;
}

}  // namespace

SimulatedFaults& FileFaultsForTesting() {
  static SimulatedFaults faults;
  return faults;
}

int ReadFileBytes(const std::string& path, std::string& out) {
  out.clear();
  std::error_code ec;
  if (fs::is_directory(path, ec)) return err::kPathFileAccess;
  FilePtr f(std::fopen(path.c_str(), "rb"));
  if (!f) return ErrnoNumber(path);
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) out.append(buffer, n);
  if (std::ferror(f.get())) return ErrnoNumber(path);
  return 0;
}

int WriteFileReplacing(const std::string& path, std::string_view bytes) {
  if (int fault = SimulatedWriteFault(path, bytes.size())) return fault;
  const std::string temp = path + ".~tmp";
  {
    FilePtr f(std::fopen(temp.c_str(), "wb"));
    if (!f) return ErrnoNumber(path);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size() &&
                         std::fflush(f.get()) == 0;
    const int number = written ? 0 : ErrnoNumber(path);
    if (std::fclose(f.release()) != 0 || !written) {
      const int closeNumber = number ? number : ErrnoNumber(path);
      std::remove(temp.c_str());
      return closeNumber;
    }
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  if (ec) {
    fs::remove(temp, ec);
    return err::kPathFileAccess;
  }
  return 0;
}

int CreateFolder(const std::string& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return 0;
  if (int fault = SimulatedWriteFault(Normal(path).string(), 0)) return fault;
  fs::create_directories(path, ec);
  return ec ? ErrorNumberFor(ec, path) : 0;
}

int CopyFileTo(const std::string& from, const std::string& to) {
  std::string bytes;
  if (int number = ReadFileBytes(from, bytes)) return number;
  return WriteFileReplacing(to, bytes);
}

int RemoveFile(const std::string& path) {
  if (int fault = SimulatedWriteFault(path, 0)) return fault;
  std::error_code ec;
  if (!fs::remove(path, ec)) return ec ? ErrorNumberFor(ec, path) : err::kFileNotFound;
  return 0;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

}  // namespace vetra
