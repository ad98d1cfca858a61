#pragma once
// The writing part of a reduction run, once the screen has shown any refusal
// (CheckRun) and, when the key already had a reduction, the user has agreed
// to replace it. Whatever stops it (a cancellation, a full disk, a kill, a
// power cut), the key keeps its previous reduction whole or gets the new one
// whole: never an index line without its complete column file.
#include "reductions/column_generator.h"

namespace vetra {

struct AppState;

struct StoreResult {
  bool cancelled = false;  // the progress said stop
  int fileError = 0;       // number of the file failure that stopped the run (already reported)
  GenerationResult generation;
  bool Finished() const { return !cancelled && fileError == 0; }
};

// Runs the reduction of currentMatchday and currentOrder from the current
// reduction's fields: clears the parameters its method does not use (in the
// state as well, as they are stored), writes its columns and then its index
// line, asking `progress` before the first column and every few thousand
// after. A cancellation or a failure leaves the key's previous reduction, if
// any, as it was. lastFileError is 0 when nothing failed.
StoreResult StoreReduction(AppState& app, RunProgress& progress);

// At start-up: completes the runs that a kill or power cut interrupted after
// they were decided, forgets those interrupted before, and removes the
// temporary files that interrupted writes left in the data folder.
void FinishInterruptedRuns(AppState& app);

}  // namespace vetra
