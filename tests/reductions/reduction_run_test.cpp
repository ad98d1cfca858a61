#include "reductions/reduction_run.h"

#include <gtest/gtest.h>

#include "tests/reductions/base_builder.h"

namespace vetra {
namespace {

using testing::MakeReduction;
using testing::Match;

std::optional<Refusal> Check(BaseRecord reduction) {
  ReductionFigures figures;
  RecomputeFigures(reduction, figures);
  return CheckRun(reduction, figures);
}

std::string TitleOf(const std::optional<Refusal>& refusal) { return refusal ? refusal->title : "none"; }

const std::string kNoProbableTail =
    " que no se ha seleccionado ningun signo en la  Columna  Base.   Debe seleccionar  en  la   Columna Base  un  "
    "signo  de  cada  partido  a reducir antes de efectuar la reducción.";

TEST(ReductionRun, ProbableColumnRefusals) {
  BaseRecord reduction = MakeReduction(kProbableColumnMethod,
                                      {Match("1X2", true), Match("1X", true, 'X'), Match("12", true), Match("X2")});
  std::optional<Refusal> refusal = Check(reduction);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->title, "ERROR EN LA QUINIELA BASE");
  EXPECT_EQ(refusal->text, "Hay  2 partidos múltiples a reducir de la Quiniela Base de los" + kNoProbableTail);

  reduction.baseGrid[0].probable = 3;
  refusal = Check(reduction);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->text,
            "Hay  1  partido  múltiple  a  reducir de  la   Quiniela  Base  del " + kNoProbableTail);

  reduction.baseGrid[2].probable = 1;
  reduction.minErrors = 2;
  reduction.maxErrors = 1;
  refusal = Check(reduction);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->title, "NO CONCUERDAN LOS ERRORES PERMITIDOS");
  EXPECT_EQ(refusal->text,
            "El mínimo de errores permitidos es superior al máximo de errores permitidos. El mínimo debe ser igual o "
            "inferior al máximo. Debe corregir estos parámetros antes de efectuar la reducción.");

  reduction.maxErrors = 2;
  EXPECT_FALSE(Check(reduction));

  // The method's own refusal comes before the match without signs.
  reduction.baseGrid[0].probable = 0;
  reduction.baseGrid[4] = Match("");
  EXPECT_NE(Check(reduction)->text.find("Hay  1  partido"), std::string::npos);
}

TEST(ReductionRun, SignSelectionNeedsATotalOfEachSign) {
  BaseRecord reduction = MakeReduction(kSignSelectionMethod, {Match("1X2", true), Match("1X2", true)});
  reduction.allowedTotals[0][1] = reduction.allowedTotals[2][1] = 1;
  std::optional<Refusal> refusal = Check(reduction);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->title, "ERROR EN TOTALES DE CADA SIGNO");
  EXPECT_EQ(refusal->text,
            "Tiene que marcar como mínimo un valor en cada una de las tres columnas que indican el total de signos 1, "
            "X y 2 que deben tener las apuestas reducidas.");
  // A total allowed beyond the capacity is cleared first, so it does not count.
  reduction.allowedTotals[1][3] = 1;
  EXPECT_EQ(TitleOf(Check(reduction)), "ERROR EN TOTALES DE CADA SIGNO");
  reduction.allowedTotals[1][0] = 1;
  EXPECT_FALSE(Check(reduction));
}

TEST(ReductionRun, RefusalsOfEveryMethodInOrder) {
  for (int method : {kDirectMethod, kSignSelectionMethod}) {
    SCOPED_TRACE(method);
    BaseRecord reduction = MakeReduction(method, {Match("1X2", true), Match("")});
    for (auto& totals : reduction.allowedTotals) totals.fill(1);
    std::optional<Refusal> refusal = Check(reduction);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->title, "ERROR EN LA QUINIELA BASE");
    EXPECT_EQ(refusal->text,
              "Hay  algún  partido  de  la  Quiniela Base  que  no tiene marcado ningún signo. Debe seleccionar en la "
              "Quiniela Base al menos un signo de cada partido antes de efectuar la reducción.");

    reduction = MakeReduction(method, {Match("1X2"), Match("12")});
    for (auto& totals : reduction.allowedTotals) totals.fill(1);
    refusal = Check(reduction);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->title, "MULTIPLES A REDUCIR");
    EXPECT_EQ(refusal->text,
              "No ha seleccionado ningún múltiple a reducir. Seleccione los múltiples que desea reducir antes de "
              "iniciar la reducción.");
  }

  // Nothing kept: totals of 1 and X that leave no room for the rest.
  BaseRecord reduction = MakeReduction(kSignSelectionMethod, {Match("1X2", true), Match("1X2", true)});
  reduction.allowedTotals[0][2] = reduction.allowedTotals[1][2] = reduction.allowedTotals[2][2] = 1;
  std::optional<Refusal> refusal = Check(reduction);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->title, "NO HAY APUESTAS REDUCIDAS");
  EXPECT_EQ(refusal->text,
            "La combinación  de  la  quiniela base y los factores de reducción actuales   da   lugar   a   que  la  "
            "totalidad  de  las  apuestas  sean rechazadas.  Modifique  estos  factores hasta que haya al menos una "
            "apuesta aceptada para poder efectuar una reducción válida.");

  EXPECT_EQ(ReductionExistsQuestion().title, "REDUCCIÓN YA EXISTE");
  EXPECT_EQ(ReductionExistsQuestion().text,
            "Ya existe una reducción correspondiente a esa jornada  y  con ese número de orden. Si desea conservar la "
            "reducción existente, pulse Salir ,cambie el número de orden de la reducción actual y vuelva a realizar la "
            "reducción. Si no desea conservar la que ya existe, pulse Reducir para que continue el proceso de "
            "reducción.");
}

TEST(ReductionRun, UnusedParametersAreReset) {
  BaseRecord set = MakeReduction(kDirectMethod, {Match("1X2", true, 'X')});
  set.minErrors = 1;
  set.maxErrors = 3;
  set.allowedTotals[1][1] = 1;

  BaseRecord reduction = set;
  ResetUnusedParameters(reduction);
  EXPECT_EQ(reduction.minErrors + reduction.maxErrors, 0);
  EXPECT_EQ(reduction.allowedTotals, AllowedTotals{});
  EXPECT_EQ(reduction.baseGrid, set.baseGrid);  // the probable sign stays in the base

  reduction = set;
  reduction.reductionMethod = kProbableColumnMethod;
  ResetUnusedParameters(reduction);
  EXPECT_EQ(reduction.maxErrors, 3);
  EXPECT_EQ(reduction.allowedTotals, AllowedTotals{});

  reduction = set;
  reduction.reductionMethod = kSignSelectionMethod;
  ResetUnusedParameters(reduction);
  EXPECT_EQ(reduction.maxErrors, 0);
  EXPECT_EQ(reduction.allowedTotals[1][1], 1);
}

TEST(ReductionRun, ProgressPanelLines) {
  EXPECT_EQ(BetCountsLine(81, 9), "       81 apuestas reducidas a 9      ");
  EXPECT_EQ(BetCountsLine(4782969, 4782969), "  4782969 apuestas reducidas a 4782969");
  EXPECT_EQ(ProgressLine(7), "Se ha realizado el   7 % de la reducción ");
  EXPECT_EQ(ProgressLine(100), "Se ha realizado el 100 % de la reducción ");
  EXPECT_EQ(ProgressPercent(2, 3), 66);
  EXPECT_EQ(ProgressPercent(4782969, 4782969), 100);
  EXPECT_EQ(ProgressPercent(4782968, 4782969), 99);
  EXPECT_STREQ(kRunFinishedLine, "Ha finalizado el proceso de reducción");
  EXPECT_STREQ(kRunCancelledLine, "El proceso de reducción ha sido cancelado");
}

}  // namespace
}  // namespace vetra
