#pragma once
// The scrutiny of a stored reduction: the winning column and the prizes the
// user enters, their place in the matchday record, the count of hits of every
// column of the reduction's column file, and the two result lists — the
// columns per number of hits with their amounts, and the slips that hold
// prizes. Texts are file bytes; the lists are plain ASCII.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "matchdays/matchday_file.h"
#include "reductions/reduction_engine.h"

namespace vetra {

struct AppState;

inline constexpr int kWinningSigns = 3;           // 1, X, 2
inline constexpr int kHitCategories = kMatches + 1;  // 0..14 hits
inline constexpr int kPrizes = kPrizeCategories;  // 14, 13, 12, 11 and 10 hits
inline constexpr int kLowestPrizeHits = kMatches + 1 - kPrizes;
inline constexpr int kColumnsPerSlip = 8;
inline constexpr std::size_t kAmountWidth = 11;

// The marks of the winning grid, [match 0..13][sign 0..2], 0 or 1; after any
// edit a match has at most one.
using WinningGrid = std::array<std::array<std::int16_t, kWinningSigns>, kMatches>;

// A cell of the winning grid: match 1..14 and sign 1..3 (1, X, 2), or 0 in
// either when the point is on no cell.
struct WinningCell {
  int match = 0;
  int sign = 0;
  bool operator==(const WinningCell&) const = default;
};

// The hit test of the grid in its own pixels: the cell of match m and sign s
// covers x from 15s - 12 to 15s and y from 18m - 14 to 18m; the gaps between
// cells belong to none.
WinningCell QueGanadoraHaPulsado(double x, double y);

// Where the cell of (match, sign) is drawn in the grid.
int WinningCellLeft(int sign);
int WinningCellTop(int match);

// A click on a cell: its mark is toggled and the match's other signs cleared.
void ToggleWinningSign(WinningGrid& grid, WinningCell cell);

// The pointer over the grid: 0 off the cells, 2 over an unmarked cell, 3 over
// a marked one.
int WinningPointerState(const WinningGrid& grid, WinningCell cell);

// "1", "X" or "2" per match; empty as soon as a match has no mark.
std::string WinningColumnText(const WinningGrid& grid);

// The prize text box while it is typed in: trimmed, and the character just
// typed before the caret dropped unless it is a digit or a point.
struct PrizeField {
  std::string text;
  int caret = 0;  // characters before the caret
  bool operator==(const PrizeField&) const = default;
};
PrizeField FilterPrizeField(std::string_view text, int caret);

// The prize text once the box is left: the shortest plain decimal writing of
// its value ("1500.50" → "1500.5", "007" → "7", "" → "0").
std::string NormalPrizeText(std::string_view text);

// What the screen holds between two loads: the grid and the five prize boxes
// (category 14 first) with their values.
struct ScrutinyEntry {
  WinningGrid grid{};
  std::array<std::string, kPrizes> prizeTexts;
  std::array<double, kPrizes> prizes{};
};

// The winning column and prizes stored in a matchday record.
ScrutinyEntry ScrutinyEntryOf(std::string_view record);

class QuotedLines;  // the counting of lines of the usual shape

// The slips that hold prizes: slip number and its columns of 14, 13, 12, 11
// and 10 hits.
struct SlipHits {
  std::int32_t slip = 0;
  std::array<std::int16_t, kPrizes> counts{};
  bool operator==(const SlipHits&) const = default;
};

// Counts the hits of columns against the winning column, per number of hits
// and per slip of eight columns. Columns come one by one, or as the bytes of
// a column file in pieces of any size, read as the column-file reader reads
// them: every line is a column, whose first quoted item is compared position
// by position (a short one compares what it has).
class HitCounter {
 public:
  // The totals per number of hits, one table for each column of a slip, so
  // that columns in a row with the same hits do not wait for each other's sums.
  using ColumnTotals = std::array<std::array<std::int32_t, kHitCategories>, kColumnsPerSlip>;

  explicit HitCounter(std::string_view winningColumn);
  void AddColumn(std::string_view column);
  void AddBytes(std::string_view bytes);
  // The end of the columns: a last line without line end counts, and the
  // last slip is closed.
  void Finish();

  long long Columns() const { return columns_; }
  std::array<std::int32_t, kHitCategories> HitTotals() const;
  const std::vector<SlipHits>& Slips() const { return slips_; }

 private:
  int Hits(std::string_view column) const;
  void Count(long long& columns, int hits);
  void AddLine(std::string_view line);
  void NotePrize(int hits);
  const char* CountSlips(const QuotedLines& quoted, const char* p, const char* end, long long& columns);
  void ListSlip(long long columns);

  std::string winning_;
  std::array<char, 16> winningLine_{};  // as a column-file line: quoted
  long long columns_ = 0;
  ColumnTotals totals_{};
  std::array<std::int16_t, kPrizes> slipPrizes_{};  // of the slip being counted, 14 hits first
  int prizeColumns_ = 0;                            // their sum
  std::vector<SlipHits> slips_;
  std::string pending_;  // the start of a line cut by the end of a piece
};

// Counts the columns of a column file. False when it cannot be opened.
bool CountColumnFile(const std::string& path, HitCounter& counter);

enum class ScrutinyOutcome {
  Counted,           // both lists filled
  IncompleteColumn,  // a match without sign: nothing counted
  NoColumnFile,      // the column file could not be opened
};

struct ScrutinyResult {
  ScrutinyOutcome outcome = ScrutinyOutcome::NoColumnFile;
  std::string winningColumn;  // "1", "X", "2" per match
  long long columns = 0;
  std::array<std::int32_t, kHitCategories> hitTotals{};
  std::vector<SlipHits> slips;
  // The amount text of each number of hits, as the list shows it: a single
  // blank, or the amount with two decimals and "." padded in front to 11.
  std::array<std::string, kHitCategories> amounts;
  std::string total;  // the sum of the amounts, written like one
};

// `text` with blanks in front up to `width` characters; a wider text is kept
// whole, so that no figure is ever cut.
std::string RightAligned(std::string text, std::size_t width);

// The amount with two decimals and "." as separator, padded in front to 11
// characters; a wider amount is kept whole.
std::string AmountText(double amount);

// The run of the scrutiny on the current matchday and order: stores the grid
// and the prize texts in the matchday record (its own positions only) and
// writes the record, then, with a complete winning column, counts the
// reduction's column file. Opening it reports every error but a missing file.
ScrutinyResult RunScrutiny(AppState& app, const ScrutinyEntry& entry);

// The lines of Lis_Aciertos: "Total premios:" and one line per number of hits
// from 14 down to 0.
std::vector<std::string> HitLines(const ScrutinyResult& result);

// The line of one slip in Lis_Boletos: its number in 6, then each count of
// 14 down to 10 hits after two blanks, a blank for none. The count of 14
// hits stands in character 11, each next category 3 characters further.
inline constexpr int kSlipCountColumn = 11;
inline constexpr int kSlipCountPitch = 3;
std::string SlipLine(const SlipHits& slip);
std::vector<std::string> SlipLines(const ScrutinyResult& result);

// The incomplete winning column, UTF-8.
inline constexpr const char* kIncompleteColumnTitle = "COLUMNA GANADORA INCOMPLETA";
inline constexpr const char* kIncompleteColumnText =
    "Es necesario que marque los 14 resultados de la columna ganadora para poder realizar el escrutinio de "
    "aciertos.";

}  // namespace vetra
