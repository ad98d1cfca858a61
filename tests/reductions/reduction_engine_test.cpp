#include "reductions/reduction_engine.h"

#include <gtest/gtest.h>

#include "tests/reductions/base_builder.h"

// The predicted counts of small bases are checked against enumeration in the
// generator's tests; these are the cases enumeration does not reach.
namespace vetra {
namespace {

using testing::MakeReduction;
using testing::Match;

TEST(ReductionEngine, DirectMethodCountsTheBaseAndDividesByTheTableFactor) {
  BaseRecord reduction = MakeReduction(kDirectMethod, {Match("1X", true), Match("X2"), Match("1X2", true),
                                                      Match("12", true), Match("1X2"), Match("2"),
                                                      Match("1X2", true)});
  ReductionFigures f;
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.directBets, 216);
  EXPECT_EQ(reduction.reducedBets, 216 / 4);  // two triples and two doubles: table D

  // Table H's factor is the single-precision 5.33: 96 / 5.33 = 18.01.
  reduction = MakeReduction(kDirectMethod, {Match("1X2", true), Match("1X", true), Match("X2", true),
                                            Match("12", true), Match("1X", true), Match("1X", true)});
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.reducedBets, 18);

  // Nothing marked: no table applies and the factor is 1.
  reduction = MakeReduction(kDirectMethod, {Match("1X2"), Match("12")});
  RecomputeFigures(reduction, f);
  EXPECT_EQ(f.reductionFactor, 1.0f);
  EXPECT_EQ(reduction.reducedBets, 6);
}

TEST(ReductionEngine, ProbableColumnErrorsAreLoweredToTheMarkedMatches) {
  BaseRecord reduction = MakeReduction(kProbableColumnMethod, {Match("1X", true, '1'), Match("X2", true, 'X')});
  reduction.minErrors = 3;
  reduction.maxErrors = 5;
  ReductionFigures f;
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.minErrors, 2);
  EXPECT_EQ(reduction.maxErrors, 2);
  EXPECT_EQ(reduction.reducedBets, 1);

  // Nothing kept: the division fails and the factor stays 1.
  reduction.maxErrors = 1;
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.reducedBets, 0);
  EXPECT_EQ(f.reductionFactor, 1.0f);
}

TEST(ReductionEngine, SignSelectionClearsUnreachableTotalsAndCountsTheWholeBase) {
  BaseRecord reduction =
      MakeReduction(kSignSelectionMethod, {Match("1X", true), Match("X2", true), Match("1X2", true), Match("12")});
  for (auto& totals : reduction.allowedTotals) totals.fill(1);
  ReductionFigures f;
  RecomputeFigures(reduction, f);
  // Sign 1 appears in two marked matches, X in three, 2 in two.
  for (int j = 0; j <= 14; ++j) {
    EXPECT_EQ(reduction.allowedTotals[0][j], j <= 2 ? 1 : 0) << j;
    EXPECT_EQ(reduction.allowedTotals[1][j], j <= 3 ? 1 : 0) << j;
    EXPECT_EQ(reduction.allowedTotals[2][j], j <= 2 ? 1 : 0) << j;
  }

  // Beyond enumeration: fourteen marked triples, every total allowed.
  reduction = MakeReduction(kSignSelectionMethod, std::vector<BaseMatch>(14, Match("1X2", true)));
  for (auto& totals : reduction.allowedTotals) totals.fill(1);
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.directBets, 4782969);
  EXPECT_EQ(reduction.reducedBets, 4782969);
  EXPECT_EQ(f.reductionFactor, 1.0f);
  // Only columns with 4 or 5 X: C(14,4)·2^10 + C(14,5)·2^9.
  for (int j = 0; j <= 14; ++j) reduction.allowedTotals[1][j] = j == 4 || j == 5;
  RecomputeFigures(reduction, f);
  EXPECT_EQ(reduction.reducedBets, 1001 * 1024 + 2002 * 512);
}

}  // namespace
}  // namespace vetra
