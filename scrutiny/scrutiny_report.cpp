#include "scrutiny/scrutiny_report.h"

#include "app/app_state.h"
#include "app/cp1252.h"
#include "app/numbers.h"
#include "matchdays/matchday_file.h"

namespace vetra {
namespace {

constexpr double kFontSize = 9.75;
constexpr std::size_t kFixtureWidth = 37;  // the dotted row each fixture is written over

// The prizes, right of the fixtures.
constexpr double kPrizesTitleX = 6000;
constexpr double kPrizesTitleY = 1500;
constexpr double kPrizesRuleY = 1700;
constexpr double kPrizeX = 6050;
constexpr double kPrizeTop = 1800;
constexpr double kPrizePitch = 350;

// The columns per number of hits.
constexpr double kHitsX = 1800;
constexpr double kHitsTitleY = 5400;
constexpr double kHitsRuleY = 5650;
constexpr double kHitsTop = 5700;
constexpr double kHitsPitch = 250;
constexpr double kTotalX = 2850;
constexpr double kTotalY = 10100;

// The slips.
constexpr double kSlipsX = 2800;
constexpr double kSlipsTitleY = 11000;
constexpr double kSlipsTitleRuleY = 11160;
constexpr double kSlipsHeadingY = 11400;
constexpr double kSlipsRuleY = 11560;
constexpr double kSlipsTop = 11600;
constexpr double kSlipPitch = 250;
constexpr double kSlipsBottom = 15000;  // no slip line lies lower
constexpr double kNextPageHeadingY = 300;
constexpr double kNextPageRuleY = 460;
constexpr double kNextPageTop = 500;  // the first line goes one pitch lower, at 750
constexpr double kSlipsTotalGap = 300;

const std::string kSlipsHeading = "Boleto nro.  14   13   12   11   10";
const std::string kSlipsRule(35, '=');

// The program's texts are UTF-8; the printer takes the files' code page.
std::string Cp(std::string_view utf8) { return Utf8ToCp1252(utf8); }

// A grouped amount right-aligned in 13, and the euro sign.
std::string Euros(double value, const NumberMarks& marks) {
  return RightAligned(Cp(FormatNumber(value, "##,###,##0.00", marks)), 13) + Cp(" €");
}

void PrintAt(Printer& printer, double x, double y, std::string_view text) {
  printer.MoveTo(x, y);
  printer.Print(text);
}

std::string TeamOf(const AppState& app, int team) { return Trimmed(TeamName(app.matchdayRecord, team)); }

// "01. Home - Away" over a row of dots, with the winning sign after it; the
// leading zero of the number becomes a blank.
std::string FixtureLine(const AppState& app, const ScrutinyResult& result, int match) {
  const std::string home = TeamOf(app, 2 * match - 1);
  const std::string away = TeamOf(app, 2 * match);
  std::string text = TwoDigits(match) + ". " + home + (!home.empty() && !away.empty() ? " - " : "") + away;
  std::string line(kFixtureWidth, '.');
  line.replace(0, std::min(text.size(), kFixtureWidth), text, 0, kFixtureWidth);
  if (line[0] == '0') line[0] = ' ';
  const char sign = match <= static_cast<int>(result.winningColumn.size()) ? result.winningColumn[match - 1] : ' ';
  return line + "  " + sign;
}

std::string HitsLine(const ScrutinyResult& result, int hits, const NumberMarks& marks) {
  const std::int32_t count = result.hitTotals[hits];
  std::string line = RightAligned(std::to_string(count), 6) + " columna" + (count == 1 ? " " : "s") + " de " +
                     RightAligned(std::to_string(hits), 2) + " aciertos";
  if (hits >= kLowestPrizeHits && count > 0) line += ".: " + Euros(ValueOf(result.amounts[hits]), marks);
  return line;
}

std::string SlipReportLine(const SlipHits& slip) {
  std::string line = RightAligned(std::to_string(slip.slip), 6) + std::string(8, ' ');
  for (int k = 0; k < kPrizes; ++k) {
    if (k > 0) line += std::string(4, ' ');
    line += slip.counts[k] ? std::to_string(slip.counts[k]) : " ";
  }
  return line;
}

}  // namespace

std::string PrintScrutinyReport(Printer& printer, const AppState& app, const std::array<double, kPrizes>& prizes,
                                const ScrutinyResult& result, const NumberMarks& marks) {
  printer.SetFontName("Courier New");
  printer.SetFontSize(kFontSize);

  printer.SetFontBold(true);
  printer.PrintEmptyLine();
  printer.Print("   Escrutinio de la jornada nro. " + RightAligned(std::to_string(app.currentMatchday), 2) +
                " de fecha " + app.currentMatchdayDate + " (Orden " +
                RightAligned(std::to_string(app.currentOrder), 2) + ")");
  printer.PrintEmptyLine();
  printer.PrintEmptyLine();
  printer.SetFontBold(false);

  printer.Print(std::string(13, ' ') + "Columna ganadora");
  printer.Print(std::string(41, '-'));
  for (int match = 1; match <= kMatches; ++match) printer.Print(FixtureLine(app, result, match));

  PrintAt(printer, kPrizesTitleX, kPrizesTitleY, Cp("Premios a repartir por categoría"));
  PrintAt(printer, kPrizesTitleX, kPrizesRuleY, std::string(32, '*'));
  for (int k = 1; k <= kPrizes; ++k)
    PrintAt(printer, kPrizeX, kPrizeTop + kPrizePitch * k,
            std::to_string(kMatches + 1 - k) + " aciertos.: " + Euros(prizes[k - 1], marks));

  PrintAt(printer, kHitsX, kHitsTitleY, Cp("         Aciertos agrupados por categoría"));
  PrintAt(printer, kHitsX, kHitsRuleY, " " + std::string(47, '='));
  for (int i = 1; i <= kMatches + 1; ++i)
    PrintAt(printer, kHitsX, kHitsTop + kHitsPitch * i, HitsLine(result, kMatches + 1 - i, marks));
  PrintAt(printer, kTotalX, kTotalY, "Total importe premios.: " + Euros(ValueOf(result.total), marks));

  PrintAt(printer, kSlipsX, kSlipsTitleY, Cp("Localización de aciertos en boletos"));
  PrintAt(printer, kSlipsX, kSlipsTitleRuleY, std::string(35, '-'));
  PrintAt(printer, kSlipsX, kSlipsHeadingY, kSlipsHeading);
  PrintAt(printer, kSlipsX, kSlipsRuleY, kSlipsRule);
  double y = kSlipsTop;
  for (const SlipHits& slip : result.slips) {
    y += kSlipPitch;
    if (y > kSlipsBottom) {
      printer.NewPage();
      PrintAt(printer, kSlipsX, kNextPageHeadingY, kSlipsHeading);
      PrintAt(printer, kSlipsX, kNextPageRuleY, kSlipsRule);
      y = kNextPageTop + kSlipPitch;
    }
    PrintAt(printer, kSlipsX, y, SlipReportLine(slip));
  }
  PrintAt(printer, kSlipsX, y + kSlipsTotalGap,
          "    Total boletos premiados.: " +
              Cp(FormatNumber(static_cast<double>(result.slips.size()), "###,##0", marks)));
  return printer.EndJob();
}

}  // namespace vetra
