// Times of the reduction engine on the full base (all 14 matches triple and
// marked, 4,782,969 columns), each also as a ratio to a baseline of the same
// run: filling that many 18-byte column-file lines into memory with a plain
// loop. Best of several rounds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "reductions/column_generator.h"
#include "reductions/reduction_engine.h"

namespace {

using namespace vetra;
using Clock = std::chrono::steady_clock;

constexpr std::int64_t kFullBase = 4782969;

double BestSeconds(int rounds, const std::function<void()>& work) {
  double best = 1e9;
  for (int i = 0; i < rounds; ++i) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

class DiscardingSink : public ColumnSink {
 public:
  void Take(std::string_view block) override { bytes += block.size(); }
  std::size_t bytes = 0;
};

class SilentProgress : public RunProgress {
 public:
  bool Continue(std::int64_t, std::int64_t) override { return true; }
};

BaseRecord FullBase(int method) {
  BaseRecord reduction = EmptyBaseRecord();
  reduction.reductionMethod = static_cast<std::int16_t>(method);
  for (BaseMatch& match : reduction.baseGrid) {
    match.signs = {1, 1, 1};
    match.signCount = 3;
    match.marked = 1;
    match.probable = 2;
  }
  return reduction;
}

void Report(const char* what, double seconds, double baseline, const char* note = "") {
  std::printf("%-58s %10.3f ms  %8.3f x baseline%s\n", what, seconds * 1e3, seconds / baseline, note);
}

}  // namespace

int main() {
  // Baseline: the bytes of the column file of the full base, line by line.
  std::vector<char> lines(static_cast<std::size_t>(kFullBase) * 18);
  const char line[19] = "\"1X21X21X21X21X\"\r\n";
  const double baseline = BestSeconds(5, [&] {
    char* out = lines.data();
    for (std::int64_t i = 0; i < kFullBase; ++i, out += 18) std::memcpy(out, line, 18);
  });
  std::printf("baseline: %lld lines of 18 bytes filled in memory      %10.3f ms (check %d)\n\n",
              static_cast<long long>(kFullBase), baseline * 1e3, lines[lines.size() / 2]);

  SilentProgress progress;
  GenerationResult result;
  DiscardingSink sink;

  BaseRecord probable = FullBase(kProbableColumnMethod);
  probable.maxErrors = 14;
  const double probableTime = BestSeconds(5, [&] { result = GenerateColumns(probable, sink, progress); });
  std::printf("probable column, errors 0..14: %lld columns kept\n", static_cast<long long>(result.columns));
  Report("  enumeration without output", probableTime, baseline, "   (target < 300 ms)");

  BaseRecord narrow = FullBase(kSignSelectionMethod);
  narrow.allowedTotals[0][5] = narrow.allowedTotals[1][4] = narrow.allowedTotals[1][5] = 1;
  narrow.allowedTotals[2][4] = narrow.allowedTotals[2][5] = 1;
  const double narrowTime = BestSeconds(5, [&] { result = GenerateColumns(narrow, sink, progress); });
  std::printf("sign selection, totals 1: 5, X: 4-5, 2: 4-5: %lld columns kept\n",
              static_cast<long long>(result.columns));
  Report("  enumeration without output", narrowTime, baseline, "   (target < 300 ms)");

  BaseRecord direct = FullBase(kDirectMethod);
  const double directTime = BestSeconds(5, [&] { result = GenerateColumns(direct, sink, progress); });
  std::printf("direct method, table A on four triples: %lld columns\n", static_cast<long long>(result.columns));
  Report("  generation without output", directTime, baseline);

  // The worst prediction: sign selection with every total allowed.
  BaseRecord worst = FullBase(kSignSelectionMethod);
  for (auto& totals : worst.allowedTotals) totals.fill(1);
  ReductionFigures figures;
  constexpr int kCalls = 1000;
  const double recomputeTime = BestSeconds(3, [&] {
                                 for (int i = 0; i < kCalls; ++i) RecomputeFigures(worst, figures);
                               }) / kCalls;
  std::printf("RecomputeFigures, 14 marked triples, every total allowed: %d predicted\n", worst.reducedBets);
  Report("  one call", recomputeTime, baseline, "   (target < 2 ms)");
  std::printf("\n(discarded %zu bytes)\n", sink.bytes);
  return 0;
}
