#include "reductions/column_generator.h"

#include <array>
#include <cstring>
#include <vector>

namespace vetra {
namespace {

constexpr char kSignChars[3] = {'1', 'X', '2'};
constexpr std::int64_t kPollEvery = 4096;    // columns made or examined between two polls
constexpr std::size_t kBlockColumns = 2048;  // columns handed over at once

// Collects columns and hands them over a block at a time.
class Blocks {
 public:
  explicit Blocks(ColumnSink& sink) : sink_(sink) {}
  void Put(const char* column) {
    std::memcpy(buffer_.data() + count_ * kColumnLength, column, kColumnLength);
    if (++count_ == kBlockColumns) Flush();
  }
  void Flush() {
    if (count_ == 0) return;
    sink_.Take(std::string_view(buffer_.data(), count_ * kColumnLength));
    handed_ += static_cast<std::int64_t>(count_);
    count_ = 0;
  }
  std::int64_t Handed() const { return handed_; }

 private:
  ColumnSink& sink_;
  std::array<char, kBlockColumns * kColumnLength> buffer_;
  std::size_t count_ = 0;
  std::int64_t handed_ = 0;
};

// A match whose sign changes during the run.
struct Wheel {
  int match = 0;
  int size = 0;            // its signs, 2 or 3
  char signs[3] = {};      // in the order 1, X, 2
  int sign[3] = {};        // the same as 0, 1, 2
  int error[3] = {};       // 1 where the sign differs from the probable one
  bool counted = false;    // marked: its signs count for the totals
};

struct Walk {
  char column[kColumnLength] = {};
  std::vector<Wheel> wheels;
  std::int64_t total = 1;
  int errors = 0;                 // of the current column against the probable one
  std::array<int, 3> counts{};    // of 1, X, 2 over the marked matches
  // Direct method: the table-covered matches and, per row, their signs.
  std::vector<int> slotMatches;
  std::vector<std::vector<char>> rows;
};

void Prepare(const BaseRecord& reduction, Walk& walk) {
  const ReductionTable* table = nullptr;
  if (reduction.reductionMethod == kDirectMethod) {
    int triples = 0, doubles = 0;
    for (const BaseMatch& match : reduction.baseGrid) {
      if (!match.marked) continue;
      triples += SignsOf(match) == 3;
      doubles += SignsOf(match) == 2;
    }
    table = SelectReductionTable(triples, doubles);
    // With nothing marked there is no table: one empty row per state.
    walk.rows.resize(table ? table->rows : 1);
  }

  // Table slots go to the first marked triples and then the first marked
  // doubles, as many as the table reduces; slot s reads table string offset + s.
  int triplesGiven = 0, doublesGiven = 0;
  for (int m = 0; m < kMatches; ++m) {
    const BaseMatch& match = reduction.baseGrid[m];
    Wheel wheel;
    wheel.match = m;
    for (int k = 0; k < 3; ++k)
      if (match.signs[k]) {
        wheel.signs[wheel.size] = kSignChars[k];
        wheel.sign[wheel.size] = k;
        ++wheel.size;
      }
    const char probable = match.probable >= 1 && match.probable <= 3 ? kSignChars[match.probable - 1] : ' ';
    for (int i = 0; i < wheel.size; ++i) wheel.error[i] = probable != ' ' && wheel.signs[i] != probable;
    wheel.counted = match.marked != 0;

    int slot = 0;
    if (table && match.marked) {
      if (wheel.size == 3 && triplesGiven < table->triples)
        slot = ++triplesGiven;
      else if (wheel.size == 2 && doublesGiven < table->doubles)
        slot = table->triples + ++doublesGiven;
    }

    walk.column[m] = wheel.signs[0];
    walk.errors += wheel.error[0];
    if (wheel.counted) ++walk.counts[wheel.sign[0]];
    if (slot != 0) {
      walk.slotMatches.push_back(m);
      // The row characters pick the first, second or third sign of the match.
      const std::string_view text = TableString(table->offset + slot);
      for (std::size_t r = 0; r < walk.rows.size(); ++r) walk.rows[r].push_back(wheel.signs[text[r] - '1']);
    } else if (wheel.size > 1) {
      walk.total *= wheel.size;
      walk.wheels.push_back(wheel);
    }
  }
}

// The odometer: visits every state of the wheels, match 1 fastest. `visit`
// handles the current column and returns the columns it made or examined.
template <int Method, class Visit>
GenerationResult Run(Walk& walk, Blocks& blocks, RunProgress& progress, Visit visit) {
  GenerationResult result;
  result.total = walk.total;
  std::vector<int> position(walk.wheels.size(), 0);
  const std::size_t wheelCount = walk.wheels.size();
  std::int64_t work = 0, nextPoll = 0;
  for (;;) {
    if (work >= nextPoll) {
      blocks.Flush();
      if (!progress.Continue(result.states, result.total)) {
        result.cancelled = true;
        break;
      }
      nextPoll = work + kPollEvery;
    }
    work += visit();
    ++result.states;

    std::size_t w = 0;
    for (; w < wheelCount; ++w) {
      const Wheel& wheel = walk.wheels[w];
      const int before = position[w];
      const int after = before + 1 == wheel.size ? 0 : before + 1;
      position[w] = after;
      walk.column[wheel.match] = wheel.signs[after];
      if constexpr (Method == kProbableColumnMethod) walk.errors += wheel.error[after] - wheel.error[before];
      if constexpr (Method == kSignSelectionMethod) {
        if (wheel.counted) {
          --walk.counts[wheel.sign[before]];
          ++walk.counts[wheel.sign[after]];
        }
      }
      if (after != 0) break;
    }
    if (w == wheelCount) break;
  }
  blocks.Flush();
  result.columns = blocks.Handed();
  return result;
}

}  // namespace

GenerationResult GenerateColumns(const BaseRecord& reduction, ColumnSink& sink, RunProgress& progress) {
  for (const BaseMatch& match : reduction.baseGrid)
    if (SignsOf(match) == 0) return {};

  Walk walk;
  Prepare(reduction, walk);
  Blocks blocks(sink);
  switch (reduction.reductionMethod) {
    case kDirectMethod:
      return Run<kDirectMethod>(walk, blocks, progress, [&] {
        const std::size_t slots = walk.slotMatches.size();
        for (const std::vector<char>& row : walk.rows) {
          for (std::size_t s = 0; s < slots; ++s) walk.column[walk.slotMatches[s]] = row[s];
          blocks.Put(walk.column);
        }
        return static_cast<std::int64_t>(walk.rows.size());
      });
    case kProbableColumnMethod: {
      const int low = reduction.minErrors, high = reduction.maxErrors;
      return Run<kProbableColumnMethod>(walk, blocks, progress, [&] {
        if (low <= walk.errors && walk.errors <= high) blocks.Put(walk.column);
        return std::int64_t{1};
      });
    }
    case kSignSelectionMethod: {
      const AllowedTotals& allowed = reduction.allowedTotals;
      return Run<kSignSelectionMethod>(walk, blocks, progress, [&] {
        if (allowed[0][walk.counts[0]] && allowed[1][walk.counts[1]] && allowed[2][walk.counts[2]])
          blocks.Put(walk.column);
        return std::int64_t{1};
      });
    }
    default:
      return {};
  }
}

}  // namespace vetra
