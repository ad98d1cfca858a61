// Times of the scrutiny on the largest reduction there is, the full base of
// 4,782,969 columns (86 MB of column file). The counting is shown as a ratio
// to a baseline measured in the same run on the same file: reading it with
// plain freads of the same block size. Times are the process's CPU time
// (user and system), so that other work on the machine blurs them less; best
// of several rounds, the file in the page cache for all of them.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/app_state.h"
#include "app/file_errors.h"
#include "bench/bench_support.h"
#include "matchdays/matchday_file.h"
#include "reductions/column_file.h"
#include "scrutiny/scrutiny_engine.h"

namespace {

using namespace vetra;
using namespace vetra::bench;
namespace fs = std::filesystem;

constexpr int kRounds = 10;
constexpr long long kFullBase = 4782969;  // 3^14
constexpr std::size_t kBlock = 1 << 20;
const std::string kWinning = "1X21X21X21X21X";

double BestSeconds(const std::function<void()>& work) {
  double best = 1e9;
  for (int i = 0; i < kRounds; ++i) {
    const double start = CpuSeconds();
    work();
    best = std::min(best, CpuSeconds() - start);
  }
  return best;
}

// Every column of 14 signs, match 1 the fastest, one line each.
void WriteFullBase(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::string line = "\"11111111111111\"\r\n";
  std::string block;
  for (long long n = 0; n < kFullBase; ++n) {
    block += line;
    if (block.size() >= kBlock) {
      std::fwrite(block.data(), 1, block.size(), file);
      block.clear();
    }
    for (std::size_t m = 1; m <= kColumnLength; ++m) {
      char& sign = line[m];
      sign = sign == '1' ? 'X' : sign == 'X' ? '2' : '1';
      if (sign != '1') break;
    }
  }
  std::fwrite(block.data(), 1, block.size(), file);
  std::fclose(file);
}

// The baseline: the same bytes through fread in the same blocks; with
// `countLines` each byte is also looked at once, as any reader of lines must.
unsigned long long PlainRead(const std::string& path, bool countLines) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  const auto block = std::make_unique_for_overwrite<char[]>(kBlock);
  unsigned long long seen = 0;
  while (const std::size_t n = std::fread(block.get(), 1, kBlock, file))
    seen += countLines ? static_cast<unsigned long long>(std::count(block.get(), block.get() + n, '\n'))
                       : static_cast<unsigned char>(block[n - 1]);
  std::fclose(file);
  return seen;
}

}  // namespace

int main() {
  const fs::path folder = fs::temp_directory_path() / "vetra32-bench-scrutiny";
  fs::create_directories(folder);
  PrintingReporter reporter;
  AppState app;
  app.dataFolder = folder.string() + "/";
  app.reporter = &reporter;
  app.currentMatchday = 1;
  app.currentOrder = 1;
  app.currentMatchdayDate = "01/09/02";
  app.matchdayRecord = EmptyMatchdayRecord();
  const std::string path = (folder / ColumnFileName(1, 1)).string();
  WriteFullBase(path);
  std::printf("column file: %lld columns, %lld bytes\n", kFullBase, static_cast<long long>(fs::file_size(path)));

  ScrutinyEntry entry;
  for (int m = 0; m < kMatches; ++m) entry.grid[m][m % 3] = 1;
  entry.prizeTexts = {"1000000", "5000", "100", "10", "1"};
  entry.prizes = {1000000, 5000, 100, 10, 1};

  PlainRead(path, false);  // into the page cache
  const long peakBefore = PeakMegabytes();
  const double plain = BestSeconds([&] { PlainRead(path, false); });
  unsigned long long lines = 0;
  const double withLines = BestSeconds([&] { lines = PlainRead(path, true); });
  long long counted = 0;
  const double counting = BestSeconds([&] {
    HitCounter counter(kWinning);
    CountColumnFile(path, counter);
    counted = counter.Columns();
  });
  ScrutinyResult result;
  const double run = BestSeconds([&] { result = RunScrutiny(app, entry); });

  std::printf("plain buffered read:            %7.1f ms\n", plain * 1000);
  std::printf("plain read counting its lines:  %7.1f ms (%llu lines)\n", withLines * 1000, lines);
  std::printf("counting the hits:              %7.1f ms (%lld columns)  ratio %.2f to the plain read, %.2f to "
              "the line count\n",
              counting * 1000, counted, counting / plain, counting / withLines);
  std::printf("whole RunScrutiny:              %7.1f ms (%zu prize-winning slips)  ratio %.2f to the plain read\n",
              run * 1000, result.slips.size(), run / plain);
  std::printf("peak memory: %ld MB before the timings, %ld MB after\n", peakBefore, PeakMegabytes());
  std::printf("14 hits: %d, 10 hits: %d, 0 hits: %d\n", result.hitTotals[14], result.hitTotals[10],
              result.hitTotals[0]);
  fs::remove_all(folder);
  return counted == kFullBase && result.outcome == ScrutinyOutcome::Counted ? 0 : 1;
}
