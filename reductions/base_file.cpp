#include "reductions/base_file.h"

#include <algorithm>

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

// Line n of the file (0-based here) as text: the first 230 bytes of its slot,
// up to a line end that cuts it short.
std::string_view LineText(std::string_view bytes, std::size_t index) {
  const std::size_t start = index * kBaseLineSize;
  if (start >= bytes.size()) return {};
  std::string_view line = bytes.substr(start, kBaseLineWidth);
  return line.substr(0, std::min(line.size(), line.find_first_of("\r\n")));
}

// Whole lines, plus a last one cut short when the bytes after the whole lines
// hold more than blanks and line ends.
std::size_t LineCount(std::string_view bytes) {
  const std::size_t whole = bytes.size() / kBaseLineSize;
  const std::string_view rest = bytes.substr(whole * kBaseLineSize);
  return whole + (rest.find_first_not_of(" \r\n") != std::string_view::npos ? 1 : 0);
}

BaseLookup Lookup(std::string_view bytes, const std::string& key) {
  BaseLookup result;
  const std::size_t count = LineCount(bytes);
  for (std::size_t i = 0; i < count; ++i) {
    result.lineNumber = static_cast<int>(i + 1);
    result.lastLine = std::string(LineText(bytes, i));
    if (result.lastLine.compare(0, kKeyWidth, key) == 0) {
      result.found = true;
      break;
    }
  }
  return result;
}

// Writes `text` at `at` within line `index` (0-based). A last line cut short
// is rewritten whole with its CR LF, so that the file is whole again;
// otherwise only `text` is written and the line keeps its CR LF.
int WriteInLine(const std::string& path, std::string_view bytes, std::size_t index, std::size_t at,
                std::string_view text) {
  const long long start = static_cast<long long>(index * kBaseLineSize);
  if (bytes.size() >= (index + 1) * kBaseLineSize) return WriteFileAt(path, start + at, text);
  std::string line = FixedWidth(LineText(bytes, index), kBaseLineWidth);
  line.replace(at, text.size(), text);
  return WriteFileAt(path, start, line + kLineEnd);
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
    const BaseLookup lookup = Lookup(bytes, BaseKey(matchday, orderNumber));
    BaseRecord stored;
    if (lookup.found) {
      if (int number = ParseBaseLine(lookup.lastLine, stored))
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
  return Lookup(bytes, BaseKey(matchday, orderNumber));
}

void FreeBase(AppState& app, int matchday, int orderNumber) {
  app.lastFileError = 0;
  std::string bytes;
  if (int number = ReadFileBytes(DataFilePath(app, kBaseFile), bytes)) {
    RaiseFileError(app, kFreeRoutine, number);
    return;
  }
  const std::string key = BaseKey(matchday, orderNumber);
  const std::size_t count = LineCount(bytes);
  for (std::size_t i = 0; i < count; ++i) {
    if (LineText(bytes, i).substr(0, kKeyWidth) != key) continue;
    if (int number = WriteInLine(DataFilePath(app, kBaseFile), bytes, i, 0, FreeSlotLine())) {
      RaiseFileError(app, kFreeRoutine, number);
      return;
    }
  }
}

void StoreBase(AppState& app) {
  app.lastFileError = 0;
  std::string bytes;
  if (!ReadIndexForWriting(app, bytes)) return;
  const std::string path = DataFilePath(app, kBaseFile);
  const std::string line = BaseLine(CurrentBaseRecord(app));
  BaseLookup slot = Lookup(bytes, BaseKey(app.currentMatchday, app.currentOrder));
  if (!slot.found) slot = Lookup(bytes, BaseKey(0, 0));
  int number;
  if (slot.found) {
    number = WriteInLine(path, bytes, static_cast<std::size_t>(slot.lineNumber - 1), 0, line);
  } else {
    const std::size_t count = LineCount(bytes);
    const bool lastCut = count > 0 && bytes.size() < count * kBaseLineSize;
    number = lastCut ? WriteInLine(path, bytes, count - 1, 0, "") : 0;
    if (number == 0) number = WriteFileAt(path, static_cast<long long>(count * kBaseLineSize), line + kLineEnd);
  }
  if (number) RaiseFileError(app, kStoreRoutine, number);
}

void UpdateDescription(AppState& app) {
  app.lastFileError = 0;
  std::string bytes;
  if (!ReadIndexForWriting(app, bytes)) return;
  const BaseLookup lookup = Lookup(bytes, BaseKey(app.currentMatchday, app.currentOrder));
  if (!lookup.found) return;
  if (int number = WriteInLine(DataFilePath(app, kBaseFile), bytes, static_cast<std::size_t>(lookup.lineNumber - 1),
                               kDescriptionAt, DescriptionField(app.description)))
    RaiseFileError(app, kDescriptionRoutine, number);
}

}  // namespace vetra
