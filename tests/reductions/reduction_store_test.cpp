#include "reductions/reduction_store.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "app/file_io.h"
#include "reductions/base_file.h"
#include "tests/reductions/base_builder.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::MakeReduction;
using testing::Match;
using testing::RecordingProgress;
using testing::TempFolder;
using testing::TestState;
using Messages = std::vector<std::string>;

const std::string kFreeSlot = "0000" + std::string(226, ' ') + "\r\n";

// Another reduction's line, there before.
std::string OtherLine() {
  BaseRecord other = MakeReduction(kDirectMethod, {Match("1X2", true), Match("1X2", true)});
  other.matchday = other.orderNumber = 1;
  return BaseLine(other) + "\r\n";
}

// Sets the state to `reduction` of matchday 7, order 3, figures recomputed as
// the screen keeps them.
void Prepare(TestState& t, BaseRecord reduction) {
  ReductionFigures figures;
  RecomputeFigures(reduction, figures);
  t.app.currentMatchday = 7;
  t.app.currentOrder = 3;
  SetCurrentBaseRecord(t.app, reduction);
}

// Three triples against the probable column 1, X, 2 with at most one error.
BaseRecord SevenColumns() {
  BaseRecord reduction = MakeReduction(
      kProbableColumnMethod, {Match("1X2", true, '1'), Match("1X2", true, 'X'), Match("1X2", true, '2')});
  reduction.maxErrors = 1;
  return reduction;
}

TEST(ReductionStore, ARunWritesItsIndexLineAndItsColumns) {
  TestState t;
  t.folder.Write("BASES.VTR", OtherLine());
  BaseRecord reduction = SevenColumns();
  reduction.allowedTotals[1][2] = 1;  // left over from sign selection: not stored
  reduction.description = "Tres triples, \"1X2\"";
  Prepare(t, reduction);
  RecordingProgress progress;

  EXPECT_TRUE(StoreReduction(t.app, progress).Finished());
  BaseRecord stored = SevenColumns();
  stored.matchday = 7;
  stored.orderNumber = 3;
  stored.directBets = 27;
  stored.reducedBets = 7;
  stored.description = "Tres triples, \"1X2\"";
  EXPECT_EQ(t.folder.Read("BASES.VTR"), OtherLine() + BaseLine(stored) + "\r\n");
  EXPECT_EQ(t.folder.Read("RED0703.VTR"),
            "\"1X111111111111\"\r\n\"1XX11111111111\"\r\n\"11211111111111\"\r\n\"1X211111111111\"\r\n"
            "\"XX211111111111\"\r\n\"2X211111111111\"\r\n\"12211111111111\"\r\n");
  EXPECT_TRUE(t.reporter.messages.empty());
}

// Nine triples, every column kept: 19,683 columns, more than one buffer of
// the column file, so that its writes come in several pieces.
BaseRecord NineTriples() {
  BaseRecord full = MakeReduction(kProbableColumnMethod, std::vector<BaseMatch>(9, Match("1X2", true, 'X')));
  full.maxErrors = 9;
  return full;
}

// What a finished run of `reduction` leaves: its index line and its columns.
struct Stored {
  std::string index;
  std::string columns;
};
Stored StoreWhole(const BaseRecord& reduction, const std::string& index) {
  TestState t;
  t.folder.Write("BASES.VTR", index);
  Prepare(t, reduction);
  RecordingProgress progress;
  EXPECT_TRUE(StoreReduction(t.app, progress).Finished());
  return {t.folder.Read("BASES.VTR"), t.folder.Read("RED0703.VTR")};
}

std::vector<std::string> FilesIn(const TempFolder& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// After whatever stopped the run and the next start: the old reduction
// whole, or the new one whole, and nothing else in the folder. A free slot
// may have been added for the new line: it names nothing.
void ExpectOldOrNew(TestState& t, const Stored& before, const Stored& after) {
  FinishInterruptedRuns(t.app);
  const std::string index = t.folder.Read("BASES.VTR");
  const bool hasColumns = t.folder.Exists("RED0703.VTR");
  const std::string columns = t.folder.Read("RED0703.VTR");
  auto holds = [&](const Stored& state, bool freeSlotAdded) {
    return index == state.index + (freeSlotAdded ? kFreeSlot : "") && hasColumns == !state.columns.empty() &&
           columns == state.columns;
  };
  EXPECT_TRUE(holds(after, false) || holds(before, false) || holds(before, true)) << index.size() << " " << columns.size();
  std::vector<std::string> kept{"BASES.VTR"};
  if (hasColumns) kept.push_back("RED0703.VTR");
  EXPECT_EQ(FilesIn(t.folder), kept);
}

TEST(ReductionStore, ACancelledOrFailedRunKeepsThePreviousReduction) {
  const Stored none{OtherLine(), ""};
  const Stored seven = StoreWhole(SevenColumns(), OtherLine());
  const Stored nine = StoreWhole(NineTriples(), OtherLine());
  for (const Stored& before : {none, seven}) {
    // Cancelled at the first and at a later question.
    for (int stop : {1, 3}) {
      TestState t;
      t.folder.Write("BASES.VTR", before.index);
      if (!before.columns.empty()) t.folder.Write("RED0703.VTR", before.columns);
      Prepare(t, NineTriples());
      RecordingProgress progress;
      progress.answer = [stop](int call) { return call < stop; };
      const StoreResult result = StoreReduction(t.app, progress);
      EXPECT_TRUE(result.cancelled);
      EXPECT_TRUE(t.reporter.messages.empty());
      ExpectOldOrNew(t, before, before);
    }
    // The disk fills up at every stage of the run: during the columns, at
    // the index's new free slot, at the decided line, at the index line.
    const long long needed = static_cast<long long>(nine.columns.size()) + 3 * 232;
    for (long long room : {0LL, 1000LL, 300000LL, needed - 3 * 232 + 100, needed - 2 * 232 + 100, needed - 232 + 10}) {
      SCOPED_TRACE(room);
      TestState t;
      t.folder.Write("BASES.VTR", before.index);
      if (!before.columns.empty()) t.folder.Write("RED0703.VTR", before.columns);
      Prepare(t, NineTriples());
      RecordingProgress progress;
      FileFaultsForTesting().bytesBeforeDiskFull = room;
      const StoreResult result = StoreReduction(t.app, progress);
      FileFaultsForTesting() = {};
      if (result.Finished()) {
        EXPECT_TRUE(t.reporter.messages.empty());
      } else {
        EXPECT_EQ(result.fileError, 61);
        ASSERT_EQ(t.reporter.messages.size(), 1u);
        EXPECT_NE(t.reporter.messages[0].find("ERROR 61: Disco lleno"), std::string::npos);
      }
      ExpectOldOrNew(t, before, result.Finished() ? nine : before);
    }
  }
}

TEST(ReductionStore, AKillAtAnyStepOfARunLeavesTheOldReductionOrTheNewAfterTheNextStart) {
  const Stored none{OtherLine(), ""};
  const Stored seven = StoreWhole(SevenColumns(), OtherLine());
  const Stored nine = StoreWhole(NineTriples(), OtherLine());
  for (const Stored& before : {none, seven}) {
    bool finished = false;
    for (int steps = 0; !finished && steps < 100; ++steps) {
      SCOPED_TRACE(steps);
      TestState t;
      t.folder.Write("BASES.VTR", before.index);
      if (!before.columns.empty()) t.folder.Write("RED0703.VTR", before.columns);
      Prepare(t, NineTriples());
      const pid_t child = fork();
      ASSERT_NE(child, -1);
      if (child == 0) {
        FileFaultsForTesting().stepsBeforeKill = steps;
        RecordingProgress progress;
        std::_Exit(StoreReduction(t.app, progress).Finished() ? 0 : 1);
      }
      int status = 0;
      ASSERT_EQ(waitpid(child, &status, 0), child);
      finished = WIFEXITED(status);
      EXPECT_EQ(finished ? WEXITSTATUS(status) : WTERMSIG(status), finished ? 0 : SIGKILL);
      // Killed after the run was decided, the next start completes it.
      ExpectOldOrNew(t, before, nine);
      EXPECT_TRUE(t.reporter.messages.empty());
    }
    EXPECT_TRUE(finished);
  }
}

TEST(ReductionStore, AFolderThatRefusesWritesStopsTheRunAndChangesNothing) {
  TestState t;
  t.folder.Write("BASES.VTR", OtherLine());
  t.folder.Write("RED0703.VTR", "\"11111111111111\"\r\n");
  Prepare(t, SevenColumns());
  RecordingProgress progress;
  FileFaultsForTesting().readOnlyFolders = {t.folder.Path()};
  const StoreResult result = StoreReduction(t.app, progress);
  FileFaultsForTesting() = {};
  EXPECT_EQ(result.fileError, 70);
  EXPECT_EQ(t.reporter.messages, Messages{"ECR ERROR 70"});
  EXPECT_EQ(t.folder.Read("BASES.VTR"), OtherLine());
  EXPECT_EQ(t.folder.Read("RED0703.VTR"), "\"11111111111111\"\r\n");
}

}  // namespace
}  // namespace vetra
