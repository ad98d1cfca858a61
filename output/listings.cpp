#include "output/listings.h"

#include <algorithm>

#include "app/app_state.h"
#include "app/cp1252.h"
#include "app/numbers.h"
#include "matchdays/matchday_file.h"
#include "output/slip_printing.h"
#include "reductions/column_file.h"
#include "reductions/reduction_figures.h"
#include "reductions/reduction_tables.h"

namespace vetra {
namespace {

constexpr std::size_t kFixtureWidth = 35;
constexpr std::size_t kSignFieldWidth = 27;
const std::string kIndent(10, ' ');

// n right-aligned in `width` characters.
std::string Width(long long n, std::size_t width) {
  std::string text = std::to_string(n);
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string Figure(double value, std::string_view pattern, const NumberMarks& marks) {
  return Utf8ToCp1252(FormatNumber(value, pattern, marks));
}

void EmptyLines(Printer& printer, int count) {
  for (int i = 0; i < count; ++i) printer.PrintEmptyLine();
}

void SetListingFont(Printer& printer) {
  printer.SetFontName(kListingFont);
  printer.SetFontSize(kListingFontSize);
  printer.SetFontBold(false);
}

void PrintBasicData(Printer& printer, const AppState& app, const NumberMarks& marks) {
  printer.SetFontBold(true);
  EmptyLines(printer, 3);
  printer.Print("     " + MatchdayHeading(app));
  EmptyLines(printer, 2);
  printer.SetFontBold(false);
  for (const std::string& head : ColumnHeads(app.reductionMethod)) printer.Print(head);
  printer.PrintEmptyLine();
  for (int m = 1; m <= kSlipMatches; ++m) {
    printer.Print(FixtureLine(app, m));
    printer.PrintEmptyLine();
  }
  EmptyLines(printer, 4);
  printer.Print(MethodLine(app.reductionMethod));
  printer.PrintEmptyLine();
  const std::vector<std::string> lines = SummaryLines(app, marks, " €");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    printer.Print(lines[i]);
    // The direct method's page ends on its last figure.
    if (app.reductionMethod != kDirectMethod || i + 1 < lines.size()) printer.PrintEmptyLine();
  }
}

// One row of slips: the sign j of every column place, each after a blank.
struct SlipRow {
  std::array<std::string, kSlipMatches> lines;
  bool PlaceUsed(int place) const { return lines[0][place * 16 - 15] != ' '; }
};

SlipRow ReadSlipRow(ColumnFileReader& file, long long firstColumn, long long lastColumn, int columnsPerRow) {
  SlipRow row;
  std::string column;
  for (int c = 0; c < columnsPerRow; ++c) {
    if (firstColumn + c > lastColumn || !file.Next(column)) column.clear();
    column.resize(kSlipMatches, ' ');
    for (int j = 0; j < kSlipMatches; ++j) {
      row.lines[j] += ' ';
      row.lines[j] += column[j];
    }
  }
  return row;
}

void PrintSlipRow(Printer& printer, const SlipRow& row, long firstSlip, int slipsPerRow) {
  std::string numbers = kIndent, rules = kIndent;
  for (int s = 1; s <= slipsPerRow; ++s)
    if (row.PlaceUsed(s)) {
      numbers += "Boleto" + Width(firstSlip + s - 1, 6) + std::string(9, ' ');
      rules += "---------------      ";
    }
  EmptyLines(printer, 4);
  printer.Print(numbers);
  printer.Print(rules);
  printer.PrintEmptyLine();
  for (int j = 1; j <= kSlipMatches; ++j) {
    std::string line = "   " + Width(j, 2) + " -  ";
    for (int s = 1; s <= slipsPerRow; ++s) line += row.lines[j - 1].substr((s - 1) * 16, 16) + "     ";
    printer.Print(line);
  }
}

}  // namespace

std::string MatchdayHeading(const AppState& app) {
  return "JORNADA NRO. " + Width(app.currentMatchday, 2) + " DE FECHA " + app.currentMatchdayDate + " (Orden " +
         Width(app.currentOrder, 2) + ")";
}

std::array<std::string, 2> ColumnHeads(int method) {
  const std::string margin(36, ' ');
  const bool probable = method == kProbableColumnMethod;
  return {margin + "Quiniela  Partidos " + (probable ? "   Columna" : ""),
          margin + "  base    reducidos " + (probable ? "  probable" : "")};
}

std::string FixtureLine(const AppState& app, int match) {
  const std::string home = Trimmed(TeamName(app.matchdayRecord, 2 * match - 1));
  const std::string away = Trimmed(TeamName(app.matchdayRecord, 2 * match));
  const std::string text = (match < 10 ? " " : "") + std::to_string(match) + ". " + home +
                           (!home.empty() && !away.empty() ? "-" : "") + away;
  std::string fixture(kFixtureWidth, '.');
  fixture.replace(0, std::min(text.size(), kFixtureWidth), text, 0, kFixtureWidth);

  const BaseMatch& m = app.baseGrid[match - 1];
  static constexpr char kSigns[] = {'1', 'X', '2'};
  std::string signs(kSignFieldWidth, ' ');
  int count = 0;
  for (int s = 0; s < 3; ++s)
    if (m.signs[s]) {
      signs[2 * s] = kSigns[s];
      ++count;
    }
  if (count > 1) signs.replace(12, 3, m.marked ? "[X]" : "[ ]");
  if (app.reductionMethod == kProbableColumnMethod && m.marked && m.probable >= 1 && m.probable <= 3)
    signs[22 + 2 * (m.probable - 1)] = kSigns[m.probable - 1];
  return fixture + "  " + signs;
}

std::string MethodLine(int method) { return kIndent + Utf8ToCp1252(LongMethodName(method)); }

std::vector<std::string> SummaryLines(const AppState& app, const NumberMarks& marks, std::string_view amountUnit) {
  const std::int32_t direct = app.directBets, reduced = app.reducedBets;
  const int method = app.reductionMethod;
  const CostFigures cost = ComputeCostFigures(direct, reduced, 0, app.betPrice);
  std::vector<std::string> lines;
  const auto add = [&](std::string_view label, const std::string& value) {
    lines.push_back(kIndent + Utf8ToCp1252(label) + value);
  };
  add("", Figure(direct, "#,###,###", marks) + " apuestas reducidas a " + Figure(reduced, "#,###,###", marks));
  if (reduced != 0) add("Factor de reducción......: ", Figure(static_cast<double>(direct) / reduced, "##0.00", marks));
  if (method == kProbableColumnMethod)
    add("Errores permitidos.......: ",
        "De " + Figure(app.minErrors, "#0", marks) + " a " + Figure(app.maxErrors, "#0", marks));
  if (method == kSignSelectionMethod)
    for (int k = 0; k < 3; ++k) {
      std::string totals;
      for (int j = 0; j <= kSlipMatches; ++j)
        if (app.allowedTotals[k][j]) totals += (totals.empty() ? "" : ",") + Width(j, 2);
      add(std::string("Signos ") + "1X2"[k] + ".................: ", totals);
    }
  add("Importe reducidas........: ",
      Figure(cost.reducedAmount, "#,###,##0.00", marks) + Utf8ToCp1252(amountUnit));
  const bool directMethod = method == kDirectMethod;
  if (cost.keptShare)
    add(directMethod ? "Probabilidad 14 aciertos.: " : "Posibilidades cubiertas..: ",
        Figure(*cost.keptShare, "##0.00", marks) + " %");
  if (directMethod && cost.excludedShare)
    add("Probabilidad 13 aciertos.: ", Figure(*cost.excludedShare, "##0.00", marks) + " %");
  return lines;
}

void PrintReductionSummary(Printer& printer, const AppState& app, int copies, OutputRun& run,
                           const NumberMarks& marks) {
  SetListingFont(printer);
  for (int c = 1; c <= copies; ++c) {
    run.ShowStatus("Imprimiendo la copia nro. " + FormatNumber(c, "###", marks) + " de " +
                   FormatNumber(copies, "###", marks));
    PrintBasicData(printer, app, marks);
    printer.NewPage();
    if (run.Cancelled()) break;
  }
  run.JobEnded(printer.EndJob());
}

void PrintSlipRelation(Printer& printer, AppState& app, long firstSlip, long lastSlip, bool widePaper,
                       OutputRun& run) {
  ColumnFileReader file;
  if (file.Open(app, ColumnFileReader::Missing::Reported) != 0) return;
  const int wide = widePaper ? 1 : 0;
  const int slipsPerRow = 4 + 3 * wide;
  const int columnsPerRow = 32 + 24 * wide;
  long long firstColumn = firstSlip * 8LL - 7;
  const long long lastColumn = lastSlip * 8LL;
  file.SeekColumn(firstColumn);
  const long long inFile = file.ColumnCount();
  const auto more = [&] { return firstColumn <= inFile && firstColumn <= lastColumn; };

  printer.SetPaperSize(widePaper ? PaperSize::Wide : PaperSize::A4);
  SetListingFont(printer);
  PrintRelationHeader(printer, app, widePaper);
  int rowsOnPage = 0;
  while (more()) {
    const SlipRow row = ReadSlipRow(file, firstColumn, lastColumn, columnsPerRow);
    const long rowSlip = static_cast<long>((firstColumn + 7) / 8);
    PrintSlipRow(printer, row, rowSlip, slipsPerRow);
    run.ShowStatus(PrintingSlipLine(std::min<long>(rowSlip + slipsPerRow - 1, app.slipCount)));
    firstColumn += columnsPerRow;
    if (++rowsOnPage == 3) {
      printer.NewPage();
      if (more()) PrintRelationHeader(printer, app, widePaper);
      rowsOnPage = 0;
    }
    if (run.Cancelled()) break;
  }
  if (rowsOnPage != 0) printer.NewPage();
  file.Close();
  run.JobEnded(printer.EndJob());
}

void PrintRelationHeader(Printer& printer, const AppState& app, bool widePaper) {
  EmptyLines(printer, 3);
  const int page = printer.Page();
  printer.Print(std::string(20, ' ') + MatchdayHeading(app) + std::string(widePaper ? 64 : 14, ' ') +
                Utf8ToCp1252("Página..: ") + (page >= 0 ? " " : "") + std::to_string(page));
  printer.PrintEmptyLine();
}

}  // namespace vetra
