// Times of the reduction engine on the full base (all 14 matches triple and
// marked, 4,782,969 columns). A whole run (index line and column file) is
// shown as a ratio to a baseline measured in the same run: the same number of
// bytes written into the same folder with one plain fwrite of a big buffer.
// Best of several rounds; each round starts without the file it writes.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/file_errors.h"
#include "bench/bench_support.h"
#include "reductions/base_file.h"
#include "reductions/column_file.h"
#include "reductions/column_generator.h"
#include "reductions/reduction_engine.h"
#include "reductions/reduction_store.h"

namespace {

using namespace vetra;
using namespace vetra::bench;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int kRounds = 5;

double BestSeconds(const std::function<void()>& prepare, const std::function<void()>& work) {
  double best = 1e9;
  for (int i = 0; i < kRounds; ++i) {
    prepare();
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

BaseRecord FullBase(int method) {
  BaseRecord reduction = EmptyBaseRecord();
  reduction.reductionMethod = static_cast<std::int16_t>(method);
  reduction.matchday = 1;
  reduction.orderNumber = 1;
  for (BaseMatch& match : reduction.baseGrid) {
    match.signs = {1, 1, 1};
    match.signCount = 3;
    match.marked = 1;
    match.probable = 2;
  }
  return reduction;
}

std::string Machine() {
  std::ifstream in("/proc/cpuinfo");
  std::string line, model = "unknown CPU";
  while (std::getline(in, line))
    if (line.rfind("model name", 0) == 0) {
      model = line.substr(line.find(':') + 2);
      break;
    }
  return std::to_string(sysconf(_SC_NPROCESSORS_ONLN)) + " x " + model;
}

// One plain buffered write of `bytes` bytes into a new file of `folder`.
double PlainWriteSeconds(const fs::path& folder, std::size_t bytes) {
  const std::string path = (folder / "PLAIN.BIN").string();
  std::vector<char> buffer(bytes, '1');
  const double seconds = BestSeconds([&] { fs::remove(path); },
                                     [&] {
                                       std::FILE* f = std::fopen(path.c_str(), "wb");
                                       std::fwrite(buffer.data(), 1, buffer.size(), f);
                                       std::fclose(f);
                                     });
  fs::remove(path);
  return seconds;
}

struct RunTimes {
  double seconds = 0;
  std::int64_t columns = 0;
  std::uintmax_t fileBytes = 0;
};

// A whole run as the reduction screen makes it: index line, column file.
RunTimes TimeRun(AppState& app, const BaseRecord& reduction) {
  SilentProgress progress;
  app.currentMatchday = reduction.matchday;
  app.currentOrder = reduction.orderNumber;
  const fs::path file = fs::path(app.dataFolder) / ColumnFileName(reduction.matchday, reduction.orderNumber);
  RunTimes times;
  times.seconds = BestSeconds(
      [&] {
        fs::remove(file);
        SetCurrentBaseRecord(app, reduction);
      },
      [&] { times.columns = StoreReduction(app, progress).generation.columns; });
  times.fileBytes = fs::file_size(file);
  fs::remove(file);
  return times;
}

double TimeEnumeration(const BaseRecord& reduction) {
  SilentProgress progress;
  DiscardingSink sink;
  return BestSeconds([] {}, [&] { GenerateColumns(reduction, sink, progress); });
}

void Line(const char* what, double seconds, const char* note = "") {
  std::printf("  %-52s %9.3f ms%s\n", what, seconds * 1e3, note);
}

void Ratio(const char* what, double seconds, double baseline, const char* note = "") {
  std::printf("  %-52s %9.3f ms  %5.2f x baseline%s\n", what, seconds * 1e3, seconds / baseline, note);
}

}  // namespace

int main() {
  const fs::path folder = fs::temp_directory_path() / ("vetra32-bench-" + std::to_string(getpid()));
  fs::create_directories(folder);
  PrintingReporter reporter;
  AppState app;
  app.dataFolder = folder.string();
  app.reporter = &reporter;
  std::printf("machine: %s\nfiles written to %s\n\n", Machine().c_str(), folder.string().c_str());
  const long startMegabytes = PeakMegabytes();

  BaseRecord probable = FullBase(kProbableColumnMethod);
  probable.maxErrors = 14;
  BaseRecord narrow = FullBase(kSignSelectionMethod);
  narrow.orderNumber = 2;
  narrow.allowedTotals[0][5] = narrow.allowedTotals[1][4] = narrow.allowedTotals[1][5] = 1;
  narrow.allowedTotals[2][4] = narrow.allowedTotals[2][5] = 1;
  ReductionFigures figures;
  RecomputeFigures(probable, figures);
  RecomputeFigures(narrow, figures);

  // The engine first, so that the peak memory it reaches is its own.
  const RunTimes probableRun = TimeRun(app, probable);
  const RunTimes narrowRun = TimeRun(app, narrow);
  const double probableEnumeration = TimeEnumeration(probable);
  const double narrowEnumeration = TimeEnumeration(narrow);
  const long engineMegabytes = PeakMegabytes();

  BaseRecord worst = FullBase(kSignSelectionMethod);
  for (auto& totals : worst.allowedTotals) totals.fill(1);
  constexpr int kCalls = 1000;
  const auto recomputeCalls = [&] {
    for (int i = 0; i < kCalls; ++i) RecomputeFigures(worst, figures);
  };
  const double recompute = BestSeconds([] {}, recomputeCalls) / kCalls;

  const double probableBaseline = PlainWriteSeconds(folder, probableRun.fileBytes);
  const double narrowBaseline = PlainWriteSeconds(folder, narrowRun.fileBytes);
  fs::remove_all(folder);

  std::printf("probable column, errors 0..14: %lld columns, %ju bytes\n", static_cast<long long>(probableRun.columns),
              probableRun.fileBytes);
  Line("baseline: one fwrite of the same bytes", probableBaseline);
  Ratio("whole run: index line and column file", probableRun.seconds, probableBaseline, "   (target <= 1.5)");
  Line("enumeration without output", probableEnumeration, "   (target < 300 ms)");

  std::printf("\nsign selection, totals 1: 5, X: 4-5, 2: 4-5: %lld columns, %ju bytes\n",
              static_cast<long long>(narrowRun.columns), narrowRun.fileBytes);
  Line("baseline: one fwrite of the same bytes", narrowBaseline);
  Ratio("whole run: index line and column file", narrowRun.seconds, narrowBaseline);
  Line("enumeration without output", narrowEnumeration, "   (target < 300 ms)");

  std::printf("\nRecomputeFigures, 14 marked triples, sign selection, every total allowed: %d predicted\n",
              worst.reducedBets);
  Line("one call", recompute, "   (target < 2 ms)");

  std::printf("\npeak memory: %ld MB at start, %ld MB after the engine's runs (flat: the columns are streamed)\n",
              startMegabytes, engineMegabytes);
  return 0;
}
