#include "output/guarantee_listing.h"

#include <algorithm>
#include <filesystem>

#include "app/app_state.h"
#include "app/cp1252.h"
#include "app/data_folder.h"
#include "app/file_errors.h"
#include "app/file_io.h"
#include "app/numbers.h"
#include "matchdays/matchday_file.h"
#include "output/listings.h"
#include "reductions/column_file.h"
#include "scrutiny/scrutiny_engine.h"

namespace vetra {
namespace {

constexpr std::size_t kCellWidth = 8;
constexpr std::size_t kRowHeadWidth = 13;
constexpr std::size_t kSpreadWidth = 14;

// The page: the listings' font, a margin of an inch, the title bold.
constexpr double kPageLeft = 1000;
constexpr double kPageTop = 1000;

std::string Count(double value, const NumberMarks& marks) { return FormatNumber(value, "#,###,##0", marks); }

std::string GuaranteeLine(const GuaranteeFigures& figures) {
  const std::string head = "Con los 14 resultados en la quiniela base ";
  if (figures.guarantee == 0) return Utf8ToCp1252(head + "no se aseguran 10 aciertos.");
  return Utf8ToCp1252(head + "se aseguran " + std::to_string(figures.guarantee) + " aciertos.");
}

void AddTable(std::vector<std::string>& lines, const GuaranteeFigures& figures, const NumberMarks& marks) {
  lines.push_back(Utf8ToCp1252("Mejor premio de cada resultado, en % de los resultados de su fila:"));
  std::string head = RightAligned("Signos fuera", kRowHeadWidth);
  for (int hits = kMatches; hits > kMatches - kPrizeDistances; --hits) head += RightAligned(std::to_string(hits), kCellWidth);
  lines.push_back(head + RightAligned("Menos", kCellWidth));
  lines.push_back(Utf8ToCp1252("  de la base"));
  for (int fails = 0; fails < kFailRows; ++fails) {
    std::int64_t results = 0;
    for (std::int64_t n : figures.results[static_cast<std::size_t>(fails)]) results += n;
    std::string row = RightAligned(std::to_string(fails), kRowHeadWidth / 2 + 1) + std::string(kRowHeadWidth / 2, ' ');
    for (int cell = 0; cell < kBestHitColumns; ++cell)
      row += RightAligned(results == 0 ? "-" : FormatNumber(ResultShare(figures, fails, cell), "##0.00", marks), kCellWidth);
    lines.push_back(Utf8ToCp1252(row));
  }
}

// A text right-aligned in `width` characters of the file's code page, where
// every letter and the euro sign are one character.
std::string Cell(std::string_view utf8, std::size_t width) { return RightAligned(Utf8ToCp1252(utf8), width); }

void AddSpreads(std::vector<std::string>& lines, const GuaranteeFigures& figures, const NumberMarks& marks) {
  constexpr std::size_t kHitsWidth = 10;
  const std::string heads = Cell("Mínimo", kSpreadWidth) + Cell("Medio", kSpreadWidth) + Cell("Máximo", kSpreadWidth);
  lines.push_back(Utf8ToCp1252("Columnas premiadas en los resultados que cubre la base:"));
  lines.push_back(Cell("Aciertos", kHitsWidth) + heads);
  for (int d = 0; d < kPrizeDistances; ++d) {
    const MinMeanMax& spread = figures.prizeColumns[static_cast<std::size_t>(d)];
    lines.push_back(Cell(std::to_string(kMatches - d), kHitsWidth) + Cell(Count(spread.min, marks), kSpreadWidth) +
                    Cell(FormatNumber(spread.mean, "#,###,##0.00", marks), kSpreadWidth) +
                    Cell(Count(spread.max, marks), kSpreadWidth));
  }
  if (!figures.withPrizes) return;
  const auto euros = [&](double value) { return Cell(FormatNumber(value, "#,###,##0.00", marks) + " €", kSpreadWidth); };
  const MinMeanMax& amount = figures.amount;
  lines.emplace_back();
  lines.push_back(Utf8ToCp1252("Importe ganado con los premios de la jornada:"));
  lines.push_back(std::string(kHitsWidth, ' ') + heads);
  lines.push_back(std::string(kHitsWidth, ' ') + euros(amount.min) + euros(amount.mean) + euros(amount.max));
}

// Asked by a count that nobody can stop.
class Unstoppable : public RunProgress {
 public:
  bool Continue(std::int64_t, std::int64_t) override { return true; }
};

}  // namespace

GuaranteeSource CurrentGuaranteeSource(AppState& app) {
  GuaranteeSource source;
  std::string record;
  if (ReadMatchdayRecord(app, app.currentMatchday, record) == 0) {
    const ScrutinyEntry entry = ScrutinyEntryOf(record);
    std::copy(entry.prizes.begin(), entry.prizes.end(), source.prizes.begin());
  }
  ColumnFileReader reader;
  source.fileError = reader.Open(app);
  reader.Close();
  source.path = DataFilePath(app, app.fileToOpen);
  source.grid = app.baseGrid;
  return source;
}

std::vector<std::string> GuaranteeLines(const GuaranteeFigures& figures, const NumberMarks& marks) {
  std::vector<std::string> lines;
  lines.push_back(Utf8ToCp1252("Columnas de la reducción: " + Count(static_cast<double>(figures.columns), marks)));
  if (figures.unreadable != 0)
    lines.push_back(Utf8ToCp1252("Líneas del fichero que no son columnas (no cuentan): " +
                       Count(static_cast<double>(figures.unreadable), marks)));
  lines.push_back(Utf8ToCp1252("Resultados que cubre la quiniela base: " + Count(static_cast<double>(figures.covered), marks)));
  lines.push_back(GuaranteeLine(figures));
  lines.emplace_back();
  AddTable(lines, figures, marks);
  lines.emplace_back();
  AddSpreads(lines, figures, marks);
  return lines;
}

std::string GuaranteeText(const AppState& app, const GuaranteeFigures& figures, const NumberMarks& marks) {
  const std::string& br = app.lineBreak;
  std::string text = Utf8ToCp1252("GARANTÍA DE LA REDUCCIÓN") + br + MatchdayHeading(app) + br + br;
  for (const std::string& line : GuaranteeLines(figures, marks)) text += line + br;
  return text;
}

std::string CurrentGuaranteeText(AppState& app, const NumberMarks& marks) {
  const GuaranteeSource source = CurrentGuaranteeSource(app);
  if (source.fileError != 0) return {};
  Unstoppable progress;
  const GuaranteeRun run = AnalyseGuarantee(source.path, source.grid, source.prizes, progress);
  return run.outcome == GuaranteeOutcome::Counted ? GuaranteeText(app, run.figures, marks) : std::string();
}

std::string GuaranteeFileName(int matchday, int orderNumber) {
  return "GAR" + TwoDigits(matchday) + TwoDigits(orderNumber) + ".TXT";
}

std::string PrintGuarantee(Printer& printer, const AppState& app, const GuaranteeFigures& figures,
                           const NumberMarks& marks) {
  printer.SetFontName(kListingFont);
  printer.SetFontSize(kListingFontSize);
  printer.SetFontBold(true);
  printer.MoveTo(kPageLeft, kPageTop);
  printer.Print(Utf8ToCp1252("GARANTÍA DE LA REDUCCIÓN"));
  printer.SetFontBold(false);
  const auto line = [&](std::string_view text) {
    printer.SetCurrentX(kPageLeft);
    printer.Print(text);
  };
  line(MatchdayHeading(app));
  if (!app.description.empty()) line(app.description);
  line({});
  for (const std::string& text : GuaranteeLines(figures, marks)) line(text);
  return printer.EndJob();
}


void WriteGuaranteeFile(AppState& app, const std::string& besideFile, const NumberMarks& marks) {
  const std::string name = GuaranteeFileName(app.currentMatchday, app.currentOrder);
  const std::string text = CurrentGuaranteeText(app, marks);
  app.lastFileError = 0;
  if (text.empty()) return;
  const std::string path = (std::filesystem::path(besideFile).parent_path() / name).string();
  if (const int number = WriteFileReplacing(path, text)) {
    const std::string folderMissing = "No existe la carpeta del fichero " + name;
    RaiseFileError(app, FileRoutine{"EGA", "", folderMissing}, number);
  }
}

}  // namespace vetra
