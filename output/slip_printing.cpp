#include "output/slip_printing.h"

#include "app/app_state.h"
#include "app/cp1252.h"
#include "app/numbers.h"
#include "reductions/column_file.h"

namespace vetra {
namespace {

constexpr double kTwipsPerTenthMm = 5.67;
constexpr int kLineWidth = 2;
constexpr double kFontSize = 9;
constexpr int kSlotWidth = 5990;
constexpr int kSignPitch1 = 212;
constexpr int kSignPitch2 = 213;
constexpr int kMatchPitch = 284;
constexpr int kCrossLong = 130;
constexpr int kCrossShort = 70;

const char* const kIncompleteTitle = "ÚLTIMO BOLETO INCOMPLETO";
const char* const kIncompleteText =
    "Con esta reducción,  el último boleto sólo contiene una columna. Como  cada  boleto  debe  tener  dos  "
    "columnas  como  mínimo,  deberá  rellenar  manualmente  la  segunda  columna del último boleto  y,  por  lo  "
    "tanto,  aumentará  en  una  el  número  total  de columnas de la reducción.";

// Every position on the slip lands on a whole twip, halves to the even one.
double Twip(double value) { return static_cast<double>(RoundHalfEven(value)); }

// An offset in tenths of a millimetre on the page.
double OffsetTwips(int tenths) { return tenths * kTwipsPerTenthMm; }

// Rows of signs from the top (layout 2) or from the left (layout 1): column 8
// sign "2" first, column 1 sign "1" last.
int SignRow(int column, int sign) { return (kSlipColumns - column) * 3 + (3 - sign); }

void Label(Printer& printer, double x, double y, long slip, const NumberMarks& marks) {
  printer.MoveTo(Twip(x), Twip(y));
  printer.Print(Utf8ToCp1252(FormatNumber(static_cast<double>(slip), "###,###", marks)));
}

void Box(Printer& printer, double left, double top, double width, double height) {
  printer.FillBox(Twip(left), Twip(top), width, height);
}

// Both strokes from the corner (x, y), `width` by `height`.
void Cross(Printer& printer, double x, double y, int width, int height) {
  const double left = Twip(x), top = Twip(y);
  printer.Line(left, top, left + width, top + height);
  printer.Line(left, top + height, left + width, top);
}

// The box of the official slip around a mark: the cross with this much
// paper around it on every side.
constexpr int kBoxMargin = 40;

// The box a cross `width` by `height` at the corner (x, y) fills.
void SlipBox(Printer& printer, double x, double y, int width, int height) {
  printer.FormBox(Twip(x) - kBoxMargin, Twip(y) - kBoxMargin, width + 2 * kBoxMargin, height + 2 * kBoxMargin);
}

template <typename Mark>
void ForEachBox(Mark mark) {
  for (int k = 1; k <= kSlipColumns; ++k)
    for (int j = 1; j <= kSlipMatches; ++j)
      for (int s = 1; s <= 3; ++s) mark(k, j, s);
}

template <typename Mark>
void ForEachMark(const MarkGrid& grid, Mark mark) {
  for (int k = 1; k <= kSlipColumns; ++k)
    for (int j = 1; j <= kSlipMatches; ++j)
      for (int s = 1; s <= 3; ++s)
        if (grid[k - 1][j - 1][s - 1]) mark(k, j, s);
}

// The columns of the run, from the first slip's first column to the last
// slip's last, with the file placed at the first.
struct ColumnRange {
  long long first;
  long long last;
  long long inFile;
  bool More() const { return first <= inFile && first <= last; }
};

// The start of a run over the columns: the file placed at the first, and a
// last slip of one column warned about, since a slip needs two.
ColumnRange BeginRun(ColumnFileReader& file, const AppState& app, const SlipOptions& options, OutputRun& run) {
  const ColumnRange range{options.firstSlip * 8LL - 7, options.lastSlip * 8LL, file.ColumnCount()};
  file.SeekColumn(range.first);
  run.Started();
  if (app.reducedBets % kSlipColumns == 1) run.Warn(kIncompleteTitle, kIncompleteText);
  return range;
}

long SlipOf(long long column) { return static_cast<long>((column + 7) / 8); }

void Prepare(Printer& printer) {
  printer.SetLineWidth(kLineWidth);
  printer.SetFontSize(kFontSize);
}

void DrawIndividualSlip(Printer& printer, const AppState& app, const MarkGrid& grid, long slip, bool reverse,
                        const NumberMarks& marks) {
  if (app.printOrientation == 2)
    DrawSlipLayout2(printer, grid, app.printAdjust1, app.printAdjust2, 0, slip, reverse, marks);
  else
    DrawSlipLayout1(printer, grid, app.printAdjust1, app.printAdjust2, slip, reverse, marks);
}

void RunIndividualSlips(Printer& printer, AppState& app, ColumnFileReader& file, const SlipOptions& options,
                        OutputRun& run, const NumberMarks& marks) {
  ColumnRange range = BeginRun(file, app, options, run);
  MarkGrid grid;
  while (range.More()) {
    const long slip = SlipOf(range.first);
    run.ShowStatus(PrintingSlipLine(slip));
    if (slip == options.lastSlip) run.LastSlip();
    ReadSlipMarks(file, range.first, range.last, grid);
    OperatorAnswer answer;
    do {
      Prepare(printer);
      DrawIndividualSlip(printer, app, grid, slip, options.reverse, marks);
      run.JobEnded(printer.EndJob());
      answer = run.AwaitOperator();
    } while (answer == OperatorAnswer::Repeat);
    if (answer == OperatorAnswer::Cancel) return;
    range.first += kSlipColumns;
  }
}

void RunContinuousSlips(Printer& printer, AppState& app, ColumnFileReader& file, const SlipOptions& options,
                        OutputRun& run, const NumberMarks& marks) {
  ColumnRange range = BeginRun(file, app, options, run);
  MarkGrid grid;
  int slot = 0;
  while (range.More()) {
    const long slip = SlipOf(range.first);
    run.ShowStatus(PrintingSlipLine(slip));
    ReadSlipMarks(file, range.first, range.last, grid);
    Prepare(printer);
    DrawSlipLayout2(printer, grid, app.printAdjust3, app.printAdjust4, slot, slip, true, marks);
    if (++slot == 2) {
      printer.NewPage();
      slot = 0;
    }
    if (run.Cancelled()) break;
    range.first += kSlipColumns;
  }
}

}  // namespace

void FillTestMarks(MarkGrid& grid) {
  for (auto& column : grid)
    for (auto& match : column) match.fill(1);
}

void ReadSlipMarks(ColumnFileReader& file, long long column, long long lastColumn, MarkGrid& grid) {
  grid = {};
  std::string signs;
  for (int k = 1; k <= kSlipColumns && column + k - 1 <= lastColumn && file.Next(signs); ++k)
    for (int j = 1; j <= kSlipMatches && j <= static_cast<int>(signs.size()); ++j) {
      const char c = signs[j - 1];
      const int s = c == '1' ? 1 : c == 'X' ? 2 : c == '2' ? 3 : 0;
      if (s) grid[k - 1][j - 1][s - 1] = 1;
    }
}

void DrawSlipLayout1(Printer& printer, const MarkGrid& grid, int leftOffset, int topOffset, long slip,
                     bool readingMarks, const NumberMarks& marks) {
  const double l = OffsetTwips(leftOffset), t = OffsetTwips(topOffset);
  const auto x = [l](int k, int s) { return l + 940 + SignRow(k, s) * kSignPitch1; };
  const auto y = [t](int j) { return t + 10 + (15 - j) * kMatchPitch; };
  ForEachBox([&](int k, int j, int s) { SlipBox(printer, x(k, s), y(j), kCrossShort, kCrossLong); });
  Label(printer, l + 6500, t + 10, slip, marks);
  ForEachMark(grid, [&](int k, int j, int s) { Cross(printer, x(k, s), y(j), kCrossShort, kCrossLong); });
  if (!readingMarks) return;
  Box(printer, l - 275, t - 106, 145, 170);
  Box(printer, l + 8253, t - 106, 145, 170);
  for (int top : {919, 1262, 2287, 2630, 2973, 3316, 4003}) Box(printer, l + 8408, t + top, 57, 227);
}

void DrawSlipLayout2(Printer& printer, const MarkGrid& grid, int leftOffset, int topOffset, int slot, long slip,
                     bool readingMarks, const NumberMarks& marks) {
  const double l = OffsetTwips(leftOffset), t = OffsetTwips(topOffset);
  const int s0 = slot * kSlotWidth;
  const auto x = [l, s0](int j) { return l + 1050 + (j - 1) * kMatchPitch + s0; };
  const auto y = [t](int k, int s) { return t + 1270 + SignRow(k, s) * kSignPitch2; };
  ForEachBox([&](int k, int j, int s) { SlipBox(printer, x(j), y(k, s), kCrossLong, kCrossShort); });
  Label(printer, l + s0, t, slip, marks);
  ForEachMark(grid, [&](int k, int j, int s) { Cross(printer, x(j), y(k, s), kCrossLong, kCrossShort); });
  if (!readingMarks) return;
  Box(printer, l + 5120 + s0, t + 65, 170, 145);
  Box(printer, l + 5120 + s0, t + 8593, 170, 145);
  for (int left : {964, 1651, 1994, 2337, 2680, 3706, 4048}) Box(printer, l + s0 + left, t + 8748, 227, 57);
}

void PrintIndividualSlips(Printer& printer, AppState& app, const SlipOptions& options, OutputRun& run,
                          const NumberMarks& marks) {
  Prepare(printer);
  if (options.testPrint) {
    MarkGrid grid;
    FillTestMarks(grid);
    DrawIndividualSlip(printer, app, grid, kTestSlipNumber, options.reverse, marks);
    run.JobEnded(printer.EndJob());
  } else {
    ColumnFileReader file;
    if (file.Open(app, ColumnFileReader::Missing::Reported) == 0) RunIndividualSlips(printer, app, file, options, run, marks);
  }
  printer.SetLineWidth(1);
}

void ImpriContinuo(Printer& printer, AppState& app, const SlipOptions& options, OutputRun& run,
                   const NumberMarks& marks) {
  // A4 stock cut to the form's 158.5 mm.
  printer.SetPaperSize(PaperSize::User);
  printer.SetPaperSize(PaperSize::A4);
  printer.SetPageHeight(static_cast<int>(RoundHalfEven(printer.PageHeight() * 158.5 / 297)));
  Prepare(printer);
  if (options.testPrint) {
    MarkGrid grid;
    FillTestMarks(grid);
    for (int slot : {0, 1})
      DrawSlipLayout2(printer, grid, app.printAdjust3, app.printAdjust4, slot, kTestSlipNumber, true, marks);
    printer.EndJob();
    run.JobEnded("");
  } else {
    ColumnFileReader file;
    if (file.Open(app, ColumnFileReader::Missing::Reported) == 0) {
      RunContinuousSlips(printer, app, file, options, run, marks);
      printer.EndJob();
      run.JobEnded("");
    }
  }
  printer.SetLineWidth(1);
}

std::string PrintingSlipLine(long slip) {
  return "Imprimiendo el boleto nro. " + FormatNumber(static_cast<double>(slip), "#######", {});
}

}  // namespace vetra
