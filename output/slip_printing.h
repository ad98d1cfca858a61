#pragma once
// The reduced columns printed as marks that land in the boxes of the official
// slip: individual slips fed by hand one job at a time, or continuous paper
// with two slips side by side on each page of a form 158.5 mm long.
// Positions are twips; the operator's offsets are tenths of a millimetre.
#include <array>
#include <cstdint>
#include <string>

#include "app/number_format.h"
#include "output/output_run.h"
#include "output/printer.h"

namespace vetra {

struct AppState;
class ColumnFileReader;

inline constexpr int kSlipColumns = 8;
inline constexpr int kSlipMatches = 14;
inline constexpr long kTestSlipNumber = 999999;

// [column 1..8][match 1..14][sign 1, X, 2]: 1 where a mark goes.
using MarkGrid = std::array<std::array<std::array<std::uint8_t, 3>, kSlipMatches>, kSlipColumns>;

void FillTestMarks(MarkGrid& grid);

// Clears the grid and reads into it the next columns of the file, from
// `column` on, none past `lastColumn` and at most a slip's eight.
void ReadSlipMarks(ColumnFileReader& file, long long column, long long lastColumn, MarkGrid& grid);

// The slip lying rotated by half a turn: match 14 at the top, column 8 sign
// "2" leftmost. `readingMarks` adds the slip's reading marks, for a blank sheet
// or the back of a slip.
void DrawSlipLayout1(Printer& printer, const MarkGrid& grid, int leftOffset, int topOffset, long slip,
                     bool readingMarks, const NumberMarks& marks);
// The slip lying sideways: match 1 leftmost, column 8 sign "2" at the top;
// slot 1 is the second slip of a continuous page, 5990 twips further right.
void DrawSlipLayout2(Printer& printer, const MarkGrid& grid, int leftOffset, int topOffset, int slot, long slip,
                     bool readingMarks, const NumberMarks& marks);

struct SlipOptions {
  long firstSlip = 1;
  long lastSlip = 1;
  bool testPrint = false;  // every box marked, no columns read
  bool reverse = false;    // "Imprimir en el reverso o en papel en blanco": the reading marks too
};

// Output type 1: one job per slip, in the layout of printOrientation with the
// offsets printAdjust1 and printAdjust2; after each slip the operator repeats
// it, goes on or cancels.
void PrintIndividualSlips(Printer& printer, AppState& app, const SlipOptions& options, OutputRun& run,
                          const NumberMarks& marks);

// Output type 4: one job, layout 2 with the offsets printAdjust3 and
// printAdjust4, two slips to a page. Printer errors are not reported.
void ImpriContinuo(Printer& printer, AppState& app, const SlipOptions& options, OutputRun& run,
                   const NumberMarks& marks);

// "Imprimiendo el boleto nro. " and the slip number.
std::string PrintingSlipLine(long slip);

}  // namespace vetra
