#include "scrutiny/scrutiny_engine.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/delimited_fields.h"
#include "app/number_format.h"
#include "app/numbers.h"
#include "matchdays/matchday_file.h"
#include "reductions/column_file.h"

namespace vetra {
namespace {

constexpr char kSignCharacters[] = {'1', 'X', '2'};

// The column-file reader keeps this much of a line; the rest is skipped.
constexpr std::size_t kLineKept = 64;
// A line cut by the end of a piece keeps one byte more, so that a CR ending a
// line of 65 bytes can still be told from the CR of a longer line.
constexpr std::size_t kPendingKept = kLineKept + 2;

// The columns are read 1 MiB at a time, however big the file.
constexpr std::size_t kReadBlock = 1 << 20;

constexpr std::size_t kQuotedLineSize = 18;  // a quote, 14 signs, a quote, CR LF
constexpr std::ptrdiff_t kQuotedSlipSize = kQuotedLineSize * kColumnsPerSlip;

// The hits told by the bits of a line's 14 signs equal to the winning ones,
// with a flag when they win a prize.
constexpr std::uint8_t kPrizeFlag = 0x10;
constexpr std::uint8_t kHitsMask = kPrizeFlag - 1;
constexpr auto kHitsOfSigns = [] {
  std::array<std::uint8_t, 1 << kMatches> table{};
  for (unsigned signs = 0; signs < table.size(); ++signs) {
    const int hits = std::popcount(signs);
    table[signs] = static_cast<std::uint8_t>(hits | (hits >= kLowestPrizeHits ? kPrizeFlag : 0));
  }
  return table;
}();

// A slip with a line of another shape than the usual.
constexpr int kIrregularSlip = 0x20;

// Sixteen bytes compared in one step where the machine can.
#if defined(__SSE2__)
using Bytes16 = __m128i;
Bytes16 Load16(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
Bytes16 Equal16(Bytes16 a, Bytes16 b) { return _mm_cmpeq_epi8(a, b); }
Bytes16 Or16(Bytes16 a, Bytes16 b) { return _mm_or_si128(a, b); }
// A bit per byte, byte 0 the lowest: set where the byte is all ones.
unsigned Bits16(Bytes16 a) { return static_cast<unsigned>(_mm_movemask_epi8(a)); }
#else
using Bytes16 = std::array<unsigned char, 16>;
Bytes16 Load16(const char* p) {
  Bytes16 bytes;
  std::memcpy(bytes.data(), p, bytes.size());
  return bytes;
}
Bytes16 Equal16(Bytes16 a, Bytes16 b) {
  for (std::size_t i = 0; i < a.size(); ++i) a[i] = a[i] == b[i] ? 0xFF : 0;
  return a;
}
Bytes16 Or16(Bytes16 a, Bytes16 b) {
  for (std::size_t i = 0; i < a.size(); ++i) a[i] |= b[i];
  return a;
}
unsigned Bits16(Bytes16 a) {
  unsigned bits = 0;
  for (std::size_t i = 0; i < a.size(); ++i) bits |= static_cast<unsigned>(a[i] >> 7) << i;
  return bits;
}
#endif

constexpr unsigned kEndQuotes = 0x8001;  // bytes 0 and 15 of a line
const char kQuotes16[] = "\"\"\"\"\"\"\"\"\"\"\"\"\"\"\"\"";

// The 14 signs' bits of a line's bits.
unsigned SignBits(unsigned lineBits) { return (lineBits >> 1) & ((1u << kMatches) - 1); }

std::uint32_t Bytes4(const char* text) {
  std::uint32_t value;
  std::memcpy(&value, text, sizeof value);
  return value;
}

// A line's closing quote, its CR LF and the next line's opening quote.
const std::uint32_t kLineJoint = Bytes4("\"\r\n\"");

}  // namespace

// Lines of the usual shape — a quote, 14 signs, a quote, CR LF — told by
// their bytes at once; any other line goes the column-file reader's way.
class QuotedLines {
 public:
  explicit QuotedLines(const std::array<char, 16>& winning)
      : winning_(Load16(winning.data())), quotes_(Load16(kQuotes16)) {}

  // The hits of one line of 18 bytes, or -1.
  int Hits(const char* line) const {
    const Bytes16 bytes = Load16(line);
    if (Bits16(Equal16(bytes, quotes_)) != kEndQuotes || line[16] != '\r' || line[17] != '\n') return -1;
    return kHitsOfSigns[SignBits(Bits16(Equal16(bytes, winning_)))] & kHitsMask;
  }

  // Adds `step` to the totals of the hits of a slip's eight lines, and tells
  // kPrizeFlag when any wins a prize, kIrregularSlip when any has another
  // shape: what it added must then be taken back. Adding before the shape is
  // known spares keeping the hits; it looks one byte past the slip, at the
  // next line's opening quote, so that each line's ends take one test.
  int AddSlip(const char* slip, int step, HitCounter::ColumnTotals& totals) const {
    Bytes16 quotes{};
    std::uint32_t joints = static_cast<unsigned char>(slip[0]) ^ static_cast<unsigned char>('"');
    unsigned flags = 0;
    for (int i = 0; i < kColumnsPerSlip; ++i) {
      const char* line = slip + i * kQuotedLineSize;
      const Bytes16 bytes = Load16(line);
      quotes = Or16(quotes, Equal16(bytes, quotes_));
      joints |= Bytes4(line + 15) ^ kLineJoint;
      const std::uint8_t counted = kHitsOfSigns[SignBits(Bits16(Equal16(bytes, winning_)))];
      flags |= counted;
      totals[i][counted & kHitsMask] += step;
    }
    if ((Bits16(quotes) & ~kEndQuotes) != 0 || joints != 0) return kIrregularSlip;
    return static_cast<int>(flags & kPrizeFlag);
  }

 private:
  Bytes16 winning_;
  Bytes16 quotes_;
};

namespace {

std::string Number(long long n) { return std::to_string(n); }

std::string WinningDigits(const WinningGrid& grid) {
  std::string digits;
  for (const auto& match : grid) {
    char digit = '0';
    for (int s = 0; s < kWinningSigns; ++s)
      if (match[s]) digit = static_cast<char>('1' + s);
    digits += digit;
  }
  return digits;
}

}  // namespace

WinningCell QueGanadoraHaPulsado(double x, double y) {
  WinningCell cell;
  if (y > 3 && y < 274 && RoundHalfEven(y + 14) % 18 < 15) {
    const int match = static_cast<int>(std::floor((y + 14) / 18));
    if (match <= kMatches) cell.match = match;
  }
  if (cell.match != 0 && x > 3 && x < 48 && RoundHalfEven(x + 12) % 15 < 13)
    cell.sign = static_cast<int>(std::floor((x + 12) / 15));
  if (cell.sign == 0) cell.match = 0;
  return cell;
}

int WinningCellLeft(int sign) { return 15 * (sign - 1) + 3; }
int WinningCellTop(int match) { return 18 * (match - 1) + 3; }

void ToggleWinningSign(WinningGrid& grid, WinningCell cell) {
  if (cell.match < 1 || cell.match > kMatches || cell.sign < 1 || cell.sign > kWinningSigns) return;
  auto& match = grid[cell.match - 1];
  for (int s = 1; s <= kWinningSigns; ++s) {
    auto& mark = match[s - 1];
    mark = s == cell.sign ? static_cast<std::int16_t>(mark ? 0 : 1) : std::int16_t{0};
  }
}

int WinningPointerState(const WinningGrid& grid, WinningCell cell) {
  if (cell.sign == 0) return 0;
  return grid[cell.match - 1][cell.sign - 1] ? 3 : 2;
}

std::string WinningColumnText(const WinningGrid& grid) {
  std::string text;
  for (const auto& match : grid) {
    const auto marked = std::find(match.begin(), match.end(), 1);
    if (marked == match.end()) return "";
    text += kSignCharacters[marked - match.begin()];
  }
  return text;
}

PrizeField FilterPrizeField(std::string_view text, int caret) {
  const std::size_t lead = std::min(text.find_first_not_of(' '), text.size());
  PrizeField field{Trimmed(text), 0};
  field.caret = std::clamp(caret - static_cast<int>(lead), 0, static_cast<int>(field.text.size()));
  if (field.caret > 0) {
    const char typed = field.text[field.caret - 1];
    if (!(typed >= '0' && typed <= '9') && typed != '.') {
      field.text.erase(field.caret - 1, 1);
      --field.caret;
    }
  }
  return field;
}

std::string NormalPrizeText(std::string_view text) {
  const double value = ValueOf(text);
  if (value == 0) return "0";  // never "-0"
  char buffer[400];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::string(buffer, written.ptr);
}

ScrutinyEntry ScrutinyEntryOf(std::string_view record) {
  ScrutinyEntry entry;
  const std::string digits = WinningColumnDigits(record);
  for (int m = 0; m < kMatches && m < static_cast<int>(digits.size()); ++m) {
    const int sign = digits[m] - '0';
    if (sign >= 1 && sign <= kWinningSigns) entry.grid[m][sign - 1] = 1;
  }
  for (int k = 0; k < kPrizes; ++k) {
    // A prize from the file obeys what the box lets be typed: digits and
    // points only, then its plain writing ("1e308" is 1308, "-5" is 5).
    std::string typed;
    for (char c : PrizeText(record, k + 1))
      if ((c >= '0' && c <= '9') || c == '.') typed += c;
    entry.prizeTexts[k] = typed.empty() ? "" : NormalPrizeText(typed);
    entry.prizes[k] = ValueOf(entry.prizeTexts[k]);
  }
  return entry;
}

HitCounter::HitCounter(std::string_view winningColumn) : winning_(winningColumn.substr(0, kMatches)) {
  winningLine_.fill('"');
  std::copy(winning_.begin(), winning_.end(), winningLine_.begin() + 1);
}

int HitCounter::Hits(std::string_view column) const {
  const std::size_t n = std::min(column.size(), winning_.size());
  int hits = 0;
  for (std::size_t i = 0; i < n; ++i) hits += column[i] == winning_[i];
  return hits;
}

void HitCounter::AddColumn(std::string_view column) { Count(columns_, Hits(column)); }

// `columns` is the count so far, which the fast loop keeps in a register.
inline void HitCounter::Count(long long& columns, int hits) {
  // A slip is complete with every eighth column; one without prizes leaves
  // nothing to list or to clear.
  if (prizeColumns_ != 0 && static_cast<unsigned long long>(columns) % kColumnsPerSlip == 0) ListSlip(columns);
  ++totals_[static_cast<unsigned long long>(columns) % kColumnsPerSlip][hits];
  ++columns;
  NotePrize(hits);
}

void HitCounter::NotePrize(int hits) {
  if (hits < kLowestPrizeHits) return;
  ++slipPrizes_[kMatches - hits];
  ++prizeColumns_;
}

// Lists the slip of the last column counted, which holds a prize.
void HitCounter::ListSlip(long long columns) {
  slips_.push_back({static_cast<std::int32_t>((columns + kColumnsPerSlip - 1) / kColumnsPerSlip), slipPrizes_});
  slipPrizes_.fill(0);
  prizeColumns_ = 0;
}

std::array<std::int32_t, kHitCategories> HitCounter::HitTotals() const {
  std::array<std::int32_t, kHitCategories> sum{};
  for (const auto& table : totals_)
    for (int hits = 0; hits < kHitCategories; ++hits) sum[hits] += table[hits];
  return sum;
}

// One line without its LF, as the column-file reader takes it: a CR before
// the LF dropped, at most 64 bytes kept, the first item's text as the column.
void HitCounter::AddLine(std::string_view line) {
  if (line.size() <= kLineKept + 1 && !line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::string column;
  DelimitedReader item(line.substr(0, kLineKept));
  if (item.ReadText(column) != 0) column.clear();
  AddColumn(column);
}

// Whole slips of lines of the usual shape, the first column of one next;
// stops before a slip with a line of another shape, or without the byte
// after it.
const char* HitCounter::CountSlips(const QuotedLines& quoted, const char* p, const char* end, long long& columns) {
  if (prizeColumns_ != 0) ListSlip(columns);
  for (; end - p > kQuotedSlipSize; p += kQuotedSlipSize) {
    const int slip = quoted.AddSlip(p, 1, totals_);
    if (slip == kIrregularSlip) {
      quoted.AddSlip(p, -1, totals_);
      break;
    }
    columns += kColumnsPerSlip;
    if (slip == kPrizeFlag) {
      for (int i = 0; i < kColumnsPerSlip; ++i) NotePrize(quoted.Hits(p + i * kQuotedLineSize));
      ListSlip(columns);
    }
  }
  return p;
}

void HitCounter::AddBytes(std::string_view bytes) {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  if (!pending_.empty()) {
    const auto* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
    const char* stop = lf ? lf : end;
    pending_.append(p, std::min<std::size_t>(stop - p, kPendingKept - std::min(pending_.size(), kPendingKept)));
    if (!lf) return;
    AddLine(pending_);
    pending_.clear();
    p = lf + 1;
  }
  const QuotedLines quoted(winningLine_);
  const bool whole = winning_.size() == kMatches;
  long long columns = columns_;
  while (p < end) {
    if (whole) {
      for (;;) {
        if (columns % kColumnsPerSlip == 0) p = CountSlips(quoted, p, end, columns);
        int hits;
        if (end - p < static_cast<std::ptrdiff_t>(kQuotedLineSize) || (hits = quoted.Hits(p)) < 0) break;
        Count(columns, hits);
        p += kQuotedLineSize;
      }
      if (p == end) break;
    }
    const auto* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
    if (!lf) {
      pending_.assign(p, std::min<std::size_t>(end - p, kPendingKept));
      break;
    }
    columns_ = columns;
    AddLine(std::string_view(p, lf - p));
    columns = columns_;
    p = lf + 1;
  }
  columns_ = columns;
}

void HitCounter::Finish() {
  if (!pending_.empty()) AddLine(pending_);
  pending_.clear();
  if (prizeColumns_ != 0) ListSlip(columns_);
}

bool CountColumnFile(const std::string& path, HitCounter& counter) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  const auto block = std::make_unique_for_overwrite<char[]>(kReadBlock);
  while (const std::size_t n = std::fread(block.get(), 1, kReadBlock, file))
    counter.AddBytes(std::string_view(block.get(), n));
  std::fclose(file);
  counter.Finish();
  return true;
}

std::string RightAligned(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string AmountText(double amount) {
  // "." whatever the regional settings: the list's amounts are read back as
  // numbers.
  return RightAligned(FormatNumber(amount, "0.00", NumberMarks{"", "."}), kAmountWidth);
}

ScrutinyResult RunScrutiny(AppState& app, const ScrutinyEntry& entry) {
  ScrutinyResult result;
  // The entry is stored whatever its state, before anything is counted.
  std::string& record = app.matchdayRecord;
  SetMatchdayHead(record, app.currentMatchday, app.currentMatchdayDate);
  SetWinningColumnDigits(record, WinningDigits(entry.grid));
  for (int k = 0; k < kPrizes; ++k) SetPrizeText(record, k + 1, entry.prizeTexts[k]);
  WriteMatchday(app);

  result.winningColumn = WinningColumnText(entry.grid);
  if (result.winningColumn.empty()) {
    result.outcome = ScrutinyOutcome::IncompleteColumn;
    return result;
  }
  // The reader opens the file as the shared open routine does, with its
  // messages; the counting reads it again in big blocks.
  ColumnFileReader reader;
  if (reader.Open(app, ColumnFileReader::Missing::Reported) != 0) return result;
  reader.Close();
  HitCounter counter(result.winningColumn);
  if (!CountColumnFile(DataFilePath(app, app.fileToOpen), counter)) return result;

  result.outcome = ScrutinyOutcome::Counted;
  result.columns = counter.Columns();
  result.hitTotals = counter.HitTotals();
  result.slips = counter.Slips();
  double total = 0;
  for (int hits = 0; hits <= kMatches; ++hits) {
    const std::int32_t count = result.hitTotals[hits];
    result.amounts[hits] =
        count >= 1 && hits >= kLowestPrizeHits ? AmountText(count * entry.prizes[kMatches - hits]) : " ";
    total += ValueOf(result.amounts[hits]);
  }
  result.total = AmountText(total);
  return result;
}

std::vector<std::string> HitLines(const ScrutinyResult& result) {
  if (result.outcome != ScrutinyOutcome::Counted) return {};
  std::vector<std::string> lines{"Total premios:" + result.total};
  for (int hits = kMatches; hits >= 0; --hits)
    lines.push_back("  " + RightAligned(Number(hits), 2) + "  " + RightAligned(Number(result.hitTotals[hits]), 6) +
                    "  " + result.amounts[hits]);
  return lines;
}

std::string SlipLine(const SlipHits& slip) {
  std::string line = RightAligned(Number(slip.slip), 6) + "  ";
  for (const std::int16_t count : slip.counts) line += "  " + (count ? Number(count) : std::string(" "));
  return line;
}

std::vector<std::string> SlipLines(const ScrutinyResult& result) {
  if (result.outcome != ScrutinyOutcome::Counted) return {};
  std::vector<std::string> lines;
  lines.reserve(result.slips.size());
  for (const SlipHits& slip : result.slips) lines.push_back(SlipLine(slip));
  return lines;
}

}  // namespace vetra
