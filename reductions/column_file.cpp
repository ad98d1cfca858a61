#include "reductions/column_file.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/delimited_fields.h"
#include "app/file_errors.h"
#include "app/numbers.h"
#include "matchdays/matchday_file.h"

namespace vetra {
namespace {

// What stands around the 14 signs of a line.
constexpr std::string_view kLineHead = "\"";
constexpr std::string_view kLineTail = "\"\r\n";

// Enough of a line for a quoted column with blanks around it; the rest of a
// longer line is skipped.
constexpr std::size_t kLineKept = 64;

bool IsColumnFileOf(const std::string& name, int matchday) {
  const std::string prefix = "RED" + TwoDigits(matchday);
  const std::string suffix = ".VTR";
  return name.size() >= prefix.size() + suffix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
         name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Removes one file of the data folder; a missing one is no error.
void RemoveColumnFile(AppState& app, const std::string& name) {
  const int number = RemoveFile(DataFilePath(app, name));
  if (number == 0 || number == err::kFileNotFound) return;
  const std::string folderMissing = "No existe la carpeta del fichero " + name;
  RaiseFileError(app, FileRoutine{"BCR", "", folderMissing}, number);
}

}  // namespace

std::string ColumnFileName(int matchday, int orderNumber) {
  return "RED" + TwoDigits(matchday) + TwoDigits(orderNumber) + ".VTR";
}

std::string ColumnLine(std::string_view column) {
  return std::string(kLineHead) + FixedWidth(column, kColumnLength) + std::string(kLineTail);
}

ColumnFileWriter::ColumnFileWriter(AppState& app, int matchday, int orderNumber)
    : app_(app), matchday_(matchday), orderNumber_(orderNumber) {
  app_.lastFileError = 0;
  line_ = ColumnLine("");
  Check(out_.Open(DataFilePath(app_, ColumnFileName(matchday_, orderNumber_))));
}

void RaiseColumnFileError(AppState& app, int matchday, int orderNumber, int number) {
  const std::string folderMissing = "No existe la carpeta del fichero " + ColumnFileName(matchday, orderNumber);
  RaiseFileError(app, FileRoutine{"ECR", "", folderMissing}, number);
}

void ColumnFileWriter::Check(int number) {
  if (number == 0 || error_ != 0) return;
  error_ = number;
  RaiseColumnFileError(app_, matchday_, orderNumber_, number);
}

void ColumnFileWriter::Write(std::string_view column) {
  if (error_) return;
  // The quotes and CR LF of line_ stay; only the signs change.
  const std::size_t n = std::min(column.size(), kColumnLength);
  line_.replace(1, n, column.substr(0, n));
  if (n < kColumnLength) line_.replace(1 + n, kColumnLength - n, kColumnLength - n, ' ');
  Check(out_.Write(line_));
  if (!error_) ++written_;
}

ColumnFrame ColumnFileWriter::Frame() const { return {kLineHead, kLineTail}; }

void ColumnFileWriter::Take(std::string_view lines) {
  if (error_) return;
  Check(out_.Write(lines));
  if (!error_) written_ += static_cast<long long>(lines.size() / kColumnLineSize);
}

void ColumnFileWriter::Finish() {
  if (!error_) Check(out_.Finish());
}

void ColumnFileWriter::Commit() {
  if (!error_) Check(out_.Commit());
}

void ColumnFileWriter::Discard() { out_.Discard(); }

int ColumnFileReader::Open(AppState& app, Missing missing) {
  app.lastFileError = 0;
  app.fileToOpen = ColumnFileName(app.currentMatchday, app.currentOrder);
  const int number = in_.Open(DataFilePath(app, app.fileToOpen));
  const std::string missingText = missing == Missing::Reported
                                      ? "No se encuentra el fichero " + app.fileToOpen +
                                            " con las columnas de esta reducción. No se ha hecho nada."
                                      : "";
  if (number) RaiseFileError(app, FileRoutine{app.fileToOpen, missingText, "", true}, number);
  return number;
}

long long ColumnFileReader::ColumnCount() const {
  return (in_.Size() + static_cast<long long>(kColumnLineSize) - 1) / static_cast<long long>(kColumnLineSize);
}

void ColumnFileReader::SeekColumn(long long n) {
  in_.Seek((n < 1 ? 0 : n - 1) * static_cast<long long>(kColumnLineSize));
}

bool ColumnFileReader::Next(std::string& column) {
  if (!in_.ReadLine(line_, kLineKept)) return false;
  ColumnOfLine(line_, column);
  return true;
}

void ColumnOfLine(std::string_view line, std::string& column) {
  DelimitedReader item(line);
  if (item.ReadText(column) != 0) column.clear();
  if (column.size() > kColumnLength) column.resize(kColumnLength);
}

void DeleteMatchdayColumnFiles(AppState& app, int matchday) {
  app.lastFileError = 0;
  // Names first, removals after: the folder is not changed while it is listed.
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(WithSeparator(app.dataFolder), ec)) {
    std::string name = entry.path().filename().string();
    if (IsColumnFileOf(name, matchday) && entry.is_regular_file(ec)) names.push_back(std::move(name));
  }
  for (const std::string& name : names) RemoveColumnFile(app, name);
}

}  // namespace vetra
