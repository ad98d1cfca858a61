#include "reductions/reduction_store.h"

#include <filesystem>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/file_io.h"
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

// The new index line of a run whose columns are complete, kept beside the
// column file until the index holds it: its presence says that the run was
// decided.
constexpr std::string_view kDecidedSuffix = ".~idx";

std::string DecidedLinePath(const AppState& app, int matchday, int orderNumber) {
  return DataFilePath(app, ColumnFileName(matchday, orderNumber)) + std::string(kDecidedSuffix);
}

// A decided line is whole when it is one line of the index, of the key its
// file is named after.
bool IsWholeDecidedLine(const std::string& bytes, const std::string& name) {
  return bytes.size() == kBaseLineSize && bytes.ends_with("\r\n") && name.size() > 7 &&
         bytes.compare(0, 4, name, 3, 4) == 0;
}

}  // namespace

// The order of the writes, so that a stop at any point leaves the old state
// or the new one:
//  1. the columns go to the temporary file and are synced to the disk; the
//     key's index line and column file are untouched, and the next start
//     removes the temporary file if the run goes no further;
//  2. the index gets a place the line can be written over without growing
//     (the key's line or a free slot, appended if need be): a free slot
//     belongs to no reduction, so this changes nothing the user sees, and a
//     full disk stops the run here, before anything is lost;
//  3. the new line goes to the decided-line file, whole, under a temporary
//     name renamed into place: from then on the run is decided, and the next
//     start completes steps 4 and 5 from it;
//  4. the temporary columns are renamed over the column file, in one step;
//  5. the line is written over its place, which needs no new room;
//  6. the decided-line file goes.
StoreResult StoreReduction(AppState& app, RunProgress& progress) {
  StoreResult result;
  BaseRecord reduction = CurrentBaseRecord(app);
  ResetUnusedParameters(reduction);
  SetCurrentBaseRecord(app, reduction);
  const std::string line = BaseLine(reduction);
  const int matchday = app.currentMatchday;
  const int order = app.currentOrder;

  ColumnFileWriter out(app, matchday, order);
  StopOnWriteFailure guarded(out, progress);
  result.generation = GenerateColumns(reduction, out, guarded);
  if (out.Good() && result.generation.cancelled) {
    result.cancelled = true;
    out.Discard();
    return result;
  }
  out.Finish();
  if (out.Good()) ReserveBaseSlot(app);
  const std::string decided = DecidedLinePath(app, matchday, order);
  if (out.Good() && app.lastFileError == 0) {
    if (int number = WriteFileReplacing(decided, line + "\r\n")) RaiseColumnFileError(app, matchday, order, number);
  }
  if (out.Good() && app.lastFileError == 0) {
    out.Commit();
    if (!out.Good()) RemoveFile(decided);
  }
  if (!out.Good() || app.lastFileError) {
    result.fileError = out.Good() ? app.lastFileError : out.Error();
    out.Discard();
    app.lastFileError = static_cast<std::int16_t>(result.fileError);
    return result;
  }
  WriteBaseLine(app, line);
  // When the line could not be written the decided-line file stays, and the
  // next start writes it.
  if (app.lastFileError == 0) RemoveFile(decided);
  result.fileError = app.lastFileError;
  return result;
}

void FinishInterruptedRuns(AppState& app) {
  namespace fs = std::filesystem;
  // A folder only looked at (another program holds it) may be in the middle
  // of that program's own run.
  if (IsProtected(app.dataFolder)) return;
  std::vector<fs::path> decided;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(WithSeparator(app.dataFolder), ec))
    if (entry.path().filename().string().ends_with(kDecidedSuffix)) decided.push_back(entry.path());
  for (const fs::path& path : decided) {
    const std::string name = path.filename().string();
    const std::string columns = DataFilePath(app, name.substr(0, name.size() - kDecidedSuffix.size()));
    std::string bytes;
    bool keep = false;
    if (ReadFileBytes(path.string(), bytes) == 0 && IsWholeDecidedLine(bytes, name) &&
        (!FileExists(TemporaryName(columns)) || MoveFileOver(TemporaryName(columns), columns) == 0)) {
      WriteBaseLine(app, std::string_view(bytes).substr(0, kBaseLineWidth));
      keep = app.lastFileError != 0;  // reported; tried again at the next start
    }
    if (!keep) RemoveFile(path.string());
  }
  RemoveTemporaryFiles(app.dataFolder);
}

}  // namespace vetra
