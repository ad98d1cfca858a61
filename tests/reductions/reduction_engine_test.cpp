#include "reductions/reduction_engine.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/reductions/base_builder.h"

namespace vetra {
namespace {

using testing::Grid;
using testing::MakeReduction;
using testing::Match;

void AllowAll(BaseRecord& reduction) {
  for (auto& totals : reduction.allowedTotals) totals.fill(1);
}

TEST(ReductionEngine, Combinations) {
  EXPECT_EQ(Combinations(14, 7), 3432);
  EXPECT_EQ(Combinations(14, 14), 1);
  EXPECT_EQ(Combinations(5, 2), 10);
  EXPECT_EQ(Combinations(5, 0), 1);
  EXPECT_EQ(Combinations(0, 0), 1);
  EXPECT_EQ(Combinations(3, 5), 0);
}

TEST(ReductionEngine, CountsOfTheBase) {
  BaseRecord reduction = MakeReduction(kDirectMethod, {Match("1X", true), Match("X2"), Match("1X2", true),
                                                      Match("12", true), Match("1X2"), Match("2"),
                                                      Match("1X2", true)});
  ReductionFigures f;
  RecomputeFigures(reduction, f);
  EXPECT_EQ(f.doublesInBase, 3);
  EXPECT_EQ(f.triplesInBase, 3);
  EXPECT_EQ(f.doublesMarked, 2);
  EXPECT_EQ(f.triplesMarked, 2);
  EXPECT_EQ(f.multiplesMarked, 4);
  // Marked: 1X, 1X2, 12, 1X2.
  EXPECT_EQ(f.signCapacity, (std::array<std::int16_t, 3>{4, 3, 3}));
  EXPECT_EQ(reduction.directBets, 2 * 2 * 3 * 2 * 3 * 3);
  // Two triples and two doubles: table D, factor 4.
  EXPECT_EQ(f.table, ReductionTables()[3]);
  EXPECT_EQ(f.reductionFactor, 4.0f);
  EXPECT_EQ(reduction.reducedBets, 216 / 4);
}

TEST(ReductionEngine, DirectMethodDividesByTheTableFactor) {
  BaseRecord reduction = MakeReduction(kDirectMethod, {Match("1X2", true), Match("1X2", true), Match("1X2", true),
                                                      Match("1X2", true)});
  ReductionFigures f;
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.directBets, 81);
  EXPECT_EQ(reduction.reducedBets, 9);
  EXPECT_EQ(f.reductionFactor, 9.0f);

  // One triple and five doubles: table H and the single-precision 5.33;
  // 96 / 5.33 = 18.01 and, with an unmarked triple more, 288 / 5.33 = 54.03.
  reduction = MakeReduction(kDirectMethod, {Match("1X2", true), Match("1X", true), Match("X2", true),
                                            Match("12", true), Match("1X", true), Match("1X", true)});
  RecomputeFigures(reduction, f);
  EXPECT_EQ(f.reductionFactor, 5.33f);
  EXPECT_EQ(reduction.reducedBets, 18);
  reduction.baseGrid[10] = Match("1X2");
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.reducedBets, 54);
  // 14 marked doubles: table C divides 16384 by 8.
  reduction = MakeReduction(kDirectMethod, std::vector<BaseMatch>(14, Match("X2", true)));
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.reducedBets, 2048);

  // Nothing marked: no table applies, the last one stays and the factor is 1.
  reduction = MakeReduction(kDirectMethod, {Match("1X2"), Match("12")});
  RecomputeFigures(reduction, f);
  EXPECT_EQ(f.table, ReductionTables()[2]);
  EXPECT_EQ(f.reductionFactor, 1.0f);
  EXPECT_EQ(reduction.reducedBets, 6);
}

TEST(ReductionEngine, ProbableColumnCountsByErrors) {
  BaseRecord reduction = MakeReduction(
      kProbableColumnMethod, {Match("1X2", true, '1'), Match("1X2", true, 'X'), Match("1X2", true, '2')});
  reduction.maxErrors = 1;
  ReductionFigures f;
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.reducedBets, 1 + 3 * 2);
  EXPECT_FLOAT_EQ(f.reductionFactor, 27.0f / 7.0f);

  // Two triples and a double marked, an unmarked double and an unmarked
  // triple: errors 1..2 give 2*2 + 1 (one error) + 4 + 2*2*1 (two errors),
  // times 2 * 3 for the unmarked multiples.
  reduction = MakeReduction(kProbableColumnMethod, {Match("1X2", true, 'X'), Match("1X2", true, '1'),
                                                    Match("12", true, '2'), Match("1X"), Match("1X2")});
  reduction.minErrors = 1;
  reduction.maxErrors = 2;
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.reducedBets, (5 + 8) * 6);

  // Errors beyond the marked matches are lowered to their number.
  reduction = MakeReduction(kProbableColumnMethod, {Match("1X", true, '1'), Match("X2", true, 'X')});
  reduction.minErrors = 3;
  reduction.maxErrors = 5;
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.minErrors, 2);
  EXPECT_EQ(reduction.maxErrors, 2);
  EXPECT_EQ(reduction.reducedBets, 1);

  // Nothing kept: the division fails and the factor stays 1.
  reduction.minErrors = 2;
  reduction.maxErrors = 1;
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.reducedBets, 0);
  EXPECT_EQ(f.reductionFactor, 1.0f);
}

TEST(ReductionEngine, UnreachableTotalsAreClearedForEveryMethod) {
  for (int method : {kDirectMethod, kProbableColumnMethod, kSignSelectionMethod}) {
    BaseRecord reduction = MakeReduction(method, {Match("1X", true), Match("X2", true), Match("1X2", true), Match("12")});
    AllowAll(reduction);
    ReductionFigures f;
    RecomputeFigures(reduction, f);
    // Sign 1 appears in two marked matches, X in three, 2 in two.
    for (int j = 0; j <= 14; ++j) {
      EXPECT_EQ(reduction.allowedTotals[0][j], j <= 2 ? 1 : 0) << j;
      EXPECT_EQ(reduction.allowedTotals[1][j], j <= 3 ? 1 : 0) << j;
      EXPECT_EQ(reduction.allowedTotals[2][j], j <= 2 ? 1 : 0) << j;
    }
  }
}

TEST(ReductionEngine, SignSelectionCountsColumnsWithTheAllowedTotals) {
  // Two marked triples with exactly one 1 and one X: "1X" and "X1"; an
  // unmarked double doubles them.
  BaseRecord reduction = MakeReduction(kSignSelectionMethod, {Match("1X2", true), Match("1X2", true), Match("X2")});
  reduction.allowedTotals[0][1] = reduction.allowedTotals[1][1] = reduction.allowedTotals[2][0] = 1;
  ReductionFigures f;
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.reducedBets, 4);
  EXPECT_FLOAT_EQ(f.reductionFactor, 18.0f / 4.0f);

  // The worst base: fourteen marked triples, every total allowed.
  reduction = MakeReduction(kSignSelectionMethod, std::vector<BaseMatch>(14, Match("1X2", true)));
  AllowAll(reduction);
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.directBets, 4782969);
  EXPECT_EQ(reduction.reducedBets, 4782969);
  EXPECT_EQ(f.reductionFactor, 1.0f);
  // Only columns with 4 or 5 X: C(14,4)·2^10 + C(14,5)·2^9.
  for (int j = 0; j <= 14; ++j) reduction.allowedTotals[1][j] = j == 4 || j == 5;
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.reducedBets, 1001 * 1024 + 2002 * 512);
}

// CountSignTotals as the rule reads, choosing the matches of the first sign
// one combination at a time.
std::int32_t CountSignTotalsByChoices(const BaseGrid& grid, int a, int b, int c) {
  const int count[3] = {a, b, c};
  const int s1 = c > 0 ? 2 : b > 0 ? 1 : 0;
  const int s2 = s1 == 0 ? 2 : s1 == 1 ? 0 : (b == 0 && a > 0 ? 0 : 1);
  std::vector<int> marked, candidates;
  for (int m = 0; m < kMatches; ++m)
    if (grid[m].marked) {
      marked.push_back(m);
      if (grid[m].signs[s1]) candidates.push_back(m);
    }
  const int k = count[s1];
  if (k > static_cast<int>(candidates.size())) return 0;
  std::vector<int> choice(k);
  for (int i = 0; i < k; ++i) choice[i] = i;
  std::int32_t total = 0;
  for (;;) {
    std::vector<bool> chosen(kMatches, false);
    for (int i : choice) chosen[candidates[i]] = true;
    int free = 0, need = count[s2];
    for (int m : marked)
      if (!chosen[m] && grid[m].signs[s2]) {
        ++free;
        if (grid[m].signs[s1] && SignsOf(grid[m]) == 2) {
          --free;
          --need;
        }
      }
    if (need >= 0) total += Combinations(free, need);
    int i = k - 1;
    while (i >= 0 && choice[i] == static_cast<int>(candidates.size()) - k + i) --i;
    if (i < 0) break;
    ++choice[i];
    for (int j = i + 1; j < k; ++j) choice[j] = choice[j - 1] + 1;
  }
  return total;
}

TEST(ReductionEngine, CountSignTotalsAgreesWithChoosingOneCombinationAtATime) {
  // Including marked matches of one sign, which the screen never leaves but
  // a damaged index line might hold.
  std::mt19937 random(20240614);
  const char* kinds[] = {"1", "X", "2", "1X", "12", "X2", "1X2"};
  for (int trial = 0; trial < 300; ++trial) {
    BaseGrid grid = Grid({});
    int marked = 0;
    for (BaseMatch& match : grid) {
      match = Match(kinds[random() % 7], random() % 3 != 0);
      marked += match.marked;
    }
    for (int a = 0; a <= marked; ++a)
      for (int b = 0; a + b <= marked; ++b)
        ASSERT_EQ(CountSignTotals(grid, a, b, marked - a - b), CountSignTotalsByChoices(grid, a, b, marked - a - b))
            << "trial " << trial << " totals " << a << " " << b;
  }
}

}  // namespace
}  // namespace vetra
