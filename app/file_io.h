#pragma once
// The byte-level file operations of the program. Each returns 0 on success or
// the program's error number (see file_errors.h); none reports anything, so
// that every routine can word its own message.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vetra {

int ReadFileBytes(const std::string& path, std::string& out);

// Replaces the whole file: the bytes go to a temporary file in the same
// folder that is then renamed over the old one, so that a failure never leaves
// half a file and the previous contents survive it.
int WriteFileReplacing(const std::string& path, std::string_view bytes);

// Reads up to `length` bytes from byte `offset` on: fewer, or none, when the
// file ends before.
int ReadFileAt(const std::string& path, long long offset, std::size_t length, std::string& out);

// Writes `bytes` at byte `offset` and leaves every other byte of the file as
// it was. A missing file is created; a gap between the end of the file and
// `offset` is filled with blanks.
int WriteFileAt(const std::string& path, long long offset, std::string_view bytes);

// Whole-file rewrites go through a file of this name beside the file, which
// an interrupted run leaves behind.
inline constexpr std::string_view kTemporarySuffix = ".~tmp";
std::string TemporaryName(const std::string& path);

// Removes the temporary files that interrupted runs left in `folder`.
void RemoveTemporaryFiles(const std::string& folder);

// A whole new file written piece by piece through a large buffer into a
// temporary file beside it, which Commit renames over the old one; until then,
// and after any failure, the old file stays as it was. Destroying the writer
// without a commit drops the new bytes.
class ReplacingFileWriter {
 public:
  ReplacingFileWriter() = default;
  ~ReplacingFileWriter() { Discard(); }
  ReplacingFileWriter(const ReplacingFileWriter&) = delete;
  ReplacingFileWriter& operator=(const ReplacingFileWriter&) = delete;

  int Open(const std::string& path);
  // Buffered; after the first failure nothing more is written and that
  // failure's number is returned by this and every later call.
  int Write(std::string_view bytes);
  // Completes the temporary file on the disk, without putting it in place.
  int Finish();
  // Finishes when not yet done, then renames the temporary file over the file.
  int Commit();
  void Discard();  // drops the temporary file; the old file is untouched
  bool IsOpen() const { return file_ != nullptr; }

 private:
  int Flush();
  int Fail(int number);

  std::string path_;
  std::string temp_;
  std::FILE* file_ = nullptr;
  bool finished_ = false;
  std::string buffer_;
  int error_ = 0;
};

// A file read line by line through a buffer, with a seek to any byte in
// constant time.
class LineFileReader {
 public:
  LineFileReader() = default;
  ~LineFileReader() { Close(); }
  LineFileReader(const LineFileReader&) = delete;
  LineFileReader& operator=(const LineFileReader&) = delete;

  int Open(const std::string& path);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  long long Size() const { return size_; }
  int Seek(long long offset);
  // The next line without its CR LF (or LF); only its first `keep` bytes are
  // kept, so that a file without line ends cannot fill the memory. False at
  // the end of the file or on a read error.
  bool ReadLine(std::string& out, std::size_t keep);

 private:
  bool Refill();

  std::FILE* file_ = nullptr;
  long long size_ = 0;
  std::string buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
};

int CreateFolder(const std::string& path);  // an existing folder is no error
int CopyFileTo(const std::string& from, const std::string& to);
// Renames a file over another in the same folder, in one step.
int MoveFileOver(const std::string& from, const std::string& to);
int RemoveFile(const std::string& path);
void RemoveEmptyFolder(const std::string& path);  // one that holds anything stays
bool FileExists(const std::string& path);

// The data folder of a program that opened it for reading only: every write,
// new file or removal in it is refused with err::kReadOnlyFolder, so that no
// screen changes a byte of it. Empty: no folder is protected.
void ProtectFolder(const std::string& folder);
// Whether a write into `path` (a file or folder) would be refused so.
bool IsProtected(const std::string& path);

// Failures that the tests cannot provoke for real (they run as root): folders
// that refuse every write, a disk that fills up after some bytes, and a kill
// at a chosen step (a write, which then reaches the file half done, a sync, a
// rename or a removal), which a test lets happen in a child process.
struct SimulatedFaults {
  std::vector<std::string> readOnlyFolders;
  long long bytesBeforeDiskFull = -1;  // -1: the disk never fills
  int stepsBeforeKill = -1;            // -1: never killed
};
SimulatedFaults& FileFaultsForTesting();

}  // namespace vetra
