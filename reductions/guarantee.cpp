#include "reductions/guarantee.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

#include "reductions/column_file.h"
#include "reductions/reduction_engine.h"

namespace vetra {
namespace {

// Results are numbered with match 1 as the lowest ternary digit, so that the
// three results differing only at match m lie 3^(m-1) apart.
constexpr std::array<std::int32_t, kMatches + 1> kPowersOfThree = [] {
  std::array<std::int32_t, kMatches + 1> powers{};
  powers[0] = 1;
  for (int m = 1; m <= kMatches; ++m) powers[m] = powers[m - 1] * 3;
  return powers;
}();
static_assert(kPowersOfThree[kMatches] == kResultCount);

constexpr std::array<std::int8_t, 256> kSignDigits = [] {
  std::array<std::int8_t, 256> digits{};
  digits.fill(-1);
  digits['1'] = 0;
  digits['X'] = 1;
  digits['2'] = 2;
  return digits;
}();

// A column at most this many times keeps every count within the narrow
// widths: the columns at d differences from a result are at most
// C(14, d) * 2^d distinct ones, each counted as often as it comes, so
// distance 1 stays under 28 * 4 = 112 (a byte) and distance 4 under
// 1001 * 16 * 4 = 64,064 (16 bits); 0, 2 and 3 are smaller still. The
// counts part way through the transform are counts of fewer matches, never
// larger.
constexpr std::uint32_t kNarrowRepeats = 4;

// The transform works on the results as a table of 2187 rows (matches 8 to
// 14) by 2187 columns (matches 1 to 7): the steps of matches 1 to 7 stay
// within a row, those of 8 to 14 within a column, so that each piece of the
// table goes through seven matches while it is in the processor's cache,
// instead of all the counts going through memory once per match.
constexpr int kRowMatches = 7;
constexpr std::int32_t kRowLength = 2187;  // 3^7
constexpr std::int32_t kBand = 27;         // columns of the table taken together in the second half
constexpr std::int32_t kBands = kRowLength / kBand;
constexpr int kSpreadQuestions = 2 * kBands;

// Over `blocks` blocks of 3 * `stride` results from `high` on, the first
// `run` results of each block's first third and their two neighbours
// `stride` and 2 * `stride` further: adds to each, from the level below, the
// counts of the two others, the results that differ from it at that match
// only.
template <class High, class Low>
void RaiseRuns(High* high, const Low* low, std::int32_t stride, std::int32_t run, std::int32_t blocks) {
  for (std::int32_t block = 0; block < blocks; ++block, high += 3 * stride, low += 3 * stride) {
    High* h0 = high;
    High* h1 = h0 + stride;
    High* h2 = h1 + stride;
    const Low* l0 = low;
    const Low* l1 = l0 + stride;
    const Low* l2 = l1 + stride;
    for (std::int32_t j = 0; j < run; ++j) {
      const std::uint32_t a = l0[j], b = l1[j], c = l2[j];
      h0[j] = static_cast<High>(h0[j] + b + c);
      h1[j] = static_cast<High>(h1[j] + a + c);
      h2[j] = static_cast<High>(h2[j] + a + b);
    }
  }
}

// Why the transform is exact. After the steps of matches 1..k, the count of
// result w at distance d is the number of columns that equal w at matches
// k+1..14 and differ from it at exactly d of matches 1..k; before any step
// (k = 0) that is how often w itself is a column. The step of match k+1 keeps
// what w had (the columns that agree with it there too) and adds, at distance
// d, the counts at distance d - 1 of the two results that differ from w at
// match k+1 only: those are exactly the columns that disagree with w there,
// split by the sign they have, with one difference more. Nothing is counted
// twice and nothing is missed, and a distance never falls, so leaving out the
// distances above 4 loses nothing below them. After match 14 the count is the
// number of columns at exactly d differences. The steps of different matches
// commute (each is the same sum whichever matches went before), so pieces of
// the table may go through them in any order as long as every result goes
// through every match once. Distances go from 4 down to 1 so that each step
// reads the level below before that level changes. All of it is integer
// addition: nothing is rounded.
template <class Small, class Large>
class Levels {
 public:
  Levels(std::array<Small*, 2> small, std::array<Large*, 3> large) : small_(small), large_(large) {}

  bool Spread(RunProgress& progress) const {
    int asked = 0;
    constexpr std::int32_t kRowsPerQuestion = kRowLength / kBands;
    for (std::int32_t row = 0; row < kRowLength; ++row) {
      for (int m = 0; m < kRowMatches; ++m) {
        const std::int32_t stride = kPowersOfThree[m];
        Step(row * kRowLength, stride, stride, kRowLength / (3 * stride));
      }
      if ((row + 1) % kRowsPerQuestion == 0 && !progress.Continue(++asked, kSpreadQuestions)) return false;
    }
    for (std::int32_t band = 0; band < kRowLength; band += kBand) {
      for (int m = kRowMatches; m < kMatches; ++m) {
        const std::int32_t rows = kPowersOfThree[m - kRowMatches];
        for (std::int32_t first = 0; first < kRowLength; first += 3 * rows)
          for (std::int32_t row = first; row < first + rows; ++row)
            Step(row * kRowLength + band, rows * kRowLength, kBand, 1);
      }
      if (!progress.Continue(++asked, kSpreadQuestions)) return false;
    }
    return true;
  }

 private:
  // One match's step, every distance, over the lines RaiseRuns takes.
  void Step(std::int32_t at, std::int32_t stride, std::int32_t run, std::int32_t blocks) const {
    RaiseRuns(large_[2] + at, large_[1] + at, stride, run, blocks);
    RaiseRuns(large_[1] + at, large_[0] + at, stride, run, blocks);
    RaiseRuns(large_[0] + at, small_[1] + at, stride, run, blocks);
    RaiseRuns(small_[1] + at, small_[0] + at, stride, run, blocks);
  }

  std::array<Small*, 2> small_;
  std::array<Large*, 3> large_;
};

// Bytes read from a column file at a time.
constexpr std::size_t kReadBlock = 1 << 20;
// The usual line without its LF: a quote, 14 signs, a quote, CR.
constexpr std::size_t kUsualLine = kColumnLineSize - 1;
// What is kept of a longer line, as the column-file reader keeps it.
constexpr std::size_t kLineKept = 64;

// The lines of a column file, whatever the blocks it comes in.
class LineFeeder {
 public:
  LineFeeder(NearColumns& near, std::int64_t& unreadable) : near_(near), unreadable_(unreadable) {}

  void Feed(const char* p, const char* end) {
    while (p < end) {
      const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
      const char* stop = lf ? lf : end;
      if (pending_.empty() && lf && static_cast<std::size_t>(lf - p) == kUsualLine && p[0] == '"' &&
          p[kUsualLine - 2] == '"' && p[kUsualLine - 1] == '\r') {
        Take(std::string_view(p + 1, kColumnLength));
      } else {
        pending_.append(p, std::min(static_cast<std::size_t>(stop - p), kLineKept - std::min(pending_.size(), kLineKept)));
        if (lf) EndLine();
      }
      p = lf ? lf + 1 : end;
    }
  }

  // The last line, when it has no line end.
  void Finish() {
    if (!pending_.empty()) EndLine();
  }

 private:
  void EndLine() {
    if (!pending_.empty() && pending_.back() == '\r') pending_.pop_back();
    ColumnOfLine(pending_, column_);
    Take(column_);
    pending_.clear();
  }

  void Take(std::string_view column) {
    if (!near_.Add(column)) ++unreadable_;
  }

  NearColumns& near_;
  std::int64_t& unreadable_;
  std::string pending_;
  std::string column_;
};

// The progress of one stage of the analysis as a part of the whole.
class StageProgress : public RunProgress {
 public:
  StageProgress(RunProgress& whole, int first, int share) : whole_(whole), first_(first), share_(share) {}
  bool Continue(std::int64_t done, std::int64_t total) override {
    return whole_.Continue(first_ + (total == 0 ? share_ : share_ * done / total), kAnalysisSteps);
  }

 private:
  RunProgress& whole_;
  std::int64_t first_;
  std::int64_t share_;
};

// Minimum, sum and maximum of whole counts, then the mean.
struct Tally {
  double min = std::numeric_limits<double>::max();
  double sum = 0;
  double max = std::numeric_limits<double>::lowest();
  void Note(double value) {
    min = std::min(min, value);
    max = std::max(max, value);
    sum += value;
  }
  MinMeanMax Of(std::int64_t count) const {
    if (count == 0) return {};
    return {min, sum / static_cast<double>(count), max};
  }
};

}  // namespace

std::int32_t ResultIndex(std::string_view column) {
  if (column.size() != static_cast<std::size_t>(kMatches)) return -1;
  std::int32_t index = 0;
  for (int m = kMatches - 1; m >= 0; --m) {
    const int digit = kSignDigits[static_cast<unsigned char>(column[static_cast<std::size_t>(m)])];
    if (digit < 0) return -1;
    index = index * 3 + digit;
  }
  return index;
}

bool NearColumns::Add(std::string_view column) {
  const std::int32_t index = ResultIndex(column);
  if (index < 0) return false;
  if (marks_.empty()) marks_.assign(kResultCount, 0);
  // A count stays within 32 bits: no column file holds 2^32 lines.
  ++marks_[static_cast<std::size_t>(index)];
  ++columns_;
  return true;
}

bool NearColumns::Spread(RunProgress& progress) {
  if (marks_.empty()) marks_.assign(kResultCount, 0);
  wide_ = *std::max_element(marks_.begin(), marks_.end()) > kNarrowRepeats;
  bool done = false;
  if (wide_) {
    auto& w = wideCounts_;
    w[0] = std::move(marks_);
    for (int d = 1; d < kPrizeDistances; ++d) w[d].assign(kResultCount, 0);
    done = Levels<std::uint32_t, std::uint32_t>({w[0].data(), w[1].data()}, {w[2].data(), w[3].data(), w[4].data()})
               .Spread(progress);
  } else {
    auto& s = smallCounts_;
    auto& l = largeCounts_;
    s[0].assign(marks_.begin(), marks_.end());
    marks_ = {};
    s[1].assign(kResultCount, 0);
    for (auto& level : l) level.assign(kResultCount, 0);
    done = Levels<std::uint8_t, std::uint16_t>({s[0].data(), s[1].data()}, {l[0].data(), l[1].data(), l[2].data()})
               .Spread(progress);
  }
  if (!done) *this = NearColumns();
  return done;
}

GuaranteeOutcome ReadNearColumns(const std::string& path, NearColumns& near, std::int64_t& unreadable,
                                 RunProgress& progress) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return GuaranteeOutcome::NoColumnFile;
  std::fseek(file, 0, SEEK_END);
  const std::int64_t total = std::ftell(file);
  std::fseek(file, 0, SEEK_SET);
  const auto block = std::make_unique_for_overwrite<char[]>(kReadBlock);
  LineFeeder lines(near, unreadable);
  std::int64_t done = 0;
  bool going = progress.Continue(0, total);
  while (going) {
    const std::size_t n = std::fread(block.get(), 1, kReadBlock, file);
    if (n == 0) break;
    lines.Feed(block.get(), block.get() + n);
    done += static_cast<std::int64_t>(n);
    going = progress.Continue(done, total);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return GuaranteeOutcome::NoColumnFile;
  if (!going) return GuaranteeOutcome::Stopped;
  lines.Finish();
  return GuaranteeOutcome::Counted;
}

double ResultShare(const GuaranteeFigures& figures, int fails, int bestHits) {
  const auto& row = figures.results[static_cast<std::size_t>(fails)];
  std::int64_t sum = 0;
  for (std::int64_t n : row) sum += n;
  return sum == 0 ? 0 : 100.0 * static_cast<double>(row[static_cast<std::size_t>(bestHits)]) / static_cast<double>(sum);
}

GuaranteeFigures FiguresOf(const NearColumns& near, const BaseGrid& grid, const PrizeAmounts& prizes) {
  GuaranteeFigures figures;
  figures.columns = near.Columns();
  figures.withPrizes = std::any_of(prizes.begin(), prizes.end(), [](double p) { return p != 0; });

  // The signs outside the base of a result: those of its low seven matches
  // and those of its high seven.
  std::array<std::array<std::uint8_t, kRowLength>, 2> outside{};
  for (int half = 0; half < 2; ++half)
    for (std::int32_t i = 0; i < kRowLength; ++i) {
      int n = 0;
      for (int m = 0, rest = i; m < kRowMatches; ++m, rest /= 3)
        n += grid[static_cast<std::size_t>(half * kRowMatches + m)].signs[static_cast<std::size_t>(rest % 3)] == 0;
      outside[static_cast<std::size_t>(half)][static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(n);
    }

  std::array<Tally, kPrizeDistances> columns;
  Tally amounts;
  int worstBest = 0;  // the largest distance of a covered result's nearest column
  std::int32_t result = 0;
  for (std::int32_t high = 0; high < kRowLength; ++high)
    for (std::int32_t low = 0; low < kRowLength; ++low, ++result) {
      const int fails = outside[0][static_cast<std::size_t>(low)] + outside[1][static_cast<std::size_t>(high)];
      if (fails >= kFailRows) continue;
      std::array<std::uint32_t, kPrizeDistances> counts{};
      int best = kPrizeDistances;  // the cell of "fewer"
      for (int d = kPrizeDistances - 1; d >= 0; --d) {
        counts[static_cast<std::size_t>(d)] = near.Count(result, d);
        if (counts[static_cast<std::size_t>(d)] != 0) best = d;
      }
      ++figures.results[static_cast<std::size_t>(fails)][static_cast<std::size_t>(best)];
      if (fails != 0) continue;
      ++figures.covered;
      worstBest = std::max(worstBest, best);
      double amount = 0;
      for (std::size_t d = 0; d < kPrizeDistances; ++d) {
        columns[d].Note(counts[d]);
        amount += counts[d] * prizes[d];
      }
      amounts.Note(amount);
    }
  figures.guarantee = figures.covered != 0 && worstBest < kPrizeDistances ? kMatches - worstBest : 0;
  for (std::size_t d = 0; d < kPrizeDistances; ++d) figures.prizeColumns[d] = columns[d].Of(figures.covered);
  if (figures.withPrizes) figures.amount = amounts.Of(figures.covered);
  return figures;
}

GuaranteeRun AnalyseGuarantee(const std::string& columnFile, const BaseGrid& grid, const PrizeAmounts& prizes,
                              RunProgress& progress) {
  // Reading the file takes about as long as the transform.
  constexpr int kReadingShare = kAnalysisSteps / 2;
  GuaranteeRun run;
  NearColumns near;
  std::int64_t unreadable = 0;
  StageProgress reading(progress, 0, kReadingShare);
  run.outcome = ReadNearColumns(columnFile, near, unreadable, reading);
  if (run.outcome != GuaranteeOutcome::Counted) return run;
  StageProgress spreading(progress, kReadingShare, kAnalysisSteps - kReadingShare);
  if (!near.Spread(spreading)) {
    run.outcome = GuaranteeOutcome::Stopped;
    return run;
  }
  run.outcome = GuaranteeOutcome::Counted;
  run.figures = FiguresOf(near, grid, prizes);
  run.figures.unreadable = unreadable;
  return run;
}

}  // namespace vetra
