#include "reductions/reduction_store.h"

#include "app/app_state.h"
#include "reductions/base_file.h"
#include "reductions/column_file.h"
#include "reductions/reduction_run.h"

namespace vetra {
namespace {

// Once the file has failed the rest of the run would go nowhere: stop it.
class StopOnWriteFailure : public RunProgress {
 public:
  StopOnWriteFailure(const ColumnFileWriter& out, RunProgress& progress) : out_(out), progress_(progress) {}
  bool Continue(std::int64_t done, std::int64_t total) override {
    return out_.Good() && progress_.Continue(done, total);
  }

 private:
  const ColumnFileWriter& out_;
  RunProgress& progress_;
};

}  // namespace

StoreResult StoreReduction(AppState& app, RunProgress& progress) {
  StoreResult result;
  BaseRecord reduction = CurrentBaseRecord(app);
  ResetUnusedParameters(reduction);
  SetCurrentBaseRecord(app, reduction);

  StoreBase(app);
  if (app.lastFileError) {
    result.fileError = app.lastFileError;
    return result;
  }

  ColumnFileWriter out(app, app.currentMatchday, app.currentOrder);
  StopOnWriteFailure guarded(out, progress);
  result.generation = GenerateColumns(reduction, out, guarded);
  if (out.Good() && !result.generation.cancelled) {
    out.Commit();
    if (out.Good()) return result;
  }

  result.cancelled = out.Good();
  result.fileError = out.Error();
  // Neither the new columns nor an older file of the key stay behind without
  // their index entry.
  out.Cancel();
  const std::int16_t failure = app.lastFileError;  // the write's, or the deletion's
  FreeBase(app, app.currentMatchday, app.currentOrder);
  if (app.lastFileError == 0) app.lastFileError = failure;
  return result;
}

}  // namespace vetra
