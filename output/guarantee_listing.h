#pragma once
// The guarantee of a reduction as text, in a fixed-pitch font: what it
// assures with every sign in the base, the table of results by signs outside
// the base and best hits, and the prize columns and amounts over the results
// the base covers. The same lines go to the printer, into the e-mail and to
// the disk. Texts are Windows-1252.
#include <string>
#include <vector>

#include "app/number_format.h"
#include "output/printer.h"
#include "reductions/guarantee.h"

namespace vetra {

struct AppState;

// What the count of the current reduction's guarantee needs: its column
// file, opened once here as the shared open routine opens it (every error but
// a missing file reported), its base and the prizes last typed for its
// matchday (none when the matchday cannot be read).
struct GuaranteeSource {
  int fileError = 0;  // of the column file; nothing to count unless 0
  std::string path;
  BaseGrid grid{};
  PrizeAmounts prizes{};
};
GuaranteeSource CurrentGuaranteeSource(AppState& app);

// The figures' lines, without heading.
std::vector<std::string> GuaranteeLines(const GuaranteeFigures& figures, const NumberMarks& marks);

// The title, the matchday heading and the figures' lines, each line ended by
// the state's line break.
std::string GuaranteeText(const AppState& app, const GuaranteeFigures& figures, const NumberMarks& marks);

// The current reduction's guarantee counted at once, as GuaranteeText: for
// the outputs that add it to what they send. Empty when its columns cannot be
// read.
std::string CurrentGuaranteeText(AppState& app, const NumberMarks& marks);

// "GAR0703.TXT": the file the disk copy writes the guarantee into, beside the
// columns.
std::string GuaranteeFileName(int matchday, int orderNumber);

// Writes the current reduction's guarantee as GuaranteeFileName into the
// folder of `besideFile`; failures are reported as "EGA" and set
// lastFileError.
void WriteGuaranteeFile(AppState& app, const std::string& besideFile, const NumberMarks& marks);

// The printed page: the same text, one job, ended. Returns what the printer
// reported ("" when all went well).
std::string PrintGuarantee(Printer& printer, const AppState& app, const GuaranteeFigures& figures,
                           const NumberMarks& marks);

}  // namespace vetra
