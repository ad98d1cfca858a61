#include "reductions/column_generator.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <unordered_set>

#include "tests/reductions/base_builder.h"

namespace vetra {
namespace {

using testing::CollectingSink;
using testing::CountingSink;
using testing::Grid;
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
  std::vector<std::string> signs;
  for (const BaseMatch& match : grid) signs.push_back(SignsText(match));
  std::vector<std::size_t> position(kMatches, 0);
  std::vector<std::string> columns;
  for (;;) {
    std::string column;
    for (int m = 0; m < kMatches; ++m) column += signs[m][position[m]];
    columns.push_back(column);
    int m = 0;
    while (m < kMatches && ++position[m] == signs[m].size()) position[m++] = 0;
    if (m == kMatches) return columns;
  }
}

TEST(ColumnGenerator, FourMarkedTriplesGiveTheRowsOfTableA) {
  // Triples at matches 3, 5, 8 and 14; the rest single, match 1 on X.
  BaseRecord reduction = MakeReduction(kDirectMethod, {});
  reduction.baseGrid[0] = Match("X");
  for (int m : {2, 4, 7, 13}) reduction.baseGrid[m] = Match("1X2", true);
  const std::vector<std::string> expected = {
      "X1111112111111", "X1X1X11X111111", "X1212111111111", "X111X11111111X", "X1X1211211111X",
      "X121111X11111X", "X111211X111112", "X1X11111111112", "X121X112111112"};
  EXPECT_EQ(Generate(reduction), expected);
}

TEST(ColumnGenerator, DirectMethodExpandsWhatTheTableLeaves) {
  // A marked double (table L: its second sign) and an unmarked double.
  BaseRecord reduction = MakeReduction(kDirectMethod, {Match("X2"), Match("1X", true)});
  EXPECT_EQ(Generate(reduction), (std::vector<std::string>{"XX111111111111", "2X111111111111"}));

  // Two marked triples and seven marked doubles: table C on the doubles, the
  // triples expanded in full, the 16 rows for each of their 9 states.
  reduction = MakeReduction(kDirectMethod, {Match("1X2", true)});
  for (int m = 1; m <= 7; ++m) reduction.baseGrid[m] = Match("12", true);
  reduction.baseGrid[8] = Match("1X2", true);
  const std::vector<std::string> columns = Generate(reduction);
  ASSERT_EQ(columns.size(), 144u);
  EXPECT_EQ(std::set<std::string>(columns.begin(), columns.end()).size(), 144u);
  const char* triples[9] = {"11", "X1", "21", "1X", "XX", "2X", "12", "X2", "22"};
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const std::string& column = columns[i];
    EXPECT_EQ(std::string() + column[0] + column[8], triples[i / 16]) << i;
    for (int d = 0; d < 7; ++d) {
      const char pick = TableString(ReductionTables()[2].offset + 1 + d)[i % 16];
      EXPECT_EQ(column[1 + d], pick == '1' ? '1' : '2') << i;
    }
  }
}

TEST(ColumnGenerator, ProbableColumnKeepsTheColumnsWithinTheErrors) {
  BaseRecord reduction = MakeReduction(
      kProbableColumnMethod, {Match("1X2", true, '1'), Match("1X2", true, 'X'), Match("1X2", true, '2')});
  reduction.maxErrors = 1;
  const std::vector<std::string> expected = {"1X1", "1XX", "112", "1X2", "XX2", "2X2", "122"};
  std::vector<std::string> columns = Generate(reduction);
  ASSERT_EQ(columns.size(), expected.size());
  for (std::size_t i = 0; i < columns.size(); ++i) EXPECT_EQ(columns[i], expected[i] + "11111111111");
}

TEST(ColumnGenerator, ABaseWithAMatchWithoutSignsGivesNothing) {
  BaseRecord reduction = MakeReduction(kSignSelectionMethod, {Match("1X2", true), Match("")});
  EXPECT_TRUE(Generate(reduction).empty());
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

TEST(ColumnGenerator, PredictionEqualsEnumeration) {
  std::mt19937 random(1402);
  for (int method : {kProbableColumnMethod, kSignSelectionMethod}) {
    for (int trial = 0; trial < 250; ++trial) {
      BaseRecord reduction = RandomReduction(random, method);
      ReductionFigures figures;
      RecomputeFigures(reduction, figures);
      std::vector<std::string> kept;
      for (const std::string& column : BaseColumns(reduction.baseGrid))
        if (MeetsCondition(reduction, column)) kept.push_back(column);
      const std::vector<std::string> columns = Generate(reduction);
      ASSERT_EQ(reduction.reducedBets, static_cast<std::int32_t>(columns.size()))
          << "method " << method << " trial " << trial;
      ASSERT_EQ(columns, kept) << "method " << method << " trial " << trial;
    }
  }
}

// Keeps the blocks as they come, framed as it asks.
class FramingSink : public ColumnSink {
 public:
  ColumnFrame Frame() const override { return {"<", ">;\n"}; }
  void Take(std::string_view block) override { bytes.append(block); }
  std::string bytes;
};

TEST(ColumnGenerator, FramedColumnsAreTheSameColumnsInTheirFrames) {
  std::mt19937 random(2002);
  for (int method : {kDirectMethod, kProbableColumnMethod, kSignSelectionMethod}) {
    for (int trial = 0; trial < 40; ++trial) {
      const BaseRecord reduction = RandomReduction(random, method);
      std::string expected;
      for (const std::string& column : Generate(reduction)) expected += "<" + column + ">;\n";
      FramingSink sink;
      RecordingProgress progress;
      const GenerationResult result = GenerateColumns(reduction, sink, progress);
      ASSERT_EQ(sink.bytes, expected) << "method " << method << " trial " << trial;
      EXPECT_EQ(result.columns * 18, static_cast<std::int64_t>(expected.size()));
    }
  }
}

TEST(ColumnGenerator, DirectMethodCoversEveryBaseColumnWithinOneSign) {
  std::mt19937 random(77);
  std::map<float, int> factorsSeen;
  for (int trial = 0; trial < 300; ++trial) {
    BaseRecord reduction = RandomReduction(random, kDirectMethod);
    ReductionFigures figures;
    RecomputeFigures(reduction, figures);
    if (figures.multiplesMarked == 0) continue;
    ++factorsSeen[figures.reductionFactor];

    // The table takes the first marked triples and then the first marked
    // doubles, as many as it reduces.
    const ReductionTable& table = figures.table;
    std::vector<bool> slot(kMatches, false);
    int triples = 0, doubles = 0;
    std::int64_t expanded = 1;
    for (int m = 0; m < kMatches; ++m) {
      const BaseMatch& match = reduction.baseGrid[m];
      const int signs = SignsOf(match);
      if (match.marked && signs == 3 && triples < table.triples) slot[m] = ++triples;
      else if (match.marked && signs == 2 && doubles < table.doubles) slot[m] = ++doubles;
      else expanded *= signs;
    }

    const std::vector<std::string> columns = Generate(reduction);
    ASSERT_EQ(static_cast<std::int64_t>(columns.size()), expanded * table.rows) << trial;
    if (table.factor != 5.33f) {
      EXPECT_EQ(reduction.reducedBets, static_cast<std::int32_t>(columns.size()));
    }
    const std::unordered_set<std::string> written(columns.begin(), columns.end());
    EXPECT_EQ(written.size(), columns.size()) << trial;
    for (const std::string& column : columns)
      for (int m = 0; m < kMatches; ++m)
        ASSERT_NE(SignsText(reduction.baseGrid[m]).find(column[m]), std::string::npos) << column;

    for (const std::string& base : BaseColumns(reduction.baseGrid)) {
      bool covered = written.count(base) > 0;
      for (int m = 0; m < kMatches && !covered; ++m) {
        if (!slot[m]) continue;
        for (char sign : SignsText(reduction.baseGrid[m])) {
          std::string near = base;
          near[m] = sign;
          covered = covered || written.count(near) > 0;
        }
      }
      ASSERT_TRUE(covered) << "trial " << trial << ": " << base;
    }
  }
  // The random bases reach most tables.
  EXPECT_GE(factorsSeen.size(), 6u);
}

TEST(ColumnGenerator, ProgressIsAskedEveryFewThousandColumns) {
  BaseRecord reduction = MakeReduction(kProbableColumnMethod, std::vector<BaseMatch>(14, Match("1X2", true, 'X')));
  reduction.maxErrors = 14;
  CountingSink sink;
  RecordingProgress progress;
  const GenerationResult result = GenerateColumns(reduction, sink, progress);
  EXPECT_FALSE(result.cancelled);
  EXPECT_EQ(sink.columns, 4782969);
  EXPECT_EQ(result.columns, 4782969);
  EXPECT_EQ(result.states, 4782969);
  EXPECT_EQ(progress.total, 4782969);
  ASSERT_FALSE(progress.calls.empty());
  EXPECT_EQ(progress.calls.front(), 0);
  for (std::size_t i = 1; i < progress.calls.size(); ++i) {
    const std::int64_t step = progress.calls[i] - progress.calls[i - 1];
    ASSERT_GE(step, 1000);
    ASSERT_LE(step, 8192);
  }
  EXPECT_GE(progress.calls.back(), 4782969 - 8192);

  // The direct method counts the rows it writes: table E writes 36 per state.
  reduction = MakeReduction(kDirectMethod, std::vector<BaseMatch>(14, Match("1X2")));
  for (int m = 0; m < 7; ++m) reduction.baseGrid[m] = Match(m < 2 ? "1X2" : "1X", true);
  progress.calls.clear();
  sink.columns = 0;
  GenerateColumns(reduction, sink, progress);
  EXPECT_EQ(sink.columns, 36 * 2187);
  EXPECT_EQ(progress.total, 2187);
  for (std::size_t i = 1; i < progress.calls.size(); ++i) {
    const std::int64_t columns = 36 * (progress.calls[i] - progress.calls[i - 1]);
    ASSERT_GE(columns, 1000);
    ASSERT_LE(columns, 8192);
  }
}

TEST(ColumnGenerator, CancellingStopsAtOnce) {
  BaseRecord reduction = MakeReduction(kSignSelectionMethod, std::vector<BaseMatch>(14, Match("1X2", true)));
  for (auto& totals : reduction.allowedTotals) totals.fill(1);

  // Refused at the third question: the sink has every column made before it
  // and nothing after.
  CountingSink sink;
  RecordingProgress progress;
  std::int64_t handedWhenCancelled = -1;
  progress.answer = [&](int call) {
    if (call < 3) return true;
    handedWhenCancelled = sink.columns;
    return false;
  };
  GenerationResult result = GenerateColumns(reduction, sink, progress);
  EXPECT_TRUE(result.cancelled);
  ASSERT_EQ(progress.calls.size(), 3u);
  EXPECT_EQ(result.states, progress.calls[2]);
  EXPECT_EQ(handedWhenCancelled, progress.calls[2]);
  EXPECT_EQ(sink.columns, handedWhenCancelled);
  EXPECT_EQ(result.columns, sink.columns);
  EXPECT_LT(result.states, 3 * 8192);

  // Refused at once: nothing at all.
  sink.columns = 0;
  progress.answer = [](int) { return false; };
  result = GenerateColumns(reduction, sink, progress);
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(sink.columns, 0);
  EXPECT_EQ(result.states, 0);
}

}  // namespace
}  // namespace vetra
