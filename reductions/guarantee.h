#pragma once
// The guarantee of a stored reduction: for every one of the 3^14 possible
// results, how many of its columns lie at 0, 1, 2, 3 and 4 differences (14
// down to 10 hits), and from that what the reduction is sure to win when the
// result falls inside the base, and what it wins when some signs fall
// outside. Everything is counted exactly, over every result.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_state.h"
#include "reductions/column_generator.h"

namespace vetra {

inline constexpr std::int32_t kResultCount = 4782969;  // 3^14
inline constexpr int kPrizeDistances = 5;              // 0..4 differences: 14, 13, 12, 11 and 10 hits
inline constexpr int kFailRows = 4;                    // results with 0, 1, 2 and 3 signs outside the base
inline constexpr int kBestHitColumns = kPrizeDistances + 1;  // best hits 14..10, then fewer

// The place of a column among all results: match 1 is the lowest ternary
// digit, "1", "X", "2" are 0, 1, 2. -1 unless it is 14 such signs.
std::int32_t ResultIndex(std::string_view column);

// How many columns of a set lie at each distance 0..4 from every result.
class NearColumns {
 public:
  // Adds a column to the set (a column may come more than once and then
  // counts as often). False, and nothing added, unless it is 14 signs.
  bool Add(std::string_view column);
  std::int64_t Columns() const { return columns_; }

  // Turns the added columns into the counts by distance, asking `progress`
  // now and then how far it is. False, and nothing counted, when it is told
  // to stop.
  bool Spread(RunProgress& progress);

  // The columns at exactly `distance` (0..4) differences from `result`.
  std::uint32_t Count(std::int32_t result, int distance) const {
    if (wide_) return wideCounts_[distance][result];
    return distance < 2 ? smallCounts_[distance][result] : largeCounts_[distance - 2][result];
  }

 private:
  std::vector<std::uint32_t> marks_;  // how often each result is a column, until Spread
  std::int64_t columns_ = 0;
  // Distances 0 and 1 in bytes and 2..4 in 16 bits while no column comes more
  // than four times (why that cannot overflow: see kNarrowRepeats), 32 bits
  // for all otherwise.
  bool wide_ = false;
  std::array<std::vector<std::uint8_t>, 2> smallCounts_;
  std::array<std::vector<std::uint16_t>, 3> largeCounts_;
  std::array<std::vector<std::uint32_t>, kPrizeDistances> wideCounts_;
};

enum class GuaranteeOutcome {
  Counted,
  Stopped,       // the progress said stop
  NoColumnFile,  // it could not be read
};

// Reads the columns of a column file into `near`, line by line as the
// column-file reader takes them (see ColumnOfLine), asking `progress` every
// megabyte (done and total in bytes). Lines that are not 14 signs are left
// out and counted in `unreadable`.
GuaranteeOutcome ReadNearColumns(const std::string& path, NearColumns& near, std::int64_t& unreadable,
                                 RunProgress& progress);

struct MinMeanMax {
  double min = 0;
  double mean = 0;
  double max = 0;
  bool operator==(const MinMeanMax&) const = default;
};

struct GuaranteeFigures {
  std::int64_t columns = 0;
  std::int64_t unreadable = 0;  // lines of the file that are no column
  std::int64_t covered = 0;     // results whose every sign the base plays
  // The fewest best hits over the covered results, 10..14; 0 when some
  // covered result has fewer than 10.
  int guarantee = 0;
  // Results by signs outside the base (0..3) and best hits (14..10, fewer).
  std::array<std::array<std::int64_t, kBestHitColumns>, kFailRows> results{};
  // Over the covered results: columns with 14, 13, ..., 10 hits.
  std::array<MinMeanMax, kPrizeDistances> prizeColumns{};
  // The amount won with the matchday's prizes, over the covered results;
  // only when some prize is typed.
  bool withPrizes = false;
  MinMeanMax amount;
};

// The share (0..100) of row `fails`'s results in a cell; 0 for an empty row.
double ResultShare(const GuaranteeFigures& figures, int fails, int bestHits);

// The figures of a set of columns, spread, over the base `grid`, with the
// prize of 14, 13, ..., 10 hits.
using PrizeAmounts = std::array<double, kPrizeDistances>;
GuaranteeFigures FiguresOf(const NearColumns& near, const BaseGrid& grid, const PrizeAmounts& prizes);

struct GuaranteeRun {
  GuaranteeOutcome outcome = GuaranteeOutcome::NoColumnFile;
  GuaranteeFigures figures;
};

// The whole analysis of a column file: reading, transform, figures, asking
// `progress` all along with done of kAnalysisSteps.
inline constexpr int kAnalysisSteps = 100;
GuaranteeRun AnalyseGuarantee(const std::string& columnFile, const BaseGrid& grid, const PrizeAmounts& prizes,
                              RunProgress& progress);

}  // namespace vetra
