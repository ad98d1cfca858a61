#pragma once
// The reduced-column files "RED" + matchday + order + ".VTR": one line per
// kept column, a quote, its 14 signs, a quote and CR LF (18 bytes), in the
// order the engine accepted them, with nothing before or after.
#include <cstddef>
#include <string>
#include <string_view>

#include "app/file_io.h"
#include "reductions/column_generator.h"

namespace vetra {

struct AppState;

inline constexpr std::size_t kColumnLineSize = 18;

// "RED0703.VTR" for matchday 7, order 3.
std::string ColumnFileName(int matchday, int orderNumber);

// The line of one column: its signs padded or cut to 14, quoted, with CR LF.
std::string ColumnLine(std::string_view column);

// Reports a failed write of the column file of that key as "ECR" and sets
// lastFileError.
void RaiseColumnFileError(AppState& app, int matchday, int orderNumber, int number);

// Writes the columns of one reduction. They go through a large buffer into a
// temporary file that Commit renames over the file of the key, so that the
// old file survives a failure and a reader never meets half a file. The first
// failure is reported as "ECR" and sets lastFileError; later calls then do
// nothing.
//
// As a sink of the generator it asks for its columns framed as file lines,
// so that a block of them goes into the buffer as it is.
class ColumnFileWriter : public ColumnSink {
 public:
  ColumnFileWriter(AppState& app, int matchday, int orderNumber);
  bool Good() const { return error_ == 0; }
  int Error() const { return error_; }
  void Write(std::string_view column);
  ColumnFrame Frame() const override;
  // Whole lines of 18 bytes, as Frame asks for them.
  void Take(std::string_view lines) override;
  // Completes the new columns on the disk under their temporary name.
  void Finish();
  // Puts them in place of the key's file.
  void Commit();
  // Drops the new columns; the key's file stays as it was.
  void Discard();
  long long ColumnsWritten() const { return written_; }

 private:
  void Check(int number);

  AppState& app_;
  int matchday_;
  int orderNumber_;
  ReplacingFileWriter out_;
  int error_ = 0;
  long long written_ = 0;
  std::string line_;
};

// Reads the columns of one reduction, from any column on.
class ColumnFileReader {
 public:
  // Sets fileToOpen to the file of currentMatchday and currentOrder and opens
  // it as the shared open routine does: lastFileError is set, and every error
  // but a missing file (53) is reported after the file's name. An action the
  // user asked for (print, copy, mail, scrutiny) has the missing file
  // reported too, by its name; the browser only shows nothing.
  enum class Missing { Silent, Reported };
  int Open(AppState& app, Missing missing = Missing::Silent);
  void Close() { in_.Close(); }
  bool IsOpen() const { return in_.IsOpen(); }

  // Lines in the file, counting a last one cut short.
  long long ColumnCount() const;

  // The next read starts at column n (1-based), wherever it lies.
  void SeekColumn(long long n);

  // The next column (see ColumnOfLine). False at the end of the file:
  // readers never go past it.
  bool Next(std::string& column);

 private:
  LineFileReader in_;
  std::string line_;
};

// The column of a line (without its line end): the first item of the line,
// the text between its quotes (or, unquoted, up to a comma), at most 14
// characters.
void ColumnOfLine(std::string_view line, std::string& column);

// Deletes every column file of a matchday, whatever its order number. Failures
// other than a missing file are reported as "BCR" and set lastFileError.
void DeleteMatchdayColumnFiles(AppState& app, int matchday);

}  // namespace vetra
