#pragma once
// "JORNADAS.VTR": one record of 533 bytes per matchday, record n holding
// matchday n, without separators. The editor owns the head and the team
// names, the scrutiny the winning column and the prizes; each reads the record,
// changes its own positions through the accessors below and writes it back.
#include <cstddef>
#include <string>
#include <string_view>

namespace vetra {

struct AppState;

inline constexpr const char* kMatchdayFile = "JORNADAS.VTR";
inline constexpr std::size_t kMatchdayRecordSize = 533;
inline constexpr int kTeamNames = 28;
inline constexpr std::size_t kTeamNameWidth = 15;
inline constexpr int kPrizeCategories = 5;  // 1 = 14 hits .. 5 = 10 hits
inline constexpr std::size_t kPrizeWidth = 11;

// A matchday or order number as in keys and file names: two digits, a leading
// zero below 10.
std::string TwoDigits(int number);

// Five blanks, "00/00/00" and 520 blanks: what an unused matchday reads as.
std::string EmptyMatchdayRecord();

// True when the record starts with "Jor" and the two digits of `matchday`,
// letter case ignored.
bool IsMatchdayRecordOf(std::string_view record, int matchday);

// The fields of a record, as stored. `team` is 1..28 (fixture m is teams
// 2m - 1 and 2m), `category` 1..5.
std::string MatchdayDate(std::string_view record);
std::string TeamName(std::string_view record, int team);
std::string WinningColumnDigits(std::string_view record);  // "1", "2" (X), "3" (2), "0" per match
std::string PrizeText(std::string_view record, int category);

// Setters; each first brings the record to its 533 bytes.
void SetMatchdayHead(std::string& record, int matchday, std::string_view date);
void SetTeamName(std::string& record, int team, std::string_view name);  // trimmed, cut at 15
void SetWinningColumnDigits(std::string& record, std::string_view digits);
void SetPrizeText(std::string& record, int category, std::string_view text);  // trimmed, right-aligned

// Record `matchday` exactly as stored, padded with blanks to 533 bytes (all
// blanks past the end of the file). No message, no change to the state.
int ReadMatchdayRecord(const AppState& app, int matchday, std::string& record);

// Writes `record` (padded or cut to 533 bytes) as record `matchday` in place;
// a record past the end of the file extends it, blank records filling the gap.
int WriteMatchdayRecord(const AppState& app, int matchday, std::string_view record);

// Reads record currentMatchday into matchdayRecord (the empty record when it
// is not that matchday's) and sets currentMatchdayDate from it. A missing file
// is created empty. Sets lastFileError; errors are reported as "LJO".
void ReadMatchday(AppState& app);

// Writes matchdayRecord as record currentMatchday. A failure is reported as
// "EJO", sets lastFileError and leaves the file as it was.
void WriteMatchday(AppState& app);

}  // namespace vetra
