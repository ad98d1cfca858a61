#include "reductions/reduction_store.h"

#include <gtest/gtest.h>

#include "app/file_io.h"
#include "reductions/base_file.h"
#include "tests/reductions/base_builder.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::MakeReduction;
using testing::Match;
using testing::RecordingProgress;
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

TEST(ReductionStore, ARunCancelledOrStoppedByAFullDiskLeavesNothingOfItsKey) {
  // The key had a reduction: its line was replaced when the run started, so
  // its old columns go with the new ones rather than stay without a line.
  for (int stop : {3, 0}) {  // refused at the third question; 0: the disk fills up
    SCOPED_TRACE(stop);
    TestState t;
    t.folder.Write("BASES.VTR", OtherLine());
    Prepare(t, SevenColumns());
    RecordingProgress progress;
    ASSERT_TRUE(StoreReduction(t.app, progress).Finished());

    // Every column of 14 triples, kept: 4,782,969 of them.
    BaseRecord full = MakeReduction(kProbableColumnMethod, std::vector<BaseMatch>(14, Match("1X2", true, 'X')));
    full.maxErrors = 14;
    Prepare(t, full);
    if (stop)
      progress.answer = [stop](int call) { return call < stop; };
    else
      FileFaultsForTesting().bytesBeforeDiskFull = 100000;  // the index line fits, the columns do not
    const StoreResult result = StoreReduction(t.app, progress);
    FileFaultsForTesting() = {};
    EXPECT_EQ(result.cancelled, stop != 0);
    EXPECT_EQ(result.fileError, stop ? 0 : 61);
    EXPECT_EQ(t.reporter.messages, stop ? Messages{} : Messages{"ECR ERROR 61"});
    EXPECT_LT(result.generation.states, 100000);  // at the first question after the failure
    EXPECT_EQ(t.folder.Read("BASES.VTR"), OtherLine() + kFreeSlot);
    EXPECT_FALSE(t.folder.Exists("RED0703.VTR"));
    EXPECT_FALSE(t.folder.Exists("RED0703.VTR.~tmp"));
  }
}

TEST(ReductionStore, AnIndexThatCannotBeWrittenStopsTheRunBeforeTheColumns) {
  TestState t;
  t.folder.Write("BASES.VTR", OtherLine());
  t.folder.Write("RED0703.VTR", "\"11111111111111\"\r\n");
  Prepare(t, SevenColumns());
  RecordingProgress progress;
  FileFaultsForTesting().readOnlyFolders = {t.folder.Path()};
  const StoreResult result = StoreReduction(t.app, progress);
  FileFaultsForTesting() = {};
  EXPECT_EQ(result.fileError, 70);
  EXPECT_EQ(t.reporter.messages, Messages{"EFB ERROR 70"});
  EXPECT_TRUE(progress.calls.empty());
  EXPECT_EQ(t.folder.Read("BASES.VTR"), OtherLine());
  EXPECT_EQ(t.folder.Read("RED0703.VTR"), "\"11111111111111\"\r\n");
}

}  // namespace
}  // namespace vetra
