#pragma once
// What the run of a reduction says and checks before and around the
// generation of its columns: the refusals, the question when the key already
// has a reduction, the parameters the method does not use, and the lines of
// the progress panel. Texts are UTF-8, for the message dialog and the panel.
#include <cstdint>
#include <optional>
#include <string>

#include "reductions/reduction_engine.h"

namespace vetra {

struct Refusal {
  std::string title;
  std::string text;
  bool operator==(const Refusal&) const = default;
};

// The first reason to refuse the run, or none. The record and `figures` are
// as RecomputeFigures left them.
std::optional<Refusal> CheckRun(const BaseRecord& reduction, const ReductionFigures& figures);

// Asked (with the dialog's "Reducir" button) when the key already has a
// reduction; the run goes on only when the user answers "Reducir".
Refusal ReductionExistsQuestion();

// Clears what the method does not use: the errors outside the probable-column
// method, the allowed totals outside sign selection.
void ResetUnusedParameters(BaseRecord& reduction);

// Progress panel: the bet counts line, the running percentage, the two ends.
std::string BetCountsLine(std::int32_t directBets, std::int32_t reducedBets);
int ProgressPercent(std::int64_t done, std::int64_t total);
std::string ProgressLine(int percent);
extern const char* const kRunFinishedLine;
extern const char* const kRunCancelledLine;
// A run stopped by a file failure, already reported: nothing was replaced.
extern const char* const kRunFailedLine;

}  // namespace vetra
