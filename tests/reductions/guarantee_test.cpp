#include "reductions/guarantee.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/data_folder.h"
#include "output/guarantee_listing.h"
#include "reductions/column_file.h"
#include "reductions/reduction_store.h"
#include "tests/reductions/base_builder.h"
#include "tests/reductions/numbered_columns.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::CollectingSink;
using testing::ColumnNumber;
using testing::MakeReduction;
using testing::Match;
using testing::RecordingProgress;
using testing::TestState;

constexpr PrizeAmounts kNoPrizes{};

std::vector<std::string> ColumnsOf(BaseRecord reduction) {
  ReductionFigures figures;
  RecomputeFigures(reduction, figures);
  CollectingSink sink;
  RecordingProgress progress;
  GenerateColumns(reduction, sink, progress);
  return sink.columns;
}

NearColumns Spread(const std::vector<std::string>& columns) {
  NearColumns near;
  for (const std::string& column : columns) EXPECT_TRUE(near.Add(column));
  RecordingProgress progress;
  EXPECT_TRUE(near.Spread(progress));
  return near;
}

// The mismatches of two columns, sign by sign.
int Differences(std::string_view a, std::string_view b) {
  int n = 0;
  for (std::size_t m = 0; m < a.size(); ++m) n += a[m] != b[m];
  return n;
}

// Every count of every result, against a comparison of every result with
// every column. The columns all carry the base's sign at its single matches,
// so a result's differences from a column are its misses at those matches
// plus the differences at the multiples: the comparisons are made once per
// sign pattern of the multiples, then looked up for each result.
void ExpectCountsOfEveryResult(const BaseRecord& reduction) {
  const std::vector<std::string> columns = ColumnsOf(reduction);
  ASSERT_FALSE(columns.empty());
  const NearColumns near = Spread(columns);
  std::vector<std::size_t> multiples;
  std::string singles;  // the base's sign at each single match, blank at the multiples
  for (std::size_t m = 0; m < kMatches; ++m) {
    const BaseMatch& match = reduction.baseGrid[m];
    if (SignsOf(match) > 1) multiples.push_back(m);
    singles += SignsOf(match) > 1 ? ' ' : match.signs[0] ? '1' : match.signs[1] ? 'X' : '2';
  }
  std::vector<std::array<std::uint32_t, 15>> byPattern(static_cast<std::size_t>(std::pow(3, multiples.size())));
  for (std::size_t pattern = 0; pattern < byPattern.size(); ++pattern) {
    std::string result = singles;
    for (std::size_t i = 0, rest = pattern; i < multiples.size(); ++i, rest /= 3) result[multiples[i]] = "1X2"[rest % 3];
    for (const std::string& column : columns) ++byPattern[pattern][Differences(result, column)];
  }
  long long wrong = 0;
  for (std::int32_t index = 0; index < kResultCount; ++index) {
    std::array<int, kMatches> digits{};  // of the result, match 1 first
    for (int m = 0, rest = index; m < kMatches; ++m, rest /= 3) digits[static_cast<std::size_t>(m)] = rest % 3;
    std::size_t pattern = 0;
    for (std::size_t i = multiples.size(); i-- > 0;) pattern = pattern * 3 + static_cast<std::size_t>(digits[multiples[i]]);
    int misses = 0;
    for (std::size_t m = 0; m < kMatches; ++m) misses += singles[m] != ' ' && "1X2"[digits[m]] != singles[m];
    for (int d = 0; d < kPrizeDistances; ++d) {
      const std::uint32_t expected = d >= misses ? byPattern[pattern][static_cast<std::size_t>(d - misses)] : 0;
      wrong += near.Count(index, d) != expected;
    }
  }
  EXPECT_EQ(wrong, 0) << columns.size() << " columns";
}

TEST(Guarantee, EveryCountOfEveryResultAgreesWithComparingEveryColumn) {
  // Direct: table B on three triples and three doubles, two doubles expanded.
  ExpectCountsOfEveryResult(MakeReduction(
      kDirectMethod, {Match("1X2", true), Match("X2"), Match("1X2", true), Match("1X", true), Match("1"),
                      Match("1X2", true), Match("12", true), Match("X2", true), Match("2"), Match("1X")}));
  // Probable column: five triples and three doubles, one to three errors.
  BaseRecord probable = MakeReduction(
      kProbableColumnMethod, {Match("1X2", true, 'X'), Match("1X2", true, '1'), Match("X2", true, '2'),
                              Match("1"), Match("1X2", true, '2'), Match("12", true, '1'), Match("1X2", true, 'X'),
                              Match("X"), Match("1X", true, 'X'), Match("1X2", true, '1')});
  probable.minErrors = 1;
  probable.maxErrors = 3;
  ExpectCountsOfEveryResult(probable);
  // Sign selection: eight marked multiples, some totals of each sign.
  BaseRecord signs = MakeReduction(kSignSelectionMethod,
                                   {Match("1"), Match("1X2", true), Match("1X2", true), Match("X2", true),
                                    Match("1X2", true), Match("12", true), Match("1X2", true), Match("1X", true),
                                    Match("2"), Match("1X2", true)});
  for (int total : {2, 3, 4}) signs.allowedTotals[0][total] = 1;
  for (int total : {1, 2, 3}) signs.allowedTotals[1][total] = 1;
  for (int total : {1, 2, 3, 4}) signs.allowedTotals[2][total] = 1;
  ExpectCountsOfEveryResult(signs);
}

TEST(Guarantee, OneColumnHasTheWholeSphereOfResultsAroundItAndRepeatsCount) {
  for (int repeats : {1, 5}) {  // five times goes beyond the narrow counts
    const NearColumns near = Spread(std::vector<std::string>(static_cast<std::size_t>(repeats), "1X21X21X21X21X"));
    std::array<std::int64_t, kPrizeDistances> results{};
    for (std::int32_t r = 0; r < kResultCount; ++r)
      for (int d = 0; d < kPrizeDistances; ++d)
        if (const std::uint32_t n = near.Count(r, d)) {
          EXPECT_EQ(n, static_cast<std::uint32_t>(repeats));
          ++results[static_cast<std::size_t>(d)];
        }
    // C(14, d) * 2^d.
    EXPECT_EQ(results, (std::array<std::int64_t, kPrizeDistances>{1, 28, 364, 2912, 16016})) << repeats;
  }
}

// Stored with the engine as "Reducir" stores it, then analysed from its file.
GuaranteeRun AnalyseStored(TestState& t, BaseRecord reduction, const PrizeAmounts& prizes) {
  ReductionFigures figures;
  RecomputeFigures(reduction, figures);
  t.app.currentMatchday = 7;
  t.app.currentOrder = 3;
  SetCurrentBaseRecord(t.app, reduction);
  RecordingProgress progress;
  EXPECT_TRUE(StoreReduction(t.app, progress).Finished());
  RecordingProgress analysis;
  GuaranteeRun run = AnalyseGuarantee(DataFilePath(t.app, ColumnFileName(7, 3)), reduction.baseGrid, prizes, analysis);
  EXPECT_EQ(analysis.calls.back(), kAnalysisSteps);
  return run;
}

TEST(Guarantee, TableAOnFourTriplesIsAPerfectCodeAndAFullBaseGuaranteesFourteen) {
  TestState t;
  // Nine columns: every result of the base has one at distance 0 or 1.
  const BaseRecord tableA = MakeReduction(
      kDirectMethod, {Match("1X2", true), Match("1"), Match("1X2", true), Match("1X2", true), Match("1X2", true)});
  GuaranteeRun run = AnalyseStored(t, tableA, {100, 10, 0, 0, 0});
  ASSERT_EQ(run.outcome, GuaranteeOutcome::Counted);
  const GuaranteeFigures& a = run.figures;
  EXPECT_EQ(a.columns, 9);
  EXPECT_EQ(a.covered, 81);
  EXPECT_EQ(a.guarantee, 13);
  using Row = std::array<std::int64_t, kBestHitColumns>;
  EXPECT_EQ(a.results[0], (Row{9, 72, 0, 0, 0, 0}));
  // One sign outside: one of the ten single matches has one of its two other
  // signs, one difference more than inside the base, never under 12.
  EXPECT_EQ(a.results[1], (Row{0, 9 * 20, 72 * 20, 0, 0, 0}));
  EXPECT_EQ(a.results[2], (Row{0, 0, 9 * 180, 72 * 180, 0, 0}));
  EXPECT_DOUBLE_EQ(ResultShare(a, 0, 1), 100.0 * 72 / 81);
  EXPECT_EQ(a.prizeColumns[0], (MinMeanMax{0, 9.0 / 81, 1}));
  EXPECT_EQ(a.prizeColumns[1], (MinMeanMax{0, 72.0 / 81, 1}));
  EXPECT_TRUE(a.withPrizes);
  EXPECT_EQ(a.amount, (MinMeanMax{10, (9 * 100.0 + 72 * 10.0) / 81, 100}));
  // As text, each figure right under its head, counted in the file's code
  // page, where the accented heads and the euro sign are one character each.
  const std::vector<std::string> lines = GuaranteeLines(a, {".", ","});
  for (std::size_t i = 0; i + 1 < lines.size(); ++i)
    if (lines[i].find("Medio") != std::string::npos) {
      EXPECT_EQ(lines[i + 1].size(), lines[i].size()) << lines[i + 1];
    }
  EXPECT_EQ(lines.back(), std::string(10, ' ') + "       10,00 \x80       20,00 \x80      100,00 \x80");

  // Every column of 14 signs kept: 14 assured, and around every result the
  // same sphere of columns.
  BaseRecord full = MakeReduction(kProbableColumnMethod, {});
  for (BaseMatch& match : full.baseGrid) match = Match("1X2", true, '1');
  full.maxErrors = kMatches;
  run = AnalyseStored(t, full, kNoPrizes);
  ASSERT_EQ(run.outcome, GuaranteeOutcome::Counted);
  const GuaranteeFigures& all = run.figures;
  EXPECT_EQ(all.columns, kResultCount);
  EXPECT_EQ(all.guarantee, 14);
  EXPECT_EQ(all.results[0], (Row{kResultCount, 0, 0, 0, 0, 0}));
  EXPECT_EQ(all.results[1], Row{});
  EXPECT_EQ(ResultShare(all, 1, 0), 0);
  EXPECT_EQ(all.prizeColumns[4], (MinMeanMax{16016, 16016, 16016}));
  EXPECT_FALSE(all.withPrizes);
  EXPECT_EQ(all.amount, MinMeanMax{});
}

TEST(Guarantee, TheFileIsReadAsTheColumnReaderReadsItAndMissingOrStoppedCountsNothing) {
  TestState t;
  // Odd lines among the usual ones, one of them across the first block's end.
  std::string bytes = testing::NumberedLines(0, 1000);
  const std::vector<std::string> odd = {"\"1X21X21X21X21X\" , \"2\"\r\n", "  \"X1X1X1X1X1X1X1\"\n", "1111111111111X\r\n",
                                        "\"1X2\"\r\n", "\r\n", "\"11111111111112222\"\r\n", "\"x1111111111111\"\r\n"};
  for (const std::string& line : odd) bytes += line;
  bytes += testing::NumberedLines(1000, (1 << 20) / kColumnLineSize - 1000) + "  ";
  bytes += "\"2222222222222X\"\r\n" + testing::NumberedLines(70000, 10) + "\"22222222222222\"";
  t.folder.Write("RED0101.VTR", bytes);

  NearColumns byReader;
  std::int64_t readerUnreadable = 0;
  t.app.currentMatchday = t.app.currentOrder = 1;
  ColumnFileReader reader;
  ASSERT_EQ(reader.Open(t.app), 0);
  for (std::string column; reader.Next(column);) readerUnreadable += !byReader.Add(column);
  NearColumns byBlocks;
  std::int64_t unreadable = 0;
  RecordingProgress progress;
  ASSERT_EQ(ReadNearColumns(t.folder.File("RED0101.VTR"), byBlocks, unreadable, progress), GuaranteeOutcome::Counted);
  EXPECT_EQ(byBlocks.Columns(), byReader.Columns());
  EXPECT_EQ(unreadable, readerUnreadable);
  EXPECT_EQ(unreadable, 3);  // "1X2", the empty line, the small x
  EXPECT_EQ(progress.calls.back(), static_cast<std::int64_t>(bytes.size()));
  byReader.Spread(progress);
  byBlocks.Spread(progress);
  long long differ = 0;
  for (std::int32_t r = 0; r < kResultCount; ++r) differ += byReader.Count(r, 0) != byBlocks.Count(r, 0);
  EXPECT_EQ(differ, 0);

  EXPECT_EQ(AnalyseGuarantee(t.folder.File("RED0909.VTR"), t.app.baseGrid, kNoPrizes, progress).outcome,
            GuaranteeOutcome::NoColumnFile);
  for (int stopAt : {1, 60}) {  // while reading, during the transform
    RecordingProgress stopping;
    stopping.answer = [stopAt](int call) { return call < stopAt; };
    const GuaranteeRun run = AnalyseGuarantee(t.folder.File("RED0101.VTR"), t.app.baseGrid, kNoPrizes, stopping);
    EXPECT_EQ(run.outcome, GuaranteeOutcome::Stopped);
    EXPECT_EQ(stopping.calls.size(), static_cast<std::size_t>(stopAt));
    EXPECT_EQ(run.figures.columns, 0);
  }
}

}  // namespace
}  // namespace vetra
