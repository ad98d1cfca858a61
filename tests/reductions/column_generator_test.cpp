#include "reductions/column_generator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <unordered_set>

#include "tests/reductions/base_builder.h"

namespace vetra {
namespace {

using testing::CollectingSink;
using testing::CountingSink;
using testing::MakeReduction;
using testing::Match;
using testing::RecordingProgress;

std::vector<std::string> Generate(const BaseRecord& reduction) {
  CollectingSink sink;
  RecordingProgress progress;
  const GenerationResult result = GenerateColumns(reduction, sink, progress);
  EXPECT_FALSE(result.cancelled);
  EXPECT_EQ(result.columns, static_cast<std::int64_t>(sink.columns.size()));
  return sink.columns;
}

std::string SignsText(const BaseMatch& match) {
  std::string text;
  for (int k = 0; k < 3; ++k)
    if (match.signs[k]) text += "1X2"[k];
  return text;
}

// Every column of the base, match 1 changing fastest.
std::vector<std::string> BaseColumns(const BaseGrid& grid) {
  std::vector<std::string> columns = {""};
  for (const BaseMatch& match : grid) {
    std::vector<std::string> longer;
    for (char sign : SignsText(match))
      for (const std::string& column : columns) longer.push_back(column + sign);
    columns = std::move(longer);
  }
  return columns;
}

TEST(ColumnGenerator, DirectMethodWritesTheTableRowsInRunOrder) {
  // Table A on triples at matches 3, 5, 8 and 14; match 1 single X.
  BaseRecord reduction = MakeReduction(kDirectMethod, {Match("X")});
  for (int m : {2, 4, 7, 13}) reduction.baseGrid[m] = Match("1X2", true);
  EXPECT_EQ(Generate(reduction),
            (std::vector<std::string>{"X1111112111111", "X1X1X11X111111", "X1212111111111", "X111X11111111X",
                                      "X1X1211211111X", "X121111X11111X", "X111211X111112", "X1X11111111112",
                                      "X121X112111112"}));

  // Table L picks a marked double's second sign; the unmarked double is expanded.
  reduction = MakeReduction(kDirectMethod, {Match("X2"), Match("1X", true)});
  EXPECT_EQ(Generate(reduction), (std::vector<std::string>{"XX111111111111", "2X111111111111"}));

  EXPECT_TRUE(Generate(MakeReduction(kSignSelectionMethod, {Match("1X2", true), Match("")})).empty());  // no signs
}

// Random bases of at most some tens of thousands of columns.
BaseRecord RandomReduction(std::mt19937& random, int method) {
  const char* kinds[] = {"1", "X", "2", "1", "X", "2", "1X", "12", "X2", "1X2", "1X2"};
  for (;;) {
    BaseRecord reduction = MakeReduction(method, {});
    std::int64_t columns = 1;
    for (BaseMatch& match : reduction.baseGrid) {
      const std::string signs = kinds[random() % 11];
      const bool marked = signs.size() > 1 && random() % 10 < 7;
      match = Match(signs, marked, marked ? signs[random() % signs.size()] : 0);
      columns *= static_cast<std::int64_t>(signs.size());
    }
    if (columns > 40000) continue;
    reduction.minErrors = static_cast<std::int16_t>(random() % 5);
    reduction.maxErrors = static_cast<std::int16_t>(random() % 7);
    for (auto& totals : reduction.allowedTotals)
      for (auto& flag : totals) flag = random() % 2;
    return reduction;
  }
}

bool MeetsCondition(const BaseRecord& reduction, const std::string& column) {
  if (reduction.reductionMethod == kProbableColumnMethod) {
    int errors = 0;
    for (int m = 0; m < kMatches; ++m) {
      const int probable = reduction.baseGrid[m].probable;
      errors += probable != 0 && column[m] != "1X2"[probable - 1];
    }
    return reduction.minErrors <= errors && errors <= reduction.maxErrors;
  }
  int counts[3] = {};
  for (int m = 0; m < kMatches; ++m)
    if (reduction.baseGrid[m].marked) ++counts[column[m] == '1' ? 0 : column[m] == 'X' ? 1 : 2];
  return reduction.allowedTotals[0][counts[0]] && reduction.allowedTotals[1][counts[1]] &&
         reduction.allowedTotals[2][counts[2]];
}

// The other methods keep exactly the base columns their condition allows,
// as many as predicted. The direct method writes the table's rows, and that
// makes a reduction: every column of the base is written or lies within one
// sign of a written one.
TEST(ColumnGenerator, PredictionEqualsEnumerationAndTheDirectMethodCoversItsBase) {
  std::mt19937 random(1402);
  std::set<float> factorsSeen;
  for (int method : {kProbableColumnMethod, kSignSelectionMethod, kDirectMethod}) {
    for (int trial = 0; trial < 250; ++trial) {
      SCOPED_TRACE("method " + std::to_string(method) + " trial " + std::to_string(trial));
      BaseRecord reduction = RandomReduction(random, method);
      ReductionFigures figures;
      RecomputeFigures(reduction, figures);
      const std::vector<std::string> columns = Generate(reduction);
      const std::vector<std::string> base = BaseColumns(reduction.baseGrid);
      if (method != kDirectMethod) {
        std::vector<std::string> kept;
        for (const std::string& column : base)
          if (MeetsCondition(reduction, column)) kept.push_back(column);
        ASSERT_EQ(reduction.reducedBets, static_cast<std::int32_t>(columns.size()));
        ASSERT_EQ(columns, kept);
        continue;
      }
      if (figures.multiplesMarked == 0) continue;
      factorsSeen.insert(figures.reductionFactor);
      const ReductionTable& table = figures.table;
      const int tableColumns = static_cast<int>(std::pow(3, table.triples) * std::pow(2, table.doubles));
      ASSERT_EQ(static_cast<std::int64_t>(columns.size()), reduction.directBets / tableColumns * table.rows);
      const std::unordered_set<std::string> written(columns.begin(), columns.end());
      EXPECT_EQ(written.size(), columns.size());
      const std::unordered_set<std::string> inBase(base.begin(), base.end());
      for (const std::string& column : columns) ASSERT_TRUE(inBase.count(column)) << column;
      for (const std::string& column : base) {
        bool covered = written.count(column) > 0;
        for (int m = 0; m < kMatches && !covered; ++m)
          for (char sign : SignsText(reduction.baseGrid[m])) {
            std::string near = column;
            near[m] = sign;
            covered = covered || written.count(near) > 0;
          }
        ASSERT_TRUE(covered) << column;
      }
    }
  }
  EXPECT_GE(factorsSeen.size(), 6u);  // the random bases reach most tables
}

TEST(ColumnGenerator, ProgressIsAskedEveryFewThousandColumnsAndACancelStopsAtOnce) {
  BaseRecord reduction = MakeReduction(kProbableColumnMethod, std::vector<BaseMatch>(14, Match("1X2", true, 'X')));
  reduction.maxErrors = 14;
  CountingSink sink;
  RecordingProgress progress;
  const GenerationResult result = GenerateColumns(reduction, sink, progress);
  EXPECT_EQ(result.columns, 4782969);
  EXPECT_EQ(progress.total, 4782969);
  EXPECT_EQ(progress.calls.front(), 0);
  for (std::size_t i = 1; i < progress.calls.size(); ++i) {  // 1000 to 8192 columns between questions
    ASSERT_GE(progress.calls[i] - progress.calls[i - 1], 1000);
    ASSERT_LE(progress.calls[i] - progress.calls[i - 1], 8192);
  }
  EXPECT_GE(progress.calls.back(), 4782969 - 8192);

  // Refused at the third question: the sink has every column made before it
  // and nothing after.
  sink.columns = 0;
  progress.calls.clear();
  std::int64_t handedWhenCancelled = -1;
  progress.answer = [&](int call) {
    if (call < 3) return true;
    handedWhenCancelled = sink.columns;
    return false;
  };
  const GenerationResult cancelled = GenerateColumns(reduction, sink, progress);
  EXPECT_TRUE(cancelled.cancelled);
  ASSERT_EQ(progress.calls.size(), 3u);
  EXPECT_EQ(handedWhenCancelled, progress.calls[2]);
  EXPECT_EQ(sink.columns, handedWhenCancelled);
}

}  // namespace
}  // namespace vetra
