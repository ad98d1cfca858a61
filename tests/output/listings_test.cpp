// The basic data of a reduction and the relation of its slips, line by line
// as the printer receives them (Windows-1252 bytes).
#include "output/listings.h"

#include <gtest/gtest.h>

#include "tests/output/output_test_support.h"
#include "tests/support/recording_printer.h"

namespace vetra::testing {
namespace {

std::vector<std::string> Page(const RecordingPrinter& printer, int page) {
  std::vector<std::string> texts;
  for (const auto& op : printer.Of(PrinterOp::Print))
    if (op.page == page) texts.push_back(op.text);
  return texts;
}

TEST(BasicData, APageWithTheFixturesTheBaseAndTheFiguresOnePerCopy) {
  TestState t;
  SetUpReduction(t.app, 2);
  RecordingPrinter printer;
  ScriptedRun run;
  PrintReductionSummary(printer, t.app, 1, run, kSpanish);

  std::vector<std::string> expected = {"", "", "", "     JORNADA NRO.  7 DE FECHA 12/10/02 (Orden  3)", "", "",
                                       k36 + "Quiniela  Partidos    Columna", k36 + "  base    reducidos   probable",
                                       "",
                                       " 1. Real Madrid-Barcelona.........." "  1 X 2       [X]         X  ", "",
                                       " 2. Betis.........................." "  1   2       [ ]            ", ""};
  for (int m = 3; m <= 14; ++m) {
    const std::string number = (m < 10 ? " " : "") + std::to_string(m) + ". ";
    expected.push_back(number + std::string(35 - number.size(), '.') + "  1" + std::string(26, ' '));
    expected.push_back("");
  }
  const std::vector<std::string> figures = {"", "", "", "", k10 + "M\xE9todo de Columna Probable   ", "",
                                            k10 + "6 apuestas reducidas a 4", "",
                                            k10 + "Factor de reducci\xF3n......: 1,50", "",
                                            k10 + "Errores permitidos.......: De 0 a 1", "",
                                            k10 + "Importe reducidas........: 2,00 \x80", "",
                                            k10 + "Posibilidades cubiertas..: 66,67 %", ""};
  expected.insert(expected.end(), figures.begin(), figures.end());
  EXPECT_EQ(Page(printer, 1), expected);

  // The heading in bold, the rest plain, all in Courier New 9.75.
  const auto prints = printer.Of(PrinterOp::Print);
  EXPECT_TRUE(prints[3].bold);
  EXPECT_FALSE(prints[6].bold);
  EXPECT_EQ(std::pair(prints[6].fontName, prints[6].fontSize), std::pair(std::string("Courier New"), 9.75));

  // Three copies of the direct method: three identical pages, each ending on
  // the last figure, with no empty line after it.
  t.app.reductionMethod = 1;
  t.app.directBets = 81;
  t.app.reducedBets = 9;
  RecordingPrinter copies;
  PrintReductionSummary(copies, t.app, 3, run, kSpanish);
  EXPECT_EQ(copies.Of(PrinterOp::NewPage).size(), 3u);
  EXPECT_EQ(Page(copies, 2), Page(copies, 1));
  EXPECT_EQ(Page(copies, 3), Page(copies, 1));
  const std::vector<std::string> page = Page(copies, 1);
  EXPECT_EQ(page[6], k36 + "Quiniela  Partidos ");
  EXPECT_EQ(std::vector<std::string>(page.end() - 3, page.end()),
            (std::vector<std::string>{k10 + "Probabilidad 14 aciertos.: 11,11 %", "",
                                      k10 + "Probabilidad 13 aciertos.: 88,89 %"}));
}

TEST(BasicData, TheSignSelectionListsTheAllowedTotalsAndACancelStopsBetweenCopies) {
  TestState t;
  SetUpReduction(t.app, 3);
  t.app.allowedTotals = {};
  for (int j : {0, 1, 5}) t.app.allowedTotals[0][j] = 1;
  t.app.allowedTotals[2][14] = 1;
  t.app.reducedBets = 0;  // no factor can be worked out: its line is left out
  const std::vector<std::string> lines = SummaryLines(t.app, kSpanish, " euros");
  EXPECT_EQ(lines, (std::vector<std::string>{k10 + "6 apuestas reducidas a ",
                                             k10 + "Signos 1.................:  0, 1, 5",
                                             k10 + "Signos X.................: ",
                                             k10 + "Signos 2.................: 14",
                                             k10 + "Importe reducidas........: 0,00 euros",
                                             k10 + "Posibilidades cubiertas..: 0,00 %"}));

  RecordingPrinter printer;
  ScriptedRun run;
  run.cancelAfter = 1;
  PrintReductionSummary(printer, t.app, 5, run, kSpanish);
  EXPECT_EQ(printer.Of(PrinterOp::NewPage).size(), 2u);
  EXPECT_EQ(printer.Of(PrinterOp::EndJob).size(), 1u);
}

// "    1 -  " and each slip place's 16 characters followed by 5 blanks.
std::string MatchLine(int match, const std::vector<std::string>& places) {
  std::string line = "   " + std::string(match < 10 ? " " : "") + std::to_string(match) + " -  ";
  for (const std::string& place : places) line += place + "     ";
  return line;
}

std::string SlipSigns(int slip, int match) {
  std::string signs;
  for (int n = 8 * slip - 7; n <= 8 * slip; ++n) signs += std::string(" ") + TestColumn(n)[match - 1];
  return signs;
}

TEST(SlipRelation, RowsOfFourOrSevenSlipsThreeRowsToAPage) {
  TestState t;
  SetUpReduction(t.app, 1);
  StoreTestColumns(t, 33 * 8 - 4);  // slip 33 holds four columns
  RecordingPrinter printer;
  ScriptedRun run;
  PrintSlipRelation(printer, t.app, 1, 33, false, run);

  EXPECT_EQ(printer.Of(PrinterOp::NewPage).size(), 3u);
  EXPECT_EQ(printer.Of(PrinterOp::PaperSize).front().value, double(PaperSize::A4));
  const std::string head = std::string(20, ' ') + "JORNADA NRO.  1 DE FECHA 12/10/02 (Orden  1)" + std::string(14, ' ');
  const std::vector<std::string> page1 = Page(printer, 1);
  ASSERT_EQ(page1.size(), 5u + 3 * 21);
  EXPECT_EQ(std::vector<std::string>(page1.begin(), page1.begin() + 12),
            (std::vector<std::string>{"", "", "", head + "P\xE1gina..:  1", "", "", "", "", "",
                                      k10 + "Boleto     1         Boleto     2         Boleto     3         "
                                            "Boleto     4         ",
                                      k10 + "---------------      ---------------      ---------------      "
                                            "---------------      ",
                                      ""}));
  EXPECT_EQ(page1[12], MatchLine(1, {SlipSigns(1, 1), SlipSigns(2, 1), SlipSigns(3, 1), SlipSigns(4, 1)}));
  EXPECT_EQ(page1[25], MatchLine(14, {SlipSigns(1, 14), SlipSigns(2, 14), SlipSigns(3, 14), SlipSigns(4, 14)}));

  // The last row holds slip 33 alone: one heading, blanks in the other places.
  const std::vector<std::string> page3 = Page(printer, 3);
  EXPECT_EQ(page3[3], head + "P\xE1gina..:  3");
  ASSERT_EQ(page3.size(), 5u + 3 * 21);
  const std::vector<std::string> last(page3.end() - 21, page3.end());
  EXPECT_EQ(last[4], k10 + "Boleto    33         ");
  EXPECT_EQ(last[5], k10 + "---------------      ");
  const std::string blank(16, ' '), slip33 = SlipSigns(33, 1).substr(0, 8) + std::string(8, ' ');
  EXPECT_EQ(last[7], MatchLine(1, {slip33, blank, blank, blank}));

  // Wide paper: seven places to a row, counted from the first slip chosen.
  RecordingPrinter wide;
  PrintSlipRelation(wide, t.app, 32, 33, true, run);
  EXPECT_EQ(wide.Of(PrinterOp::PaperSize).front().value, double(PaperSize::Wide));
  const std::vector<std::string> page = Page(wide, 1);
  ASSERT_EQ(page.size(), 5u + 21);
  EXPECT_EQ(page[3].substr(20 + 44), std::string(64, ' ') + "P\xE1gina..:  1");
  EXPECT_EQ(page[9], k10 + "Boleto    32         Boleto    33         ");
  EXPECT_EQ(page[12], MatchLine(1, {SlipSigns(32, 1), slip33, blank, blank, blank, blank, blank}));
}

}  // namespace
}  // namespace vetra::testing
