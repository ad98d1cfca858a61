#pragma once
// The printed result of a scrutiny: the matchday's fixtures with the winning
// column, the prizes, the columns per number of hits with their amounts, and
// the slips that hold prizes, in "Courier New" 9.75 at fixed twip positions.
#include <array>
#include <string>

#include "app/number_format.h"
#include "output/printer.h"
#include "scrutiny/scrutiny_engine.h"

namespace vetra {

struct AppState;

// Prints the report of a counted `result` for the current matchday and order
// as one job and ends it; returns what the printer reported ("" when all went
// well). `prizes` are the ones the prize boxes hold, category 14 first; the
// amounts use the grouping and decimal marks given.
std::string PrintScrutinyReport(Printer& printer, const AppState& app, const std::array<double, kPrizes>& prizes,
                                const ScrutinyResult& result, const NumberMarks& marks);

}  // namespace vetra
