#include "reductions/base_file.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/data_folder.h"
#include "app/file_errors.h"
#include "app/file_io.h"
#include "app/numbers.h"

namespace vetra {
namespace {

// 0-based positions within a line.
constexpr std::size_t kKeyWidth = 4;
constexpr std::size_t kMethodAt = 4;
constexpr std::size_t kMinErrorsAt = 5;
constexpr std::size_t kMaxErrorsAt = 7;
constexpr std::size_t kDirectAt = 15;
constexpr std::size_t kReducedAt = 22;
constexpr std::size_t kBetsWidth = 7;
constexpr std::size_t kGridAt = 29;
constexpr std::size_t kTotalsAt = 120;

constexpr const char* kLineEnd = "\r\n";

// `value` right-aligned in `width` characters, padded with `pad`; out of
// range, the nearest value that fits.
std::string RightAligned(long long value, std::size_t width, char pad) {
  long long largest = 9;
  for (std::size_t i = 1; i < width; ++i) largest = largest * 10 + 9;
  const std::string digits = std::to_string(std::clamp(value, 0LL, largest));
  return std::string(width - digits.size(), pad) + digits;
}

// A number field: digits with blanks around them; all blanks read as 0.
bool ParseNumber(std::string_view line, std::size_t at, std::size_t width, long long& value) {
  const std::string text = Trimmed(FixedWidth(at < line.size() ? line.substr(at, width) : "", width));
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

template <typename T>
bool ParseField(std::string_view line, std::size_t at, std::size_t width, T& out) {
  long long value;
  if (!ParseNumber(line, at, width, value)) return false;
  out = static_cast<T>(value);
  return true;
}

// One line of the index as it lies in the file: its text runs from `at` up
// to its line end (LF, or CR LF), and `end` is where the next line starts.
struct IndexLine {
  std::size_t at = 0;
  std::string_view text;
  std::size_t end = 0;
  // A line of full width with its CR LF, where an in-place write of its
  // width replaces it and nothing else.
  bool Whole(std::string_view bytes) const {
    return text.size() == kBaseLineWidth && bytes.substr(at + kBaseLineWidth, 2) == kLineEnd;
  }
};

// The lines of the index read in order, as a text editor sees them: a line
// that lost its trailing blanks does not shift the ones after it.
class IndexLines {
 public:
  explicit IndexLines(std::string_view bytes) : bytes_(bytes) {}
  bool Next(IndexLine& line) {
    if (pos_ >= bytes_.size()) return false;
    const std::size_t lf = bytes_.find('\n', pos_);
    const std::size_t stop = lf == std::string_view::npos ? bytes_.size() : lf;
    line.at = pos_;
    line.text = bytes_.substr(pos_, stop - pos_);
    if (!line.text.empty() && line.text.back() == '\r') line.text.remove_suffix(1);
    line.end = lf == std::string_view::npos ? bytes_.size() : lf + 1;
    pos_ = line.end;
    return true;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

bool HasKey(std::string_view text, std::string_view key) { return text.substr(0, kKeyWidth) == key; }

struct Found {
  BaseLookup lookup;
  IndexLine line;
};

Found Lookup(std::string_view bytes, const std::string& key) {
  Found result;
  IndexLines lines(bytes);
  IndexLine line;
  while (lines.Next(line)) {
    ++result.lookup.lineNumber;
    if (HasKey(line.text, key)) {
      result.lookup.found = true;
      result.line = line;
      break;
    }
  }
  if (result.lookup.lineNumber > 0) result.lookup.lastLine = std::string(result.lookup.found ? result.line.text : line.text);
  return result;
}

// Replaces the given lines of the index with new texts of full width. Where
// every one of them is a whole line, each is written in place in one call and
// the rest of the file is not touched; otherwise (a line cut short, a line
// end missing) the file is rewritten whole under a temporary name, with
// those lines made whole and every other byte as it was.
int ReplaceLines(const std::string& path, std::string_view bytes,
                 const std::vector<std::pair<IndexLine, std::string>>& changes) {
  const bool inPlace = std::all_of(changes.begin(), changes.end(), [&](const auto& c) { return c.first.Whole(bytes); });
  if (inPlace) {
    for (const auto& [line, text] : changes)
      if (int number = WriteFileAt(path, static_cast<long long>(line.at), text)) return number;
    return 0;
  }
  std::string file;
  std::size_t from = 0;
  for (const auto& [line, text] : changes) {
    file.append(bytes.substr(from, line.at - from));
    file += text + kLineEnd;
    from = line.end;
  }
  file.append(bytes.substr(from));
  return WriteFileReplacing(path, file);
}

std::string FreeSlotLine() { return FixedWidth(BaseKey(0, 0), kBaseLineWidth); }

// The description as stored: a line end or other control byte inside it
// would break the line, so each becomes a blank.
std::string DescriptionField(std::string_view description) {
  std::string field = FixedWidth(description, kDescriptionWidth);
  for (char& c : field)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return field;
}

constexpr const char* kMissingAndCreated = "No se encuentra el fichero BASES.VTR. Se va a proceder a crearlo.";
constexpr const char* kIndexPathMissing = "No existe el fichero BASES.VTR";
constexpr const char* kFolderMissing = "No existe la carpeta del fichero BASES.VTR";
constexpr FileRoutine kLoadRoutine{"LFB", kMissingAndCreated, kIndexPathMissing};
constexpr FileRoutine kExistsRoutine{"EEB", kMissingAndCreated, kIndexPathMissing};
constexpr FileRoutine kFreeRoutine{"BRB", "No se encuentra el fichero BASES.VTR", kIndexPathMissing};
constexpr FileRoutine kStoreRoutine{"EFB", "", kFolderMissing};
constexpr FileRoutine kDescriptionRoutine{"ADB", "", kFolderMissing};

// Reads the whole index. A missing file is reported and then created empty,
// which reads as no lines. False when nothing could be read.
bool ReadIndex(AppState& app, const FileRoutine& routine, std::string& bytes) {
  const std::string path = DataFilePath(app, kBaseFile);
  const int number = ReadFileBytes(path, bytes);
  if (number == 0) return true;
  bytes.clear();
  RaiseFileError(app, routine, number);
  if (number == err::kFileNotFound) {
    if (int created = WriteFileReplacing(path, "")) RaiseFileError(app, routine, created);
  }
  return false;
}

// The lookup of StoreBase and UpdateDescription: false when the index could
// not be read, except that a missing index just created counts as empty.
bool ReadIndexForWriting(AppState& app, std::string& bytes) {
  if (ReadIndex(app, kExistsRoutine, bytes)) return true;
  if (app.lastFileError != err::kFileNotFound) return false;
  app.lastFileError = 0;
  return true;
}

}  // namespace

std::string BaseKey(int matchday, int orderNumber) {
  return RightAligned(matchday, 2, '0') + RightAligned(orderNumber, 2, '0');
}

std::string BaseLine(const BaseRecord& r) {
  std::string line(kBaseLineWidth, ' ');
  line.replace(0, kKeyWidth, BaseKey(r.matchday, r.orderNumber));
  line.replace(kMethodAt, 1, RightAligned(r.reductionMethod, 1, ' '));
  line.replace(kMinErrorsAt, 2, RightAligned(r.minErrors, 2, ' '));
  line.replace(kMaxErrorsAt, 2, RightAligned(r.maxErrors, 2, ' '));
  line.replace(kDirectAt, kBetsWidth, RightAligned(r.directBets, kBetsWidth, ' '));
  line.replace(kReducedAt, kBetsWidth, RightAligned(r.reducedBets, kBetsWidth, ' '));
  for (std::size_t m = 0; m < r.baseGrid.size(); ++m) {
    const BaseMatch& match = r.baseGrid[m];
    std::string entries;
    for (std::int16_t value :
         {match.signs[0], match.signs[1], match.signs[2], match.signCount, match.marked, match.probable})
      entries += RightAligned(value, 1, ' ');
    line.replace(kGridAt + 6 * m, 6, entries);
  }
  for (std::size_t k = 0; k < 3; ++k)
    for (std::size_t j = 0; j < 15; ++j) line[kTotalsAt + 15 * k + j] = r.allowedTotals[k][j] ? '1' : '0';
  line.replace(kDescriptionAt, kDescriptionWidth, DescriptionField(r.description));
  return line;
}

int ParseBaseLine(std::string_view line, BaseRecord& r) {
  bool ok = ParseField(line, 0, 2, r.matchday) && ParseField(line, 2, 2, r.orderNumber) &&
            ParseField(line, kMethodAt, 1, r.reductionMethod) && ParseField(line, kMinErrorsAt, 2, r.minErrors) &&
            ParseField(line, kMaxErrorsAt, 2, r.maxErrors) && ParseField(line, kDirectAt, kBetsWidth, r.directBets) &&
            ParseField(line, kReducedAt, kBetsWidth, r.reducedBets);
  for (std::size_t m = 0; ok && m < r.baseGrid.size(); ++m) {
    BaseMatch& match = r.baseGrid[m];
    std::int16_t* entries[] = {&match.signs[0],  &match.signs[1], &match.signs[2],
                               &match.signCount, &match.marked,   &match.probable};
    for (std::size_t e = 0; ok && e < 6; ++e) ok = ParseField(line, kGridAt + 6 * m + e, 1, *entries[e]);
  }
  for (std::size_t k = 0; ok && k < 3; ++k)
    for (std::size_t j = 0; ok && j < 15; ++j) ok = ParseField(line, kTotalsAt + 15 * k + j, 1, r.allowedTotals[k][j]);
  if (!ok) return err::kTypeMismatch;
  r.description = Trimmed(kDescriptionAt < line.size() ? line.substr(kDescriptionAt, kDescriptionWidth) : "");
  return 0;
}

BaseRecord EmptyBaseRecord() {
  BaseRecord r;
  for (BaseMatch& match : r.baseGrid) {
    match.signs[0] = 1;
    match.signCount = 1;
  }
  r.directBets = 1;
  r.reducedBets = 1;
  return r;
}

BaseRecord CurrentBaseRecord(const AppState& app) {
  BaseRecord r;
  r.matchday = app.currentMatchday;
  r.orderNumber = app.currentOrder;
  r.reductionMethod = app.reductionMethod;
  r.minErrors = app.minErrors;
  r.maxErrors = app.maxErrors;
  r.directBets = app.directBets;
  r.reducedBets = app.reducedBets;
  r.baseGrid = app.baseGrid;
  r.allowedTotals = app.allowedTotals;
  r.description = app.description;
  return r;
}

void SetCurrentBaseRecord(AppState& app, const BaseRecord& r) {
  app.reductionMethod = r.reductionMethod;
  app.minErrors = r.minErrors;
  app.maxErrors = r.maxErrors;
  app.directBets = r.directBets;
  app.reducedBets = r.reducedBets;
  app.baseGrid = r.baseGrid;
  app.allowedTotals = r.allowedTotals;
  app.description = r.description;
}

void LoadBase(AppState& app, int matchday, int orderNumber) {
  app.lastFileError = 0;
  BaseRecord record = EmptyBaseRecord();
  record.reductionMethod = app.reductionMethod;
  std::string bytes;
  if (ReadIndex(app, kLoadRoutine, bytes)) {
    const Found found = Lookup(bytes, BaseKey(matchday, orderNumber));
    BaseRecord stored;
    if (found.lookup.found) {
      if (int number = ParseBaseLine(found.line.text, stored))
        RaiseFileError(app, kLoadRoutine, number);  // a damaged line loads as no line
      else
        record = stored;
    }
  }
  SetCurrentBaseRecord(app, record);
}

BaseLookup BaseExists(AppState& app, int matchday, int orderNumber) {
  app.lastFileError = 0;
  std::string bytes;
  ReadIndex(app, kExistsRoutine, bytes);
  return Lookup(bytes, BaseKey(matchday, orderNumber)).lookup;
}

void FreeBase(AppState& app, int matchday, int orderNumber) {
  app.lastFileError = 0;
  std::string bytes;
  const std::string path = DataFilePath(app, kBaseFile);
  if (int number = ReadFileBytes(path, bytes)) {
    RaiseFileError(app, kFreeRoutine, number);
    return;
  }
  const std::string key = BaseKey(matchday, orderNumber);
  std::vector<std::pair<IndexLine, std::string>> changes;
  IndexLines lines(bytes);
  IndexLine line;
  while (lines.Next(line))
    if (HasKey(line.text, key)) changes.emplace_back(line, FreeSlotLine());
  if (changes.empty()) return;
  if (int number = ReplaceLines(path, bytes, changes)) RaiseFileError(app, kFreeRoutine, number);
}

void ReserveBaseSlot(AppState& app) {
  app.lastFileError = 0;
  std::string bytes;
  if (!ReadIndexForWriting(app, bytes)) return;
  if (Lookup(bytes, BaseKey(app.currentMatchday, app.currentOrder)).lookup.found) return;
  if (Lookup(bytes, BaseKey(0, 0)).lookup.found) return;
  const std::string path = DataFilePath(app, kBaseFile);
  // The file is replaced whole, so that no kill leaves half a line at its
  // end; a last line without its line end gets one first.
  const bool ended = bytes.empty() || bytes.back() == '\n';
  const int number = WriteFileReplacing(path, bytes + (ended ? "" : kLineEnd) + FreeSlotLine() + kLineEnd);
  if (number) RaiseFileError(app, kStoreRoutine, number);
}

void WriteBaseLine(AppState& app, std::string_view line) {
  app.lastFileError = 0;
  ReserveBaseSlot(app);
  if (app.lastFileError) return;
  std::string bytes;
  if (!ReadIndexForWriting(app, bytes)) return;
  Found slot = Lookup(bytes, std::string(line.substr(0, kKeyWidth)));
  if (!slot.lookup.found) slot = Lookup(bytes, BaseKey(0, 0));
  if (int number = ReplaceLines(DataFilePath(app, kBaseFile), bytes, {{slot.line, FixedWidth(line, kBaseLineWidth)}}))
    RaiseFileError(app, kStoreRoutine, number);
}

void StoreBase(AppState& app) { WriteBaseLine(app, BaseLine(CurrentBaseRecord(app))); }

void UpdateDescription(AppState& app) {
  app.lastFileError = 0;
  std::string bytes;
  if (!ReadIndexForWriting(app, bytes)) return;
  const Found found = Lookup(bytes, BaseKey(app.currentMatchday, app.currentOrder));
  BaseRecord stored;
  // A line that did not load is not written back; an unchanged description
  // is not written at all.
  if (!found.lookup.found || ParseBaseLine(found.line.text, stored) != 0) return;
  const std::string field = DescriptionField(app.description);
  if (stored.description == Trimmed(field)) return;
  std::string text = FixedWidth(found.line.text, kBaseLineWidth);
  text.replace(kDescriptionAt, kDescriptionWidth, field);
  if (int number = ReplaceLines(DataFilePath(app, kBaseFile), bytes, {{found.line, text}}))
    RaiseFileError(app, kDescriptionRoutine, number);
}

}  // namespace vetra
