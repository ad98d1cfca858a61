#pragma once
// The index of every stored reduction, as the history window shows it: one
// 83-character line per live entry of "BASES.VTR", kept in text order, shown
// 20 lines to a page. Since the matchday and the order are right-aligned in
// the line, text order is matchday, then date, then order.
//
//   pos  1     blank           40-60  first 21 characters of the description
//        2-3   matchday        61-63  blanks
//        5-12  matchday date   64-71  direct bets
//        15-16 order           76-83  reduced bets
//        19-37 method name     (every other position blank)
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vetra {

struct AppState;
struct BaseRecord;

inline constexpr std::size_t kHistoryLineWidth = 83;
inline constexpr int kHistoryPageLines = 20;
inline constexpr int kHistoryRowPitch = 16;  // pixels from one row to the next
inline constexpr int kHistoryRowsTop = 34;   // the row band starts here
inline constexpr int kHistoryRowsEnd = 350;  // nothing at or below this is a row
inline constexpr int kNoHistoryRow = 99;

// The line of one entry. `date` is the 8 characters of the matchday's date
// (or blanks), `description` the description field as stored.
std::string HistoryLine(const BaseRecord& record, std::string_view date, std::string_view description);

// The lines of every live entry of the index, sorted as text. Free slots and
// lines whose numbers cannot be read are left out; a missing or unreadable
// index gives no lines and no message. Dates come from the matchday file.
std::vector<std::string> ReadHistoryLines(const AppState& app);

// The key a line stands for.
int HistoryLineMatchday(std::string_view line);
int HistoryLineOrder(std::string_view line);

// The first line of the page holding the last line of that key, or 0 when
// no line has it.
int PageTopFor(const std::vector<std::string>& lines, int matchday, int order);

bool CanTurnForward(int topLine, std::size_t lineCount);
bool CanTurnBack(int topLine);

// The row (0..19) of the page under height `y`, or kNoHistoryRow when `y`
// is near a row line, below the last row, or on a row without a line.
int HallaCualLinea(double y, int topLine, std::size_t lineCount);

}  // namespace vetra
