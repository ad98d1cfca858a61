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

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

// Index lines written out field by field, as the file lays them out: key,
// method, errors, six blanks, direct and reduced bets, the 14 matches, seven
// blanks, the allowed totals, the description and thirty blanks.
std::string OtherLine() {
  return "0101" "1" " 0" " 0" + std::string(6, ' ') + "     81" "      9" + Repeat("111310", 4) +
         Repeat("100100", 10) + std::string(7, ' ') + std::string(45, '0') + "Otra reducci\xF3n" +
         std::string(21, ' ') + std::string(30, ' ') + "\r\n";
}

// Sets the state to `reduction` of matchday 7, order 3, figures recomputed as
// the screen keeps them.
void Prepare(TestState& t, BaseRecord reduction, const std::string& description = "") {
  reduction.description = description;
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

// Every column of 14 triples, kept: 4,782,969 of them.
BaseRecord FullBase() {
  BaseRecord reduction = MakeReduction(kProbableColumnMethod, std::vector<BaseMatch>(14, Match("1X2", true, 'X')));
  reduction.maxErrors = 14;
  return reduction;
}

std::string Quoted(const std::vector<std::string>& columns) {
  std::string bytes;
  for (const std::string& column : columns) bytes += "\"" + column + "\"\r\n";
  return bytes;
}

TEST(ReductionStore, ARunWritesItsIndexLineAndItsColumns) {
  TestState t;
  t.folder.Write("BASES.VTR", OtherLine());
  BaseRecord reduction = SevenColumns();
  reduction.allowedTotals[1][2] = 1;  // left over from sign selection: not stored
  Prepare(t, reduction, "Tres triples, \"1X2\"");
  RecordingProgress progress;

  const StoreResult result = StoreReduction(t.app, progress);

  EXPECT_TRUE(result.Finished());
  EXPECT_EQ(result.generation.columns, 7);
  EXPECT_EQ(t.app.lastFileError, 0);
  EXPECT_EQ(t.app.allowedTotals, AllowedTotals{});
  const std::string line = "0703" "2" " 0" " 1" + std::string(6, ' ') + "     27" "      7" +
                           "111311" "111312" "111313" + Repeat("100100", 11) + std::string(7, ' ') +
                           std::string(45, '0') + "Tres triples, \"1X2\"" + std::string(16, ' ') +
                           std::string(30, ' ') + "\r\n";
  EXPECT_EQ(t.folder.Read("BASES.VTR"), OtherLine() + line);
  EXPECT_EQ(t.folder.Read("RED0703.VTR"),
            Quoted({"1X111111111111", "1XX11111111111", "11211111111111", "1X211111111111", "XX211111111111",
                    "2X211111111111", "12211111111111"}));
  EXPECT_FALSE(t.folder.Exists("RED0703.VTR.~tmp"));
  EXPECT_EQ(progress.calls.front(), 0);
  EXPECT_EQ(progress.total, 27);
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(ReductionStore, ARunOverAnExistingKeyReplacesItsLineAndItsFile) {
  TestState t;
  t.folder.Write("BASES.VTR", OtherLine());
  RecordingProgress progress;
  Prepare(t, FullBase());
  ASSERT_TRUE(StoreReduction(t.app, progress).Finished());
  EXPECT_EQ(t.folder.Read("RED0703.VTR").size(), 18u * 4782969);

  Prepare(t, SevenColumns(), "Otra vez");
  ASSERT_TRUE(StoreReduction(t.app, progress).Finished());
  const std::string index = t.folder.Read("BASES.VTR");
  ASSERT_EQ(index.size(), 2 * 232u);  // over its own line, not appended
  EXPECT_EQ(index.substr(0, 232), OtherLine());
  EXPECT_EQ(index.substr(232, 29), "0703" "2" " 0" " 1" + std::string(6, ' ') + "     27" "      7");
  EXPECT_EQ(t.folder.Read("RED0703.VTR").size(), 7 * 18u);
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(ReductionStore, ACancelledRunLeavesNothingOfItsKey) {
  // The key had a reduction: its line was replaced when the run started, so
  // its old columns go with the new ones rather than stay without a line.
  for (int refusedAt : {1, 3}) {
    SCOPED_TRACE(refusedAt);
    TestState t;
    const std::string other = OtherLine();
    t.folder.Write("BASES.VTR", other);
    Prepare(t, SevenColumns());
    RecordingProgress progress;
    ASSERT_TRUE(StoreReduction(t.app, progress).Finished());

    Prepare(t, FullBase());
    progress.answer = [&](int call) { return call < refusedAt; };
    const StoreResult result = StoreReduction(t.app, progress);

    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(result.Finished());
    EXPECT_EQ(result.fileError, 0);
    EXPECT_EQ(result.generation.columns, progress.calls.back());
    EXPECT_LT(result.generation.states, result.generation.total);
    EXPECT_EQ(t.app.lastFileError, 0);
    EXPECT_EQ(t.folder.Read("BASES.VTR"), other + kFreeSlot);
    EXPECT_FALSE(t.folder.Exists("RED0703.VTR"));
    EXPECT_FALSE(t.folder.Exists("RED0703.VTR.~tmp"));
    EXPECT_TRUE(t.reporter.messages.empty());

    // The freed line is the next reduction's.
    Prepare(t, SevenColumns());
    t.app.currentMatchday = 9;
    progress.answer = nullptr;
    ASSERT_TRUE(StoreReduction(t.app, progress).Finished());
    EXPECT_EQ(t.folder.Read("BASES.VTR").substr(232, 4), "0903");
  }
}

TEST(ReductionStore, ADiskThatFillsUpStopsTheRunAndLeavesNoHalfFile) {
  TestState t;
  t.folder.Write("BASES.VTR", OtherLine());
  Prepare(t, SevenColumns());
  RecordingProgress progress;
  ASSERT_TRUE(StoreReduction(t.app, progress).Finished());

  Prepare(t, FullBase());
  progress.calls.clear();
  FileFaultsForTesting().bytesBeforeDiskFull = 100000;  // the index line fits, the columns do not
  const StoreResult result = StoreReduction(t.app, progress);
  FileFaultsForTesting() = {};

  EXPECT_FALSE(result.cancelled);
  EXPECT_FALSE(result.Finished());
  EXPECT_EQ(result.fileError, 61);
  EXPECT_EQ(t.app.lastFileError, 61);
  EXPECT_EQ(t.reporter.messages, Messages{"ECR ERROR 61"});
  // Stopped at the first question after the failure, not at the end.
  EXPECT_LT(result.generation.states, 100000);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), OtherLine() + kFreeSlot);
  EXPECT_FALSE(t.folder.Exists("RED0703.VTR"));
  EXPECT_FALSE(t.folder.Exists("RED0703.VTR.~tmp"));
}

TEST(ReductionStore, AnIndexThatCannotBeWrittenStopsTheRunBeforeTheColumns) {
  TestState t;
  t.folder.Write("BASES.VTR", OtherLine());
  t.folder.Write("RED0703.VTR", Quoted({"11111111111111"}));
  Prepare(t, SevenColumns());
  RecordingProgress progress;

  FileFaultsForTesting().readOnlyFolders = {t.folder.Path()};
  const StoreResult result = StoreReduction(t.app, progress);
  FileFaultsForTesting() = {};

  EXPECT_FALSE(result.Finished());
  EXPECT_FALSE(result.cancelled);
  EXPECT_EQ(result.fileError, 70);
  EXPECT_EQ(t.reporter.messages, Messages{"EFB ERROR 70"});
  EXPECT_TRUE(progress.calls.empty());
  EXPECT_EQ(t.folder.Read("BASES.VTR"), OtherLine());
  EXPECT_EQ(t.folder.Read("RED0703.VTR"), Quoted({"11111111111111"}));
}

}  // namespace
}  // namespace vetra
