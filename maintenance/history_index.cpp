#include "maintenance/history_index.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "app/cp1252.h"
#include "app/data_folder.h"
#include "app/file_io.h"
#include "app/numbers.h"
#include "matchdays/matchday_file.h"
#include "reductions/base_file.h"
#include "reductions/reduction_tables.h"

namespace vetra {
namespace {

// The history shows the start of the description as stored, leading blanks
// included, not the trimmed field.
constexpr std::size_t kDescriptionShown = 21;
constexpr std::size_t kMethodWidth = 19;
constexpr std::size_t kDateWidth = 8;
constexpr std::size_t kMatchdayAt = 1;
constexpr std::size_t kOrderAt = 14;

std::string RightAligned(long long value, std::size_t width) {
  const std::string digits = std::to_string(value);
  return digits.size() >= width ? digits : std::string(width - digits.size(), ' ') + digits;
}

std::string_view Part(std::string_view text, std::size_t at, std::size_t width) {
  return at < text.size() ? text.substr(at, width) : std::string_view();
}

// The date of a matchday, or blanks when its record is not its own (an
// unused record, or no matchday file at all).
class MatchdayDates {
 public:
  explicit MatchdayDates(const AppState& app) : app_(app) {}
  const std::string& Of(int matchday) {
    auto found = dates_.find(matchday);
    if (found != dates_.end()) return found->second;
    std::string record;
    std::string date(kDateWidth, ' ');
    if (ReadMatchdayRecord(app_, matchday, record) == 0 && IsMatchdayRecordOf(record, matchday))
      date = MatchdayDate(record);
    return dates_.emplace(matchday, date).first->second;
  }

 private:
  const AppState& app_;
  std::map<int, std::string> dates_;
};

}  // namespace

std::string HistoryLine(const BaseRecord& r, std::string_view date, std::string_view description) {
  std::string line = " " + RightAligned(r.matchday, 2) + " " + FixedWidth(date, kDateWidth) + "  ";
  line += RightAligned(r.orderNumber, 2) + "  ";
  line += FixedWidth(Utf8ToCp1252(ShortMethodName(r.reductionMethod)), kMethodWidth) + "  ";
  line += FixedWidth(description, kDescriptionShown) + "   ";
  line += RightAligned(r.directBets, 8) + "    " + RightAligned(r.reducedBets, 8);
  return FixedWidth(line, kHistoryLineWidth);
}

std::vector<std::string> ReadHistoryLines(const AppState& app) {
  std::vector<std::string> lines;
  LineFileReader reader;
  if (reader.Open(DataFilePath(app, kBaseFile)) != 0) return lines;
  MatchdayDates dates(app);
  const std::string freeKey = BaseKey(0, 0);
  std::string text;
  while (reader.ReadLine(text, kBaseLineWidth)) {
    // Free slots, and lines too short to hold a key (a damaged file of
    // millions of empty lines, say), are passed over before any parsing.
    if (text.size() < freeKey.size() || text.compare(0, freeKey.size(), freeKey) == 0) continue;
    BaseRecord record;
    // A damaged line could not be loaded either; a key of 0 belongs to no
    // reduction (a blank line, say).
    if (ParseBaseLine(text, record) != 0 || record.matchday < 1 || record.orderNumber < 1) continue;
    lines.push_back(
        HistoryLine(record, dates.Of(record.matchday), Part(text, kDescriptionAt, kDescriptionShown)));
  }
  std::stable_sort(lines.begin(), lines.end());
  return lines;
}

int HistoryLineMatchday(std::string_view line) {
  return static_cast<int>(ValueOf(Part(line, kMatchdayAt, 2)));
}

int HistoryLineOrder(std::string_view line) { return static_cast<int>(ValueOf(Part(line, kOrderAt, 2))); }

int PageTopFor(const std::vector<std::string>& lines, int matchday, int order) {
  for (std::size_t i = lines.size(); i-- > 0;)
    if (HistoryLineMatchday(lines[i]) == matchday && HistoryLineOrder(lines[i]) == order)
      return static_cast<int>(i) / kHistoryPageLines * kHistoryPageLines;
  return 0;
}

bool CanTurnForward(int topLine, std::size_t lineCount) {
  return topLine + kHistoryPageLines < static_cast<long long>(lineCount);
}

bool CanTurnBack(int topLine) { return topLine - kHistoryPageLines >= 0; }

int HallaCualLinea(double y, int topLine, std::size_t lineCount) {
  if (y >= kHistoryRowsEnd) return kNoHistoryRow;
  const double d = y - kHistoryRowsTop;
  // The three pixels on either side of a row line belong to no row.
  const long long within = RoundHalfEven(d) % kHistoryRowPitch;
  if (within < 3 || within > 14) return kNoHistoryRow;
  const int row = static_cast<int>(std::floor(d / kHistoryRowPitch));
  if (row < 0 || topLine + row >= static_cast<long long>(lineCount)) return kNoHistoryRow;
  return row;
}

}  // namespace vetra
