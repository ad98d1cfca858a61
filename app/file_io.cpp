#include "app/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
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

std::string& ProtectedFolder() {
  static std::string folder;
  return folder;
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

// Why a write of `size` bytes into `path` must not happen: the folder is
// protected, or a simulated fault; 0 when it may.
int WriteRefusal(const std::string& path, std::size_t size) {
  if (IsProtected(path)) return err::kReadOnlyFolder;
  return SimulatedWriteFault(path, size);
}

std::string TempNameFor(const std::string& path) { return path + ".~tmp"; }

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
  if (int fault = WriteRefusal(path, bytes.size())) return fault;
  const std::string temp = TempNameFor(path);
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
  const bool existed = FileExists(path);
  const long long size = existed ? SizeOf(path) : 0;
  std::string block(static_cast<std::size_t>(offset > size ? offset - size : 0), ' ');
  const long long start = offset > size ? size : offset;
  block.append(bytes);
  if (int fault = WriteRefusal(path, block.size())) return fault;
  FilePtr f(std::fopen(path.c_str(), existed ? "r+b" : "w+b"));
  if (!f) return ErrnoNumber(path);
  const bool written = std::fseek(f.get(), static_cast<long>(start), SEEK_SET) == 0 &&
                       std::fwrite(block.data(), 1, block.size(), f.get()) == block.size() &&
                       std::fflush(f.get()) == 0;
  const int number = written ? 0 : ErrnoNumber(path);
  if (std::fclose(f.release()) != 0 && number == 0) return ErrnoNumber(path);
  return number;
}

int ReplacingFileWriter::Open(const std::string& path) {
  Discard();
  error_ = 0;
  path_ = path;
  temp_ = TempNameFor(path);
  buffer_.clear();
  buffer_.reserve(kStreamBuffer);
  if (int fault = WriteRefusal(path_, 0)) return error_ = fault;
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
  if (int fault = WriteRefusal(path_, buffer_.size())) return Fail(fault);
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) return Fail(ErrnoNumber(path_));
  buffer_.clear();
  return 0;
}

int ReplacingFileWriter::Fail(int number) {
  error_ = number;
  Discard();
  return error_;
}

int ReplacingFileWriter::Commit() {
  if (error_) return error_;
  if (!file_) return error_ = err::kPathFileAccess;
  if (int number = Flush()) return number;
  if (std::fflush(file_) != 0) return Fail(ErrnoNumber(path_));
  const int closed = std::fclose(file_);
  file_ = nullptr;
  if (closed != 0) return Fail(ErrnoNumber(path_));
  std::error_code ec;
  fs::rename(temp_, path_, ec);
  if (ec) return Fail(err::kPathFileAccess);
  return 0;
}

void ReplacingFileWriter::Discard() {
  const bool tempLeft = file_ != nullptr || (error_ != 0 && !temp_.empty());
  if (file_) std::fclose(file_);
  if (tempLeft) std::remove(temp_.c_str());
  file_ = nullptr;
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
  if (int fault = WriteRefusal(Normal(path).string(), 0)) return fault;
  fs::create_directories(path, ec);
  return ec ? ErrorNumberFor(ec, path) : 0;
}

int CopyFileTo(const std::string& from, const std::string& to) {
  std::string bytes;
  if (int number = ReadFileBytes(from, bytes)) return number;
  return WriteFileReplacing(to, bytes);
}

int RemoveFile(const std::string& path) {
  if (int fault = WriteRefusal(path, 0)) return fault;
  std::error_code ec;
  if (!fs::remove(path, ec)) return ec ? ErrorNumberFor(ec, path) : err::kFileNotFound;
  return 0;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

}  // namespace vetra
