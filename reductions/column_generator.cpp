#include "reductions/column_generator.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace vetra {
namespace {

constexpr char kSignChars[3] = {'1', 'X', '2'};
constexpr std::int64_t kPollEvery = 4096;    // columns made or examined between two polls
constexpr std::size_t kBlockColumns = 2048;  // columns handed over at once
// The fastest wheels are gone through once, into a pattern of at most this
// many framed columns; every state of the slower wheels then copies or
// filters the pattern, changing only the signs of the wheels that moved.
// That keeps a full base of 3^14 columns within a few nanoseconds each.
constexpr std::int64_t kPatternColumns = 1024;

constexpr std::size_t kQuotedLineSize = kColumnLength + 4;  // as in the column files: quotes, CR LF

// Collects framed columns and hands them over a block at a time.
class Blocks {
 public:
  Blocks(ColumnSink& sink, std::size_t stride) : sink_(sink), stride_(stride), buffer_(kBlockColumns * stride) {}
  void Put(const char* column) {
    char* to = buffer_.data() + used_;
    // Copies of a size known here are inlined; that of any size is a call.
    switch (stride_) {
      case kColumnLength:
        std::memcpy(to, column, kColumnLength);
        break;
      case kQuotedLineSize:
        std::memcpy(to, column, kQuotedLineSize);
        break;
      default:
        std::memcpy(to, column, stride_);
    }
    used_ += stride_;
    if (used_ == buffer_.size()) Flush();
  }
  // Whole columns handed over as they are, after those waiting.
  void PutAll(std::string_view columns) {
    Flush();
    sink_.Take(columns);
    handed_ += static_cast<std::int64_t>(columns.size() / stride_);
  }
  void Flush() {
    if (used_ == 0) return;
    sink_.Take(std::string_view(buffer_.data(), used_));
    handed_ += static_cast<std::int64_t>(used_ / stride_);
    used_ = 0;
  }
  std::int64_t Handed() const { return handed_; }

 private:
  ColumnSink& sink_;
  std::size_t stride_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  std::int64_t handed_ = 0;
};

// A match with its signs; those with more than one are the wheels of the
// odometer.
struct Wheel {
  int match = 0;
  int size = 0;          // its signs, 1 to 3
  char signs[3] = {};    // in the order 1, X, 2
  int sign[3] = {};      // the same as 0, 1, 2
  int error[3] = {};     // 1 where the sign differs from the probable one
  bool counted = false;  // marked: its signs count for the totals
};

using SignCounts = std::array<int, 3>;  // of 1, X, 2 over the marked matches

// What decides whether a pattern column is kept, besides the slow wheels:
// its errors against the probable column (first entry only), or its counts
// of 1, X and 2. A pattern has few kinds, so the filter is decided once per
// kind and the kept columns are then picked from a bit set.
using Kind = std::array<int, 3>;
using ColumnSet = std::vector<std::uint64_t>;  // bit c: pattern column c

struct Walk {
  std::size_t stride = kColumnLength;  // bytes of a framed column
  std::size_t signsAt = 0;             // where its signs start
  std::vector<Wheel> outer;            // the slow wheels, outside the pattern
  std::int64_t total = 1;              // states of all the wheels
  std::int64_t innerStates = 1;        // states of the fast wheels, in the pattern
  // One pass of the fast wheels (for each state, the table rows of the direct
  // method), framed, with the slow wheels' signs as they stand.
  std::string pattern;
  std::int64_t patternColumns = 0;
  // The kinds of the pattern's columns, with what all but the slow wheels
  // contribute, and the columns of each.
  std::vector<Kind> kinds;
  std::vector<ColumnSet> kindColumns;
  // What the slow wheels contribute in their current state.
  int outerErrors = 0;
  SignCounts outerCounts{};
};

Wheel MakeWheel(const BaseMatch& match, int m) {
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
  return wheel;
}

void AddSign(const Wheel& wheel, int position, int& errors, SignCounts& counts) {
  errors += wheel.error[position];
  if (wheel.counted) ++counts[wheel.sign[position]];
}

void AddToKind(Walk& walk, const Kind& kind, std::int64_t column) {
  auto found = std::find(walk.kinds.begin(), walk.kinds.end(), kind);
  if (found == walk.kinds.end()) {
    found = walk.kinds.insert(found, kind);
    walk.kindColumns.emplace_back(static_cast<std::size_t>((walk.patternColumns + 63) / 64));
  }
  ColumnSet& columns = walk.kindColumns[static_cast<std::size_t>(found - walk.kinds.begin())];
  columns[static_cast<std::size_t>(column / 64)] |= std::uint64_t{1} << (column % 64);
}

void Prepare(const BaseRecord& reduction, const ColumnFrame& frame, Walk& walk) {
  // Direct method: the table-covered matches and, per row, their signs. The
  // other methods (and a direct base with nothing marked) have one empty row.
  const ReductionTable* table = nullptr;
  if (reduction.reductionMethod == kDirectMethod) {
    int triples = 0, doubles = 0;
    for (const BaseMatch& match : reduction.baseGrid) {
      if (!match.marked) continue;
      triples += SignsOf(match) == 3;
      doubles += SignsOf(match) == 2;
    }
    table = SelectReductionTable(triples, doubles);
  }
  std::vector<std::string> rows(table ? table->rows : 1);
  std::vector<int> slotMatches;

  // Table slots go to the first marked triples and then the first marked
  // doubles, as many as the table reduces; slot s reads table string offset + s.
  char column[kColumnLength];
  int fixedErrors = 0;
  SignCounts fixedCounts{};
  std::vector<Wheel> wheels;
  int triplesGiven = 0, doublesGiven = 0;
  for (int m = 0; m < kMatches; ++m) {
    const BaseMatch& match = reduction.baseGrid[m];
    const Wheel wheel = MakeWheel(match, m);
    int slot = 0;
    if (table && match.marked) {
      if (wheel.size == 3 && triplesGiven < table->triples)
        slot = ++triplesGiven;
      else if (wheel.size == 2 && doublesGiven < table->doubles)
        slot = table->triples + ++doublesGiven;
    }
    column[m] = wheel.signs[0];
    if (slot != 0) {
      slotMatches.push_back(m);
      // The row characters pick the first, second or third sign of the match.
      const std::string_view text = TableString(table->offset + slot);
      for (std::size_t r = 0; r < rows.size(); ++r) rows[r].push_back(wheel.signs[text[r] - '1']);
    } else if (wheel.size > 1) {
      walk.total *= wheel.size;
      wheels.push_back(wheel);
    } else {
      AddSign(wheel, 0, fixedErrors, fixedCounts);
    }
  }

  // The fastest wheels that fit in the pattern go into it.
  const std::int64_t rowCount = static_cast<std::int64_t>(rows.size());
  std::size_t fast = 0;
  while (fast < wheels.size() && walk.innerStates * wheels[fast].size * rowCount <= kPatternColumns)
    walk.innerStates *= wheels[fast++].size;
  walk.outer.assign(wheels.begin() + static_cast<std::ptrdiff_t>(fast), wheels.end());
  for (const Wheel& wheel : walk.outer) {
    AddSign(wheel, 0, walk.outerErrors, walk.outerCounts);
  }

  walk.signsAt = frame.before.size();
  walk.stride = frame.before.size() + kColumnLength + frame.after.size();
  walk.patternColumns = walk.innerStates * rowCount;
  walk.pattern.reserve(static_cast<std::size_t>(walk.patternColumns) * walk.stride);
  std::vector<int> position(fast, 0);
  for (std::int64_t state = 0; state < walk.innerStates; ++state) {
    int errors = fixedErrors;
    SignCounts counts = fixedCounts;
    for (std::size_t w = 0; w < fast; ++w) {
      column[wheels[w].match] = wheels[w].signs[position[w]];
      AddSign(wheels[w], position[w], errors, counts);
    }
    const Kind kind = reduction.reductionMethod == kProbableColumnMethod ? Kind{errors, 0, 0} : counts;
    for (const std::string& row : rows) {
      for (std::size_t s = 0; s < slotMatches.size(); ++s) column[slotMatches[s]] = row[s];
      AddToKind(walk, kind, static_cast<std::int64_t>(walk.pattern.size() / walk.stride));
      walk.pattern.append(frame.before).append(column, kColumnLength).append(frame.after);
    }
    // Match 1 fastest, as everywhere.
    for (std::size_t w = 0; w < fast && ++position[w] == wheels[w].size; ++w) position[w] = 0;
  }
}

// Hands over the pattern columns of the kinds that `keep` accepts, in order.
template <class Keep>
void EmitKept(const Walk& walk, Blocks& blocks, ColumnSet& kept, Keep keep) {
  std::fill(kept.begin(), kept.end(), 0);
  std::size_t kinds = 0;
  for (std::size_t k = 0; k < walk.kinds.size(); ++k) {
    if (!keep(walk.kinds[k])) continue;
    ++kinds;
    for (std::size_t word = 0; word < kept.size(); ++word) kept[word] |= walk.kindColumns[k][word];
  }
  if (kinds == walk.kinds.size()) {
    blocks.PutAll(walk.pattern);
    return;
  }
  for (std::size_t word = 0; kinds > 0 && word < kept.size(); ++word)
    for (std::uint64_t bits = kept[word]; bits != 0; bits &= bits - 1)
      blocks.Put(walk.pattern.data() + (word * 64 + static_cast<std::size_t>(std::countr_zero(bits))) * walk.stride);
}

// The odometer of the slow wheels, match 1 fastest: for each of their states
// `emit` hands over what the method keeps of the pattern.
template <int Method, class Emit>
GenerationResult Run(Walk& walk, Blocks& blocks, RunProgress& progress, Emit emit) {
  GenerationResult result;
  result.total = walk.total;
  std::vector<int> position(walk.outer.size(), 0);
  const std::size_t wheelCount = walk.outer.size();
  const std::size_t perPass = static_cast<std::size_t>(walk.patternColumns);
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
    emit();
    work += walk.patternColumns;
    result.states += walk.innerStates;

    std::size_t w = 0;
    for (; w < wheelCount; ++w) {
      const Wheel& wheel = walk.outer[w];
      const int before = position[w];
      const int after = before + 1 == wheel.size ? 0 : before + 1;
      position[w] = after;
      char* sign = walk.pattern.data() + walk.signsAt + wheel.match;
      for (std::size_t c = 0; c < perPass; ++c, sign += walk.stride) *sign = wheel.signs[after];
      if constexpr (Method == kProbableColumnMethod) walk.outerErrors += wheel.error[after] - wheel.error[before];
      if constexpr (Method == kSignSelectionMethod) {
        if (wheel.counted) {
          --walk.outerCounts[wheel.sign[before]];
          ++walk.outerCounts[wheel.sign[after]];
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

  const ColumnFrame frame = sink.Frame();
  Walk walk;
  Prepare(reduction, frame, walk);
  Blocks blocks(sink, walk.stride);
  ColumnSet kept(static_cast<std::size_t>((walk.patternColumns + 63) / 64));
  switch (reduction.reductionMethod) {
    case kDirectMethod:
      return Run<kDirectMethod>(walk, blocks, progress, [&] { blocks.PutAll(walk.pattern); });
    case kProbableColumnMethod:
      return Run<kProbableColumnMethod>(walk, blocks, progress, [&] {
        EmitKept(walk, blocks, kept, [&](const Kind& kind) {
          const int errors = walk.outerErrors + kind[0];
          return reduction.minErrors <= errors && errors <= reduction.maxErrors;
        });
      });
    case kSignSelectionMethod: {
      // No total can pass the number of marked matches.
      const AllowedTotals& allowed = reduction.allowedTotals;
      return Run<kSignSelectionMethod>(walk, blocks, progress, [&] {
        EmitKept(walk, blocks, kept, [&](const Kind& counts) {
          return allowed[0][walk.outerCounts[0] + counts[0]] && allowed[1][walk.outerCounts[1] + counts[1]] &&
                 allowed[2][walk.outerCounts[2] + counts[2]];
        });
      });
    }
    default:
      return {};
  }
}

}  // namespace vetra
