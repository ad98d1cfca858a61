#include "reductions/reduction_figures.h"

#include <gtest/gtest.h>

#include "tests/reductions/base_builder.h"

namespace vetra {
namespace {

using testing::MakeReduction;
using testing::Match;
using Texts = std::vector<std::string>;

const NumberMarks kSpanish{".", ","};

Texts Values(const std::vector<FigureLine>& lines) {
  Texts values;
  for (const FigureLine& line : lines) values.push_back(line.value);
  return values;
}

TEST(ReductionFigures, CounterPanelRows) {
  // Four marked triples, an unmarked double: 162 reduced to 18 by table A.
  BaseRecord reduction = MakeReduction(kDirectMethod, {Match("1X2", true), Match("1X2", true), Match("1X2", true),
                                                      Match("1X2", true), Match("12")});
  ReductionFigures figures;
  RecomputeFigures(reduction, figures);
  EXPECT_EQ(Values(CounterPanelRows(reduction, figures, 0.5f, kSpanish)),
            (Texts{"1", "4", "5", "162", "0", "4", "4", "18", "144", "81,00 €", "9,00 €", "9,00", "11,11 %",
                   "88,89 %"}));

  // The other methods end with the share covered. Nothing kept: factor and
  // share show zero, with either marks.
  reduction = MakeReduction(kProbableColumnMethod, {Match("1X", true, '1')});
  reduction.minErrors = 2;
  RecomputeFigures(reduction, figures);
  const Texts values = Values(CounterPanelRows(reduction, figures, 0.5f, {",", "."}));
  EXPECT_EQ(Texts(values.begin() + 11, values.end()), (Texts{"0.00", "0.00 %"}));

  // A base with a match without signs has no direct bets: no shares.
  EXPECT_FALSE(ComputeCostFigures(0, 0, 1.0f, 0.5f).keptShare);
}

TEST(ReductionFigures, SummaryBlock) {
  BaseRecord stored;
  stored.reductionMethod = kDirectMethod;
  stored.directBets = 81;
  stored.reducedBets = 9;
  SummaryBlock block = ReductionSummary(stored, 0.5f, kSpanish);
  EXPECT_EQ(block.left, 30);
  EXPECT_EQ(block.lines[0].label, "81 apuestas reducidas a 9");
  EXPECT_EQ(Values(block.lines), (Texts{"", "9,00", "4,50 €", "11,11 %", "88,89 %"}));

  stored.reductionMethod = kProbableColumnMethod;
  stored.maxErrors = 2;
  stored.directBets = 4782969;
  stored.reducedBets = 1683;
  block = ReductionSummary(stored, 0.5f, kSpanish);
  EXPECT_EQ(block.left, 60);
  EXPECT_EQ(block.lines[0].label, "4.782.969 apuestas reducidas a 1.683");
  EXPECT_EQ(Values(block.lines), (Texts{"", "2841,93", "De 0 a 2", "841,50 €", "0,04 %"}));

  // Nothing kept: the count and the factor are left blank.
  stored.reductionMethod = kSignSelectionMethod;
  stored.reducedBets = 0;
  block = ReductionSummary(stored, 0.5f, kSpanish);
  EXPECT_EQ(block.lines[0].label, "4.782.969 apuestas reducidas a ");
  EXPECT_EQ(Values(block.lines), (Texts{"", "", "0,00 €", "0,00 %"}));

  // No reduction loaded.
  stored.directBets = stored.reducedBets = 1;
  EXPECT_TRUE(ReductionSummary(stored, 0.5f, kSpanish).lines.empty());
}

}  // namespace
}  // namespace vetra
