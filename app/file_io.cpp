#include "app/file_io.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

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

std::string& ProtectedFolder() {
  static std::string folder;
  return folder;
}

// Why no write into the folder of `path` may happen: the folder is
// protected, or a simulated read-only folder; 0 when it may.
int WriteRefusal(const std::string& path) {
  if (IsProtected(path)) return err::kReadOnlyFolder;
  const fs::path folder = Normal(path).parent_path();
  for (const std::string& ro : FileFaultsForTesting().readOnlyFolders)
    if (Normal(ro) == folder) return err::kPermissionDenied;
  return 0;
}

// A simulated kill: the process dies here when its count of file steps
// runs out.
bool KilledNow() {
  int& left = FileFaultsForTesting().stepsBeforeKill;
  if (left < 0) return false;
  return left-- == 0;
}
void KillIfDue() {
  if (KilledNow()) std::raise(SIGKILL);
}

// How many of `size` bytes the simulated disk still takes.
std::size_t SimulatedRoom(std::size_t size) {
  long long& left = FileFaultsForTesting().bytesBeforeDiskFull;
  if (left < 0) return size;
  const std::size_t room = std::min(size, static_cast<std::size_t>(left));
  left -= static_cast<long long>(room);
  return room;
}

// Every byte of `bytes` into `f`, in one call; a disk that fills up keeps
// what fitted, as a real one does, and the caller undoes it. Only the last
// `growth` bytes need new room: the others overwrite bytes of the file.
int WriteAll(std::FILE* f, std::string_view bytes, const std::string& path, std::size_t growth) {
  if (KilledNow()) {
    // Killed in the middle of the write: half of it reaches the file.
    std::fwrite(bytes.data(), 1, bytes.size() / 2, f);
    std::fflush(f);
    std::raise(SIGKILL);
  }
  const std::size_t room = bytes.size() - growth + SimulatedRoom(growth);
  if (std::fwrite(bytes.data(), 1, room, f) != room) return ErrnoNumber(path);
  if (room < bytes.size()) {
    std::fflush(f);
    return err::kDiskFull;
  }
  return 0;
}

// Pushes the bytes of `f` to the disk and closes it: what a rename or the
// user is told afterwards must survive a power cut.
int SyncAndClose(std::FILE* f, const std::string& path) {
  KillIfDue();
  const bool synced = std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
  const int number = synced ? 0 : ErrnoNumber(path);
  if (std::fclose(f) != 0 && number == 0) return ErrnoNumber(path);
  return number;
}

// Makes a rename in the folder of `path` survive a power cut.
void SyncFolderOf(const std::string& path) {
  const int fd = ::open(Normal(path).parent_path().c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

long long SizeOf(const std::string& path) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  return ec ? 0 : static_cast<long long>(size);
}

constexpr std::size_t kStreamBuffer = 1 << 18;

}  // namespace

void ProtectFolder(const std::string& folder) { ProtectedFolder() = folder; }

bool IsProtected(const std::string& path) {
  if (ProtectedFolder().empty()) return false;
  const fs::path inside = Normal(path).lexically_relative(Normal(ProtectedFolder()));
  return !inside.empty() && *inside.begin() != "..";
}

std::string TemporaryName(const std::string& path) { return path + std::string(kTemporarySuffix); }

void RemoveTemporaryFiles(const std::string& folder) {
  std::error_code ec;
  std::vector<fs::path> found;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(kTemporarySuffix) && entry.is_regular_file(ec)) found.push_back(entry.path());
  }
  for (const fs::path& path : found) fs::remove(path, ec);
}

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
  if (int refused = WriteRefusal(path)) return refused;
  const std::string temp = TemporaryName(path);
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return ErrnoNumber(path);
  int number = WriteAll(f, bytes, path, bytes.size());
  if (number) std::fclose(f);
  if (number == 0) number = SyncAndClose(f, path);
  std::error_code ec;
  if (number == 0) {
    KillIfDue();
    fs::rename(temp, path, ec);
    if (ec) number = err::kPathFileAccess;
  }
  if (number) {
    fs::remove(temp, ec);
    return number;
  }
  SyncFolderOf(path);
  return 0;
}

int ReadFileAt(const std::string& path, long long offset, std::size_t length, std::string& out) {
  out.clear();
  std::error_code ec;
  if (fs::is_directory(path, ec)) return err::kPathFileAccess;
  FilePtr f(std::fopen(path.c_str(), "rb"));
  if (!f) return ErrnoNumber(path);
  if (offset >= SizeOf(path)) return 0;
  if (std::fseek(f.get(), static_cast<long>(offset), SEEK_SET) != 0) return ErrnoNumber(path);
  out.resize(length);
  out.resize(std::fread(out.data(), 1, length, f.get()));
  if (std::ferror(f.get())) return ErrnoNumber(path);
  return 0;
}

int WriteFileAt(const std::string& path, long long offset, std::string_view bytes) {
  if (int refused = WriteRefusal(path)) return refused;
  const bool existed = FileExists(path);
  const long long size = existed ? SizeOf(path) : 0;
  std::string block(static_cast<std::size_t>(offset > size ? offset - size : 0), ' ');
  const long long start = offset > size ? size : offset;
  block.append(bytes);
  std::FILE* f = std::fopen(path.c_str(), existed ? "r+b" : "w+b");
  if (!f) return ErrnoNumber(path);
  // Unbuffered, so that the block goes to the file in one call.
  std::setvbuf(f, nullptr, _IONBF, 0);
  const long long end = start + static_cast<long long>(block.size());
  const std::size_t growth = static_cast<std::size_t>(end > size ? end - size : 0);
  int number =
      std::fseek(f, static_cast<long>(start), SEEK_SET) == 0 ? WriteAll(f, block, path, growth) : ErrnoNumber(path);
  if (number) std::fclose(f);
  if (number == 0) number = SyncAndClose(f, path);
  if (number && start + static_cast<long long>(block.size()) > size) {
    // What a full disk let through of a growing file goes again: a record
    // or line is there whole or not at all.
    std::error_code ec;
    fs::resize_file(path, static_cast<std::uintmax_t>(size), ec);
  }
  return number;
}

int ReplacingFileWriter::Open(const std::string& path) {
  Discard();
  error_ = 0;
  path_ = path;
  temp_ = TemporaryName(path);
  buffer_.clear();
  buffer_.reserve(kStreamBuffer);
  if (int refused = WriteRefusal(path_)) return error_ = refused;
  file_ = std::fopen(temp_.c_str(), "wb");
  if (!file_) return error_ = ErrnoNumber(path_);
  return 0;
}

int ReplacingFileWriter::Write(std::string_view bytes) {
  if (error_) return error_;
  if (!file_) return error_ = err::kPathFileAccess;
  buffer_.append(bytes);
  return buffer_.size() >= kStreamBuffer ? Flush() : 0;
}

int ReplacingFileWriter::Flush() {
  if (error_ || buffer_.empty()) return error_;
  if (int number = WriteAll(file_, buffer_, path_, buffer_.size())) return Fail(number);
  buffer_.clear();
  return 0;
}

int ReplacingFileWriter::Fail(int number) {
  error_ = number;
  Discard();
  return error_;
}

int ReplacingFileWriter::Finish() {
  if (error_) return error_;
  if (!file_) return error_ = err::kPathFileAccess;
  if (int number = Flush()) return number;
  const int closed = SyncAndClose(file_, path_);
  file_ = nullptr;
  if (closed != 0) return Fail(closed);
  finished_ = true;
  return 0;
}

int ReplacingFileWriter::Commit() {
  if (!finished_) {
    if (int number = Finish()) return number;
  }
  std::error_code ec;
  KillIfDue();
  fs::rename(temp_, path_, ec);
  if (ec) return Fail(err::kPathFileAccess);
  finished_ = false;
  SyncFolderOf(path_);
  return 0;
}

void ReplacingFileWriter::Discard() {
  const bool tempLeft = file_ != nullptr || finished_ || (error_ != 0 && !temp_.empty());
  if (file_) std::fclose(file_);
  if (tempLeft) std::remove(temp_.c_str());
  file_ = nullptr;
  finished_ = false;
  buffer_.clear();
}

int LineFileReader::Open(const std::string& path) {
  Close();
  std::error_code ec;
  if (fs::is_directory(path, ec)) return err::kPathFileAccess;
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) return ErrnoNumber(path);
  size_ = SizeOf(path);
  buffer_.resize(kStreamBuffer);
  return 0;
}

void LineFileReader::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  size_ = 0;
  pos_ = end_ = 0;
}

int LineFileReader::Seek(long long offset) {
  if (!file_) return err::kPathFileAccess;
  pos_ = end_ = 0;
  if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return err::kPathFileAccess;
  return 0;
}

bool LineFileReader::Refill() {
  if (!file_) return false;
  pos_ = 0;
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  return end_ > 0;
}

bool LineFileReader::ReadLine(std::string& out, std::size_t keep) {
  out.clear();
  if (pos_ == end_ && !Refill()) return false;
  std::size_t length = 0;  // of the whole line, beyond what is kept
  char last = 0;
  while (true) {
    const char* start = buffer_.data() + pos_;
    const void* found = std::memchr(start, '\n', end_ - pos_);
    const std::size_t n = found ? static_cast<const char*>(found) - start : end_ - pos_;
    if (out.size() < keep) out.append(start, std::min(n, keep - out.size()));
    if (n > 0) last = start[n - 1];
    length += n;
    pos_ += n;
    if (found) {
      ++pos_;
      break;
    }
    if (!Refill()) break;
  }
  if (last == '\r' && out.size() == length) out.pop_back();
  return true;
}

int CreateFolder(const std::string& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return 0;
  if (int refused = WriteRefusal(Normal(path).string())) return refused;
  fs::create_directories(path, ec);
  return ec ? ErrorNumberFor(ec, path) : 0;
}

int CopyFileTo(const std::string& from, const std::string& to) {
  std::string bytes;
  if (int number = ReadFileBytes(from, bytes)) return number;
  return WriteFileReplacing(to, bytes);
}

int MoveFileOver(const std::string& from, const std::string& to) {
  if (int refused = WriteRefusal(to)) return refused;
  std::error_code ec;
  KillIfDue();
  fs::rename(from, to, ec);
  if (ec) return ErrorNumberFor(ec, from);
  SyncFolderOf(to);
  return 0;
}

int RemoveFile(const std::string& path) {
  if (int refused = WriteRefusal(path)) return refused;
  KillIfDue();
  std::error_code ec;
  if (!fs::remove(path, ec)) return ec ? ErrorNumberFor(ec, path) : err::kFileNotFound;
  return 0;
}

void RemoveEmptyFolder(const std::string& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec) && fs::is_empty(path, ec)) fs::remove(path, ec);
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

}  // namespace vetra
