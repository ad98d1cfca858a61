#include "matchdays/matchday_file.h"

#include <cctype>
#include <cstdio>

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/file_errors.h"
#include "app/file_io.h"
#include "app/numbers.h"

namespace vetra {
namespace {

// 0-based offsets within a record.
constexpr std::size_t kDateAt = 5;
constexpr std::size_t kDateWidth = 8;
constexpr std::size_t kTeamsAt = 13;
constexpr std::size_t kWinningAt = 463;
constexpr std::size_t kWinningWidth = 14;
constexpr std::size_t kPrizesAt = 478;

// Record numbers start at 1.
constexpr int kBadRecordNumber = 63;

std::string Field(std::string_view record, std::size_t at, std::size_t width) {
  return FixedWidth(at < record.size() ? record.substr(at, width) : std::string_view(), width);
}

void SetField(std::string& record, std::size_t at, std::size_t width, std::string_view text) {
  record.resize(kMatchdayRecordSize, ' ');
  record.replace(at, width, FixedWidth(text, width));
}

long long RecordOffset(int matchday) {
  return static_cast<long long>(kMatchdayRecordSize) * (matchday - 1);
}

}  // namespace

std::string TwoDigits(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", number);
  return text;
}

std::string EmptyMatchdayRecord() {
  std::string record(kMatchdayRecordSize, ' ');
  record.replace(kDateAt, kDateWidth, "00/00/00");
  return record;
}

bool IsMatchdayRecordOf(std::string_view record, int matchday) {
  const std::string head = "jor" + TwoDigits(matchday);
  if (record.size() < head.size()) return false;
  for (std::size_t i = 0; i < head.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(record[i])) != head[i]) return false;
  return true;
}

std::string MatchdayDate(std::string_view record) { return Field(record, kDateAt, kDateWidth); }

std::string TeamName(std::string_view record, int team) {
  return Field(record, kTeamsAt + kTeamNameWidth * (team - 1), kTeamNameWidth);
}

std::string WinningColumnDigits(std::string_view record) { return Field(record, kWinningAt, kWinningWidth); }

std::string PrizeText(std::string_view record, int category) {
  return Field(record, kPrizesAt + kPrizeWidth * (category - 1), kPrizeWidth);
}

void SetMatchdayHead(std::string& record, int matchday, std::string_view date) {
  SetField(record, 0, kDateAt, "Jor" + TwoDigits(matchday));
  SetField(record, kDateAt, kDateWidth, date);
}

void SetTeamName(std::string& record, int team, std::string_view name) {
  SetField(record, kTeamsAt + kTeamNameWidth * (team - 1), kTeamNameWidth, Trimmed(name));
}

void SetWinningColumnDigits(std::string& record, std::string_view digits) {
  SetField(record, kWinningAt, kWinningWidth, digits);
}

void SetPrizeText(std::string& record, int category, std::string_view text) {
  const std::string trimmed = Trimmed(text).substr(0, kPrizeWidth);
  SetField(record, kPrizesAt + kPrizeWidth * (category - 1), kPrizeWidth,
           std::string(kPrizeWidth - trimmed.size(), ' ') + trimmed);
}

int ReadMatchdayRecord(const AppState& app, int matchday, std::string& record) {
  record.clear();
  if (matchday < 1) return kBadRecordNumber;
  std::string bytes;
  const int number =
      ReadFileAt(DataFilePath(app, kMatchdayFile), RecordOffset(matchday), kMatchdayRecordSize, bytes);
  if (number == 0) record = FixedWidth(bytes, kMatchdayRecordSize);
  return number;
}

int WriteMatchdayRecord(const AppState& app, int matchday, std::string_view record) {
  if (matchday < 1) return kBadRecordNumber;
  return WriteFileAt(DataFilePath(app, kMatchdayFile), RecordOffset(matchday),
                     FixedWidth(record, kMatchdayRecordSize));
}

void ReadMatchday(AppState& app) {
  app.lastFileError = 0;
  const FileRoutine routine{"LJO", "No se encuentra el fichero de jornadas JORNADAS.VTR.",
                            "No existe el fichero de jornadas JORNADAS.VTR"};
  std::string record;
  int number = ReadMatchdayRecord(app, app.currentMatchday, record);
  if (number == err::kFileNotFound) {
    // Opening the file for its records creates it when it is missing.
    number = WriteFileReplacing(DataFilePath(app, kMatchdayFile), "");
    record = EmptyMatchdayRecord();
  }
  if (number)
    RaiseFileError(app, routine, number);  // the buffer keeps what it held
  else
    app.matchdayRecord = record;
  if (!IsMatchdayRecordOf(app.matchdayRecord, app.currentMatchday)) app.matchdayRecord = EmptyMatchdayRecord();
  app.matchdayRecord.resize(kMatchdayRecordSize, ' ');
  app.currentMatchdayDate = MatchdayDate(app.matchdayRecord);
}

void WriteMatchday(AppState& app) {
  app.lastFileError = 0;
  const FileRoutine routine{"EJO", "", "No existe la carpeta del fichero de jornadas JORNADAS.VTR"};
  if (int number = WriteMatchdayRecord(app, app.currentMatchday, app.matchdayRecord))
    RaiseFileError(app, routine, number);
}

}  // namespace vetra
