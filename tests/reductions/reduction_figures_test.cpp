#include "reductions/reduction_figures.h"

#include <gtest/gtest.h>

#include "tests/reductions/base_builder.h"

namespace vetra {
namespace {

using testing::MakeReduction;
using testing::Match;

const NumberMarks kSpanish{".", ","};

TEST(ReductionFigures, CounterPanelRows) {
  // Four marked triples, an unmarked double: 162 reduced to 18 by table A.
  BaseRecord reduction = MakeReduction(kDirectMethod, {Match("1X2", true), Match("1X2", true), Match("1X2", true),
                                                      Match("1X2", true), Match("12")});
  ReductionFigures figures;
  RecomputeFigures(reduction, figures);
  const std::vector<FigureLine> expected = {
      {"Partidos a doble", "1"},
      {"Partidos a triple", "4"},
      {"Total múltiples", "5"},
      {"Apuest. directas", "162", true},
      {"Dobles a reducir", "0"},
      {"Triples a reducir", "4"},
      {"Múltiples a reducir", "4"},
      {"Apuest. aceptadas", "18"},
      {"Apuest. excluidas", "144", true},
      {"Importe total", "81,00 €"},
      {"Importe reducidas", "9,00 €", true},
      {"Factor reducción", "9,00"},
      {"Probab. 14 aciertos", "11,11 %"},
      {"Probab. 13 aciertos", "88,89 %"},
  };
  EXPECT_EQ(CounterPanelRows(reduction, figures, 0.5f, kSpanish), expected);

  // The other methods end with the share covered. Nothing kept: factor and
  // share show zero, with either marks.
  reduction = MakeReduction(kProbableColumnMethod, {Match("1X", true, '1')});
  reduction.minErrors = 2;
  RecomputeFigures(reduction, figures);
  const std::vector<FigureLine> rows = CounterPanelRows(reduction, figures, 0.5f, {",", "."});
  ASSERT_EQ(rows.size(), 13u);
  EXPECT_EQ(rows[11].value, "0.00");
  EXPECT_EQ(rows[12], (FigureLine{"Posibil. cubiertas", "0.00 %"}));

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
  EXPECT_EQ(block.lines, (std::vector<FigureLine>{
                             {"81 apuestas reducidas a 9", ""},
                             {"Factor de  reducción.....:", "9,00"},
                             {"Importe reducidas.........:", "4,50 €"},
                             {"Probabilidad 14 aciertos:", "11,11 %"},
                             {"Probabilidad 13 aciertos:", "88,89 %"},
                         }));

  stored.reductionMethod = kProbableColumnMethod;
  stored.minErrors = 0;
  stored.maxErrors = 2;
  stored.directBets = 4782969;
  stored.reducedBets = 1683;
  block = ReductionSummary(stored, 0.5f, kSpanish);
  EXPECT_EQ(block.left, 60);
  EXPECT_EQ(block.lines, (std::vector<FigureLine>{
                             {"4.782.969 apuestas reducidas a 1.683", ""},
                             {"Factor de  reducción.....:", "2841,93"},
                             {"Errores permitidos.........:", "De 0 a 2"},
                             {"Importe reducidas.........:", "841,50 €"},
                             {"Posibilidades cubiertas.:", "0,04 %"},
                         }));

  // Nothing kept: the count and the factor are left blank.
  stored.reductionMethod = kSignSelectionMethod;
  stored.reducedBets = 0;
  block = ReductionSummary(stored, 0.5f, kSpanish);
  ASSERT_EQ(block.lines.size(), 4u);
  EXPECT_EQ(block.lines[0].label, "4.782.969 apuestas reducidas a ");
  EXPECT_EQ(block.lines[1].value, "");

  // No reduction loaded.
  stored.directBets = stored.reducedBets = 1;
  EXPECT_TRUE(ReductionSummary(stored, 0.5f, kSpanish).lines.empty());
}

}  // namespace
}  // namespace vetra
