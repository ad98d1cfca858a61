#pragma once
// The writing part of a reduction run, once the screen has shown any refusal
// (CheckRun) and, when the key already had a reduction, the user has agreed
// to replace it: the index entry first, then the column file. A run that does
// not finish leaves neither, so that the index never names columns that are
// missing or cut short.
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
// state as well, as they are stored), writes its index line and then its
// columns, asking `progress` before the first and every few thousand after.
// A failure to write the index line stops the run before anything else is
// touched; on a cancellation or a failure of the column file, the columns of
// the key, new or old, are deleted and its index entry freed. lastFileError
// is 0 when nothing failed.
StoreResult StoreReduction(AppState& app, RunProgress& progress);

}  // namespace vetra
