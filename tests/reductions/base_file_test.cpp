#include "reductions/base_file.h"

#include <gtest/gtest.h>

#include "app/file_io.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;
using Messages = std::vector<std::string>;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

const std::string kFreeSlot = "0000" + Blanks(226);
const std::string kMissingMessage = "No se encuentra el fichero BASES.VTR. Se va a proceder a crearlo.";

// Matchday 7, order 3, method 2, errors 0 to 2, 9 direct and 3 reduced bets:
// matches 1 and 2 are marked triples (probable signs 1 and X), the rest single 1.
BaseRecord Example() {
  BaseRecord r;
  r.matchday = 7;
  r.orderNumber = 3;
  r.reductionMethod = 2;
  r.minErrors = 0;
  r.maxErrors = 2;
  r.directBets = 9;
  r.reducedBets = 3;
  for (BaseMatch& m : r.baseGrid) m = BaseMatch{{1, 0, 0}, 1, 0, 0};
  r.baseGrid[0] = BaseMatch{{1, 1, 1}, 3, 1, 1};
  r.baseGrid[1] = BaseMatch{{1, 1, 1}, 3, 1, 2};
  r.description = "Jornada 7, prueba";
  return r;
}

std::string ExampleLine() {
  std::string grid = "111311" "111312";
  for (int m = 3; m <= 14; ++m) grid += "100100";
  return "07032" " 0" " 2" + Blanks(6) + "      9" + "      3" + grid + Blanks(7) + std::string(45, '0') +
         "Jornada 7, prueba" + Blanks(18) + Blanks(30);
}

// A live line of some key, otherwise like the example.
std::string LineOf(int matchday, int order) {
  BaseRecord r = Example();
  r.matchday = static_cast<std::int16_t>(matchday);
  r.orderNumber = static_cast<std::int16_t>(order);
  return BaseLine(r);
}

void MakeCurrent(AppState& app, const BaseRecord& r) {
  app.currentMatchday = r.matchday;
  app.currentOrder = r.orderNumber;
  SetCurrentBaseRecord(app, r);
}

TEST(BaseFile, TheExampleLineIsStoredByteForByteAndLoadedBack) {
  TestState t;
  ASSERT_EQ(ExampleLine().size(), 230u);
  EXPECT_EQ(ExampleLine().substr(0, 29), "07032 0 2      " "      9" "      3");

  MakeCurrent(t.app, Example());
  StoreBase(t.app);  // into a missing index, which is created first
  EXPECT_EQ(t.reporter.messages, Messages{kMissingMessage});
  EXPECT_EQ(t.app.lastFileError, 0);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), ExampleLine() + "\r\n");

  AppState& a = t.app;
  SetCurrentBaseRecord(a, EmptyBaseRecord());
  LoadBase(a, 7, 3);
  EXPECT_EQ(a.lastFileError, 0);
  BaseRecord loaded = CurrentBaseRecord(a);
  EXPECT_EQ(loaded, Example());
  EXPECT_EQ(t.reporter.messages.size(), 1u);
}

TEST(BaseFile, SignTotalsAndADescriptionWithCommasQuotesAndAccents) {
  TestState t;
  BaseRecord r = Example();
  r.reductionMethod = 3;
  r.maxErrors = 0;
  r.allowedTotals[0][0] = 1;   // sign 1, total 0: position 121
  r.allowedTotals[1][14] = 1;  // sign X, total 14: position 150
  r.allowedTotals[2][7] = 1;   // sign 2, total 7: position 158
  r.description = "  \"Doble\", triple; a\xF1o 2002 \x80 ";  // Windows-1252 ñ and €
  MakeCurrent(t.app, r);
  t.folder.Write("BASES.VTR", "");
  StoreBase(t.app);
  const std::string line = t.folder.Read("BASES.VTR").substr(0, 230);
  std::string totals(45, '0');
  totals[0] = totals[29] = totals[37] = '1';
  EXPECT_EQ(line.substr(120, 45), totals);
  EXPECT_EQ(line.substr(165, 35), "  \"Doble\", triple; a\xF1o 2002 \x80 " + Blanks(5));

  LoadBase(t.app, 7, 3);
  EXPECT_EQ(t.app.description, "\"Doble\", triple; a\xF1o 2002 \x80");  // blanks at both ends dropped
  EXPECT_EQ(t.app.allowedTotals, r.allowedTotals);
  EXPECT_EQ(t.app.reductionMethod, 3);

  // Longer than 35: cut; a line end inside would break the line.
  t.app.description = std::string(30, 'a') + "\r\nbcdefgh";
  StoreBase(t.app);
  EXPECT_EQ(t.folder.Read("BASES.VTR").substr(165, 35), std::string(30, 'a') + "  bcd");
  EXPECT_EQ(t.folder.Read("BASES.VTR").size(), 232u);
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(BaseFile, AFreedSlotIsReusedAndAStoreOfTheSameKeyDoesNotGrowTheFile) {
  TestState t;
  for (auto [matchday, order] : {std::pair{5, 1}, {5, 2}, {6, 1}}) {
    BaseRecord r = Example();
    r.matchday = static_cast<std::int16_t>(matchday);
    r.orderNumber = static_cast<std::int16_t>(order);
    MakeCurrent(t.app, r);
    StoreBase(t.app);
  }
  const std::string stored = LineOf(5, 1) + "\r\n" + LineOf(5, 2) + "\r\n" + LineOf(6, 1) + "\r\n";
  ASSERT_EQ(t.folder.Read("BASES.VTR"), stored);
  EXPECT_EQ(t.reporter.messages, Messages{kMissingMessage});  // the first store met no index
  t.reporter.messages.clear();

  FreeBase(t.app, 5, 2);
  EXPECT_EQ(t.app.lastFileError, 0);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), LineOf(5, 1) + "\r\n" + kFreeSlot + "\r\n" + LineOf(6, 1) + "\r\n");
  EXPECT_FALSE(BaseExists(t.app, 5, 2).found);

  BaseRecord next = Example();
  next.matchday = 9;
  next.orderNumber = 4;
  next.description = "nueva";
  MakeCurrent(t.app, next);
  StoreBase(t.app);
  EXPECT_EQ(t.folder.Read("BASES.VTR"),
            LineOf(5, 1) + "\r\n" + BaseLine(next) + "\r\n" + LineOf(6, 1) + "\r\n");

  // The same key again: written over its own line.
  next.reducedBets = 1234567;
  MakeCurrent(t.app, next);
  StoreBase(t.app);
  const std::string file = t.folder.Read("BASES.VTR");
  EXPECT_EQ(file.size(), 3u * 232);
  EXPECT_EQ(file.substr(232 + 22, 7), "1234567");

  // No free slot left: a new key goes to the end.
  next.matchday = 10;
  MakeCurrent(t.app, next);
  StoreBase(t.app);
  EXPECT_EQ(t.folder.Read("BASES.VTR").size(), 4u * 232);
  EXPECT_EQ(t.folder.Read("BASES.VTR").substr(3 * 232, 4), "1004");
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(BaseFile, LookupsFindTheFirstLineAndFreeingTakesEveryLineOfTheKey) {
  TestState t;
  const std::string file = LineOf(3, 12) + "\r\n" + LineOf(5, 2) + "\r\n" + LineOf(4, 1) + "\r\n" + LineOf(5, 2) +
                           "\r\n" + kFreeSlot + "\r\n";
  t.folder.Write("BASES.VTR", file);

  BaseLookup lookup = BaseExists(t.app, 5, 2);
  EXPECT_TRUE(lookup.found);
  EXPECT_EQ(lookup.lineNumber, 2);
  EXPECT_EQ(lookup.lastLine, LineOf(5, 2));
  lookup = BaseExists(t.app, 0, 0);
  EXPECT_EQ(lookup.lineNumber, 5);
  lookup = BaseExists(t.app, 3, 2);  // "0302" is not "0312"
  EXPECT_FALSE(lookup.found);
  EXPECT_EQ(lookup.lineNumber, 5);  // the lines read
  EXPECT_EQ(lookup.lastLine, kFreeSlot);

  FreeBase(t.app, 5, 2);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), LineOf(3, 12) + "\r\n" + kFreeSlot + "\r\n" + LineOf(4, 1) + "\r\n" +
                                            kFreeSlot + "\r\n" + kFreeSlot + "\r\n");
  FreeBase(t.app, 8, 8);  // no such key: nothing changes
  EXPECT_EQ(t.folder.Read("BASES.VTR").size(), file.size());
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(BaseFile, UpdateDescriptionRewritesOnlyTheDescription) {
  TestState t;
  const std::string file = LineOf(1, 1) + "\r\n" + LineOf(7, 3) + "\r\n";
  t.folder.Write("BASES.VTR", file);
  MakeCurrent(t.app, Example());
  t.app.directBets = 4782969;  // not the description: must not reach the file
  t.app.description = "Otra, \"nueva\"";
  UpdateDescription(t.app);
  std::string expected = file;
  expected.replace(232 + 165, 35, "Otra, \"nueva\"" + Blanks(22));
  EXPECT_EQ(t.folder.Read("BASES.VTR"), expected);

  t.app.currentOrder = 4;  // no entry for this key: nothing is written
  UpdateDescription(t.app);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), expected);
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(BaseFile, AMissingIndexIsReportedAndCreatedByTheReadersOnly) {
  TestState t;
  t.app.reductionMethod = 3;
  t.app.description = "vieja";
  FreeBase(t.app, 1, 1);
  EXPECT_EQ(t.reporter.messages, Messages{"No se encuentra el fichero BASES.VTR"});
  EXPECT_EQ(t.app.lastFileError, 53);
  EXPECT_FALSE(t.folder.Exists("BASES.VTR"));

  LoadBase(t.app, 1, 1);
  EXPECT_EQ(t.reporter.messages.back(), kMissingMessage);
  EXPECT_EQ(t.app.lastFileError, 53);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), "");
  BaseRecord empty = EmptyBaseRecord();
  empty.reductionMethod = 3;  // the method is kept
  BaseRecord current = CurrentBaseRecord(t.app);
  current.matchday = current.orderNumber = 0;
  EXPECT_EQ(current, empty);
  EXPECT_EQ(t.app.baseGrid[13], (BaseMatch{{1, 0, 0}, 1, 0, 0}));
  EXPECT_EQ(t.app.directBets, 1);
  EXPECT_EQ(t.app.reducedBets, 1);

  std::filesystem::remove(t.folder.File("BASES.VTR"));
  EXPECT_FALSE(BaseExists(t.app, 1, 1).found);
  EXPECT_EQ(t.reporter.messages.size(), 3u);
  EXPECT_EQ(t.reporter.messages.back(), kMissingMessage);
  EXPECT_TRUE(t.folder.Exists("BASES.VTR"));

  t.app.dataFolder = t.folder.File("gone");
  LoadBase(t.app, 1, 1);
  BaseExists(t.app, 1, 1);
  FreeBase(t.app, 1, 1);
  EXPECT_EQ(Messages(t.reporter.messages.begin() + 3, t.reporter.messages.end()),
            (Messages{"LFB ERROR 76: No existe el fichero BASES.VTR", "EEB ERROR 76: No existe el fichero BASES.VTR",
                      "BRB ERROR 76: No existe el fichero BASES.VTR"}));
}

TEST(BaseFile, ATruncatedLastLineIsReadAndMadeWholeOnlyWhenWrittenNext) {
  TestState t;
  const std::string cut = LineOf(8, 2).substr(0, 150);
  const std::string file = LineOf(7, 3) + "\r\n" + cut;
  t.folder.Write("BASES.VTR", file);

  LoadBase(t.app, 8, 2);
  EXPECT_EQ(t.app.lastFileError, 0);
  EXPECT_EQ(t.app.reducedBets, 3);
  EXPECT_EQ(t.app.baseGrid[1].probable, 2);
  EXPECT_EQ(t.app.description, "");  // beyond the cut
  LoadBase(t.app, 7, 3);
  EXPECT_EQ(t.app.description, "Jornada 7, prueba");
  EXPECT_EQ(BaseExists(t.app, 9, 9).lineNumber, 2);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), file);  // reading writes nothing
  EXPECT_TRUE(t.reporter.messages.empty());

  BaseRecord r = Example();
  r.matchday = 9;
  MakeCurrent(t.app, r);
  StoreBase(t.app);
  EXPECT_EQ(t.folder.Read("BASES.VTR"),
            LineOf(7, 3) + "\r\n" + cut + Blanks(80) + "\r\n" + BaseLine(r) + "\r\n");

  // Freeing a cut line completes it too; trailing line ends alone are no line.
  t.folder.Write("BASES.VTR", LineOf(7, 3) + "\r\n" + cut + "\r\n");
  FreeBase(t.app, 8, 2);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), LineOf(7, 3) + "\r\n" + kFreeSlot + "\r\n");
  t.folder.Write("BASES.VTR", LineOf(7, 3) + "\r\n\r\n");
  EXPECT_EQ(BaseExists(t.app, 1, 1).lineNumber, 1);
  StoreBase(t.app);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), LineOf(7, 3) + "\r\n" + BaseLine(r) + "\r\n");
}

TEST(BaseFile, ALineWithLettersWhereDigitsBelongLoadsAsNoLine) {
  TestState t;
  std::string bad = LineOf(7, 3);
  bad.replace(15, 7, "   12a4");
  std::string badGrid = LineOf(4, 4);
  badGrid[29 + 6 * 5] = 'x';
  const std::string file = bad + "\r\n" + LineOf(7, 4) + "\r\n" + badGrid + "\r\n";
  t.folder.Write("BASES.VTR", file);
  t.app.reductionMethod = 1;

  LoadBase(t.app, 7, 3);
  EXPECT_EQ(t.reporter.messages, Messages{"LFB ERROR 13"});
  EXPECT_EQ(t.app.lastFileError, 13);
  EXPECT_EQ(t.app.directBets, 1);
  EXPECT_EQ(t.app.reductionMethod, 1);
  LoadBase(t.app, 4, 4);
  EXPECT_EQ(t.app.lastFileError, 13);

  LoadBase(t.app, 7, 4);  // the rest of the file is usable
  EXPECT_EQ(t.app.lastFileError, 0);
  EXPECT_EQ(t.app.directBets, 9);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), file);

  // Storing the key again repairs its line.
  MakeCurrent(t.app, Example());
  StoreBase(t.app);
  EXPECT_EQ(t.folder.Read("BASES.VTR").substr(0, 230), ExampleLine());
}

TEST(BaseFile, FailedWritesAreReportedAndLeaveTheIndexAsItWas) {
  TestState t;
  const std::string file = LineOf(7, 3) + "\r\n" + LineOf(7, 4) + "\r\n";
  t.folder.Write("BASES.VTR", file);
  BaseRecord r = Example();
  r.matchday = 9;
  MakeCurrent(t.app, r);

  FileFaultsForTesting().readOnlyFolders = {t.folder.Path()};
  StoreBase(t.app);
  FreeBase(t.app, 7, 3);
  t.app.currentMatchday = 7;
  UpdateDescription(t.app);
  FileFaultsForTesting() = {};
  FileFaultsForTesting().bytesBeforeDiskFull = 100;
  t.app.currentMatchday = 9;
  StoreBase(t.app);
  FileFaultsForTesting() = {};
  EXPECT_EQ(t.reporter.messages, (Messages{"EFB ERROR 70", "BRB ERROR 70", "ADB ERROR 70", "EFB ERROR 61"}));
  EXPECT_EQ(t.app.lastFileError, 61);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), file);
}

}  // namespace
}  // namespace vetra
