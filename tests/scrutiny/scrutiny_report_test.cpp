// The printed scrutiny report on the recording printer: every line at its
// twip position, the page break of the slip lines, the grouped amounts.
#include "scrutiny/scrutiny_report.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/app_state.h"
#include "matchdays/matchday_file.h"
#include "tests/support/recording_printer.h"

namespace vetra {
namespace {

using testing::PrintedOperation;
using testing::PrinterOp;
using testing::RecordingPrinter;

const std::string kEuro = "\x80";  // in the printer's code page
const std::string kHeading = "Boleto nro.  14   13   12   11   10";

// Slips 1 and 3: one column of 14 and one of 13 hits, and one of 12; then
// slips 6, 8, ... up to `slips` lines.
ScrutinyResult Counted(int slips = 2) {
  ScrutinyResult r;
  r.outcome = ScrutinyOutcome::Counted;
  r.winningColumn = "1X21X21X21X21X";
  r.hitTotals = {0, 0, 0, 0, 14, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1};
  r.amounts.fill(" ");
  r.amounts[14] = " 1000000.00";
  r.amounts[13] = "    1500.50";
  r.amounts[12] = "      20.00";
  r.total = " 1001520.50";
  r.slips = {{1, {1, 1, 0, 0, 0}}, {3, {0, 0, 1, 0, 0}}};
  for (int n = 3; n <= slips; ++n) r.slips.push_back({2 * n, {0, 0, 0, 0, 1}});
  return r;
}

// The report of matchday 7 of 14/09/03, order 1: fixture 1 has both teams,
// fixture 2 no away team, fixture 14 none at all, fixture 10 the longest names.
struct Report {
  explicit Report(const ScrutinyResult& result) {
    app.currentMatchday = 7;
    app.currentOrder = 1;
    app.currentMatchdayDate = "14/09/03";
    app.matchdayRecord = EmptyMatchdayRecord();
    SetTeamName(app.matchdayRecord, 1, "Real Madrid");
    SetTeamName(app.matchdayRecord, 2, "Barcelona");
    SetTeamName(app.matchdayRecord, 3, "Sevilla");
    SetTeamName(app.matchdayRecord, 19, "Atl\xE9tico Madrid");
    SetTeamName(app.matchdayRecord, 20, "Deportivo La Co");
    EXPECT_EQ(PrintScrutinyReport(printer, app, {1000000, 1500.5, 20, 0, 0}, result, NumberMarks{".", ","}), "");
  }
  // Fails the test unless `text` was printed at (x, y) of `page`.
  void ExpectAt(const std::string& text, double x, double y, int page = 1) const {
    for (const PrintedOperation& o : printer.Of(PrinterOp::Print))
      if (o.text == text) {
        EXPECT_EQ(std::make_tuple(o.x, o.y, o.page), std::make_tuple(x, y, page)) << text;
        return;
      }
    ADD_FAILURE() << "not printed: '" << text << "'";
  }
  AppState app;
  RecordingPrinter printer;
};

TEST(ScrutinyReport, AOnePageReportWithEveryLineInPlaceAndGroupedAmounts) {
  Report r(Counted());
  const std::vector<std::string> texts = r.printer.Texts();
  ASSERT_GE(texts.size(), 20u);
  EXPECT_EQ(texts[1], "   Escrutinio de la jornada nro.  7 de fecha 14/09/03 (Orden  1)");
  EXPECT_EQ(texts[6], " 1. Real Madrid - Barcelona" + std::string(10, '.') + "  1");
  EXPECT_EQ(texts[7], " 2. Sevilla" + std::string(26, '.') + "  X");
  EXPECT_EQ(texts[15], "10. Atl\xE9tico Madrid - Deportivo La Co  1");
  EXPECT_EQ(texts[19], "14. " + std::string(33, '.') + "  X");

  // The head in bold, the rest not.
  const auto prints = r.printer.Of(PrinterOp::Print);
  for (const PrintedOperation& o : prints)
    EXPECT_EQ(o.bold, o.text.find("Escrutinio de la") != std::string::npos || (o.text.empty() && o.y < 1000))
        << o.text;
  // The head and the fixtures are printed one below the other from the top.
  EXPECT_EQ(prints[0].y, 0);
  for (std::size_t i = 1; i < 20; ++i)
    EXPECT_EQ(std::make_pair(prints[i].x, prints[i].y), std::make_pair(0.0, prints[i - 1].y + r.printer.LineHeight()));

  r.ExpectAt("Premios a repartir por categor\xED" "a", 6000, 1500);
  r.ExpectAt("14 aciertos.:  1.000.000,00 " + kEuro, 6050, 2150);
  r.ExpectAt("10 aciertos.:          0,00 " + kEuro, 6050, 3550);

  r.ExpectAt("         Aciertos agrupados por categor\xED" "a", 1800, 5400);
  // One column: " columna" and a blank where the plural has "s".
  r.ExpectAt("     1 columna  de 14 aciertos.:  1.000.000,00 " + kEuro, 1800, 5950);
  // Prize categories without columns, and those below 10: no amount.
  r.ExpectAt("     0 columnas de 11 aciertos", 1800, 6700);
  r.ExpectAt("    14 columnas de  4 aciertos", 1800, 8450);
  r.ExpectAt("Total importe premios.:  1.001.520,50 " + kEuro, 2850, 10100);

  r.ExpectAt("Localizaci\xF3n de aciertos en boletos", 2800, 11000);
  r.ExpectAt(kHeading, 2800, 11400);
  // The counts stand under the last digit of each category.
  r.ExpectAt("     1" + std::string(8, ' ') + "1    1" + std::string(15, ' '), 2800, 11850);
  r.ExpectAt("     3" + std::string(18, ' ') + "1" + std::string(10, ' '), 2800, 12100);
  r.ExpectAt("    Total boletos premiados.: 2", 2800, 12400);
  EXPECT_TRUE(r.printer.Of(PrinterOp::NewPage).empty());
  EXPECT_EQ(r.printer.Of(PrinterOp::EndJob).size(), 1u);

  ScrutinyResult none = Counted();
  none.slips.clear();
  Report(none).ExpectAt("    Total boletos premiados.: 0", 2800, 11900);
}

TEST(ScrutinyReport, ThirteenSlipLinesOnPageOneAndFiftyEightOnEachFurtherPage) {
  Report r(Counted(73));  // slips 1, 3 and 71 more
  std::vector<PrintedOperation> slipLines, headings;
  for (const PrintedOperation& o : r.printer.Of(PrinterOp::Print)) {
    if (o.x == 2800 && o.text.size() == 35 && o.text[0] == ' ') slipLines.push_back(o);
    if (o.page > 1 && (o.text == kHeading || o.text == std::string(35, '='))) headings.push_back(o);
  }
  ASSERT_EQ(slipLines.size(), 73u);
  const auto at = [](const PrintedOperation& o) { return std::make_pair(o.page, o.y); };
  EXPECT_EQ(at(slipLines[12]), std::make_pair(1, 14850.0));
  EXPECT_EQ(at(slipLines[13]), std::make_pair(2, 750.0));
  EXPECT_EQ(at(slipLines[70]), std::make_pair(2, 15000.0));  // the 58th line of page 2
  EXPECT_EQ(at(slipLines[71]), std::make_pair(3, 750.0));
  EXPECT_EQ(r.printer.Of(PrinterOp::NewPage).size(), 2u);
  // The heading again at the top of pages 2 and 3, the rule under it.
  ASSERT_EQ(headings.size(), 4u);
  EXPECT_EQ(at(headings[0]), std::make_pair(2, 300.0));
  EXPECT_EQ(at(headings[1]), std::make_pair(2, 460.0));
  r.ExpectAt("    Total boletos premiados.: 73", 2800, 1300, 3);
}

}  // namespace
}  // namespace vetra
