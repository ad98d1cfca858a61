#pragma once
// The two printed listings of a stored reduction, plain text in a fixed-pitch
// font: its basic data (fixtures, base signs and figures) in a number of
// copies, and the relation of its slips, several side by side. The lines of
// the basic data are also what the e-mail sends. Texts are Windows-1252.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/number_format.h"
#include "output/output_run.h"
#include "output/printer.h"

namespace vetra {

struct AppState;

inline constexpr const char* kListingFont = "Courier New";
inline constexpr double kListingFontSize = 9.75;

// "JORNADA NRO.  7 DE FECHA 12/10/02 (Orden  1)".
std::string MatchdayHeading(const AppState& app);

// The two heads over the fixtures, with the probable column's for method 2.
std::array<std::string, 2> ColumnHeads(int method);

// Match 1..14: the fixture over 35 dots, two blanks, and the base's signs with
// the reduction mark and the probable sign in a field of 27.
std::string FixtureLine(const AppState& app, int match);

// Ten blanks and the method's long name.
std::string MethodLine(int method);

// The figures of the reduction, ten blanks in front of each; a figure that
// cannot be worked out is left out. `amountUnit` (UTF-8) follows the amount.
std::vector<std::string> SummaryLines(const AppState& app, const NumberMarks& marks, std::string_view amountUnit);

// Output type 0: `copies` pages of the basic data, one job.
void PrintReductionSummary(Printer& printer, const AppState& app, int copies, OutputRun& run,
                           const NumberMarks& marks);

// Output type 2: the slips firstSlip..lastSlip, 4 to a row on A4 or 7 on wide
// paper, three rows to a page, one job.
void PrintSlipRelation(Printer& printer, AppState& app, long firstSlip, long lastSlip, bool widePaper,
                       OutputRun& run);

// The relation's page head, with the page number.
void PrintRelationHeader(Printer& printer, const AppState& app, bool widePaper);

}  // namespace vetra
