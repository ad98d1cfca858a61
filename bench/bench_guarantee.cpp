// Times of the guarantee of a reduction, from its column file to its figures,
// on the full base (all 14 matches triple, errors 0 to 14 against a probable
// column: 4,782,969 columns, 86 MB of column file) and on the direct method
// over 14 marked triples (table A on four of them, the other ten expanded:
// 531,441 columns). The file is in the page cache; best of several rounds of
// the process's CPU time (user and system), so that other work on the machine
// blurs it less. The peak memory is the process's, before and after.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/file_errors.h"
#include "bench/bench_support.h"
#include "reductions/base_file.h"
#include "reductions/column_file.h"
#include "reductions/guarantee.h"
#include "reductions/reduction_engine.h"
#include "reductions/reduction_store.h"

namespace {

using namespace vetra;
using namespace vetra::bench;
namespace fs = std::filesystem;

constexpr int kRounds = 5;

double Seconds(double from) { return CpuSeconds() - from; }

// Every match triple and marked, stored under matchday 1 and `order`.
void StoreFullBase(AppState& app, int order, int method) {
  BaseRecord reduction = EmptyBaseRecord();
  reduction.matchday = 1;
  reduction.orderNumber = static_cast<std::int16_t>(order);
  reduction.reductionMethod = static_cast<std::int16_t>(method);
  reduction.maxErrors = kMatches;
  for (BaseMatch& match : reduction.baseGrid) match = {{1, 1, 1}, 3, 1, 2};
  ReductionFigures figures;
  RecomputeFigures(reduction, figures);
  app.currentMatchday = 1;
  app.currentOrder = static_cast<std::int16_t>(order);
  SetCurrentBaseRecord(app, reduction);
  SilentProgress progress;
  StoreReduction(app, progress);
}

struct Times {
  double read = 0;
  double spread = 0;
  double figures = 0;
  double whole = 0;
  GuaranteeFigures result;
};

Times TimeGuarantee(AppState& app, int order) {
  Times best{1e9, 1e9, 1e9, 1e9, {}};
  for (int round = 0; round < kRounds; ++round) {
    SilentProgress progress;
    app.currentMatchday = 1;
    app.currentOrder = static_cast<std::int16_t>(order);
    LoadBase(app, 1, order);
    const auto start = CpuSeconds();
    // Opened as the screen opens it, for its messages, then read in blocks.
    ColumnFileReader reader;
    reader.Open(app);
    reader.Close();
    NearColumns near;
    std::int64_t unreadable = 0;
    ReadNearColumns(DataFilePath(app, app.fileToOpen), near, unreadable, progress);
    const double read = Seconds(start);
    const auto spreadStart = CpuSeconds();
    near.Spread(progress);
    const double spread = Seconds(spreadStart);
    const auto figuresStart = CpuSeconds();
    best.result = FiguresOf(near, app.baseGrid, {});
    best.figures = std::min(best.figures, Seconds(figuresStart));
    best.read = std::min(best.read, read);
    best.spread = std::min(best.spread, spread);
    best.whole = std::min(best.whole, Seconds(start));
  }
  return best;
}

void Report(const char* what, const Times& t) {
  std::printf("%s: %lld columns, guarantee %d\n", what, static_cast<long long>(t.result.columns), t.result.guarantee);
  std::printf("  reading the column file   %8.1f ms\n", t.read * 1e3);
  std::printf("  transform (14 matches)    %8.1f ms\n", t.spread * 1e3);
  std::printf("  figures over the results  %8.1f ms\n", t.figures * 1e3);
  std::printf("  whole analysis            %8.1f ms   (target <= 500 ms)\n", t.whole * 1e3);
}

}  // namespace

int main() {
  const fs::path folder = fs::temp_directory_path() / ("vetra32-bench-guarantee-" + std::to_string(getpid()));
  fs::create_directories(folder);
  PrintingReporter reporter;
  AppState app;
  app.dataFolder = folder.string();
  app.reporter = &reporter;
  StoreFullBase(app, 1, kProbableColumnMethod);
  StoreFullBase(app, 2, kDirectMethod);
  const long before = PeakMegabytes();

  const Times full = TimeGuarantee(app, 1);
  const Times direct = TimeGuarantee(app, 2);
  fs::remove_all(folder);

  Report("full base, probable column, errors 0 to 14", full);
  Report("direct method, 14 marked triples", direct);
  std::printf("peak memory: %ld MB before the analyses, %ld MB after   (target <= 128 MB)\n", before,
              PeakMegabytes());
  return full.result.guarantee == kMatches ? 0 : 1;
}
