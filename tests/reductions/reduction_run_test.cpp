#include "reductions/reduction_run.h"

#include <gtest/gtest.h>

#include "tests/reductions/base_builder.h"

namespace vetra {
namespace {

using testing::MakeReduction;
using testing::Match;

std::string Refused(BaseRecord reduction) {
  ReductionFigures figures;
  RecomputeFigures(reduction, figures);
  const std::optional<Refusal> refusal = CheckRun(reduction, figures);
  return refusal ? refusal->title + ": " + refusal->text.substr(0, 20) : "none";
}

const std::string kBaseError = "ERROR EN LA QUINIELA BASE: ";

TEST(ReductionRun, ProbableColumnRefusals) {
  BaseRecord reduction = MakeReduction(kProbableColumnMethod,
                                      {Match("1X2", true), Match("1X", true, 'X'), Match("12", true), Match("X2")});
  EXPECT_EQ(Refused(reduction), kBaseError + "Hay  2 partidos múl");  // marked matches without a probable sign
  reduction.baseGrid[0].probable = 3;
  EXPECT_EQ(Refused(reduction), kBaseError + "Hay  1  partido  mú");

  reduction.baseGrid[2].probable = 1;
  reduction.minErrors = 2;
  reduction.maxErrors = 1;
  EXPECT_EQ(Refused(reduction).substr(0, 36), "NO CONCUERDAN LOS ERRORES PERMITIDOS");
  reduction.maxErrors = 2;
  EXPECT_EQ(Refused(reduction), "none");

  // The method's own refusal comes before the match without signs.
  reduction.baseGrid[0].probable = 0;
  reduction.baseGrid[4] = Match("");
  EXPECT_EQ(Refused(reduction), kBaseError + "Hay  1  partido  mú");
}

TEST(ReductionRun, RefusalsOfTheOtherMethodsInOrder) {
  // A match without signs comes before nothing marked.
  BaseRecord direct = MakeReduction(kDirectMethod, {Match("1X2"), Match("")});
  EXPECT_EQ(Refused(direct), kBaseError + "Hay  algún  partido");
  direct.baseGrid[1] = Match("12");
  EXPECT_EQ(Refused(direct).substr(0, 19), "MULTIPLES A REDUCIR");

  // Sign selection needs a total of each sign.
  BaseRecord reduction = MakeReduction(kSignSelectionMethod, {Match("1X2", true), Match("1X2", true)});
  reduction.allowedTotals[0][1] = reduction.allowedTotals[2][1] = 1;
  EXPECT_EQ(Refused(reduction).substr(0, 30), "ERROR EN TOTALES DE CADA SIGNO");
  reduction.allowedTotals[1][0] = 1;
  EXPECT_EQ(Refused(reduction), "none");

  // Totals that leave no column.
  reduction.allowedTotals = {};
  reduction.allowedTotals[0][2] = reduction.allowedTotals[1][2] = reduction.allowedTotals[2][2] = 1;
  EXPECT_EQ(Refused(reduction).substr(0, 25), "NO HAY APUESTAS REDUCIDAS");
}

// Errors belong to the probable column only, totals to sign selection only
// (the probable column's run is in the store's tests).
TEST(ReductionRun, UnusedParametersAreReset) {
  const BaseRecord set = MakeReduction(kDirectMethod, {Match("1X2", true, 'X')});
  BaseRecord direct = set;
  direct.maxErrors = 3;
  direct.allowedTotals[1][1] = 1;
  BaseRecord selection = direct;
  selection.reductionMethod = kSignSelectionMethod;
  ResetUnusedParameters(direct);
  EXPECT_EQ(direct, set);  // the probable sign stays in the base
  ResetUnusedParameters(selection);
  EXPECT_EQ(selection.maxErrors, 0);
  EXPECT_EQ(selection.allowedTotals[1][1], 1);
}

TEST(ReductionRun, ProgressPanelLines) {
  EXPECT_EQ(BetCountsLine(81, 9), "       81 apuestas reducidas a 9      ");
  EXPECT_EQ(BetCountsLine(4782969, 4782969), "  4782969 apuestas reducidas a 4782969");
  EXPECT_EQ(ProgressLine(7), "Se ha realizado el   7 % de la reducción ");
  EXPECT_EQ(ProgressPercent(4782968, 4782969), 99);
}

}  // namespace
}  // namespace vetra
