#include "reductions/base_file.h"

#include <gtest/gtest.h>

#include "app/file_io.h"
#include "app/numbers.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;
using Messages = std::vector<std::string>;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

const std::string kFreeSlot = "0000" + Blanks(226);

// Matchday 7, order 3, method 2, errors 0 to 2, 9 direct and 3 reduced bets:
// matches 1 and 2 are marked triples (probable signs 1 and X), the rest single
// 1; a few totals allowed; a description in Windows-1252 with commas and quotes.
BaseRecord Example() {
  BaseRecord r;
  r.matchday = 7;
  r.orderNumber = 3;
  r.reductionMethod = r.maxErrors = 2;
  r.directBets = 9;
  r.reducedBets = 3;
  r.baseGrid.fill(BaseMatch{{1, 0, 0}, 1, 0, 0});
  r.baseGrid[0] = BaseMatch{{1, 1, 1}, 3, 1, 1};
  r.baseGrid[1] = BaseMatch{{1, 1, 1}, 3, 1, 2};
  r.allowedTotals[0][0] = r.allowedTotals[1][14] = r.allowedTotals[2][7] = 1;
  r.description = "\"Doble\", triple; a\xF1o \x80";
  return r;
}

std::string ExampleLine() {
  std::string grid = "111311" "111312";
  for (int m = 3; m <= 14; ++m) grid += "100100";
  std::string totals(45, '0');
  totals[0] = totals[15 + 14] = totals[30 + 7] = '1';
  return "07032" " 0" " 2" + Blanks(6) + "      9" + "      3" + grid + Blanks(7) + totals +
         "\"Doble\", triple; a\xF1o \x80" + Blanks(13) + Blanks(30);
}

// The example under another key.
BaseRecord Keyed(int matchday, int order) {
  BaseRecord r = Example();
  r.matchday = static_cast<std::int16_t>(matchday);
  r.orderNumber = static_cast<std::int16_t>(order);
  return r;
}

std::string LineOf(int matchday, int order) { return BaseLine(Keyed(matchday, order)); }

std::string Lines(const std::vector<std::string>& lines) {
  std::string file;
  for (const std::string& line : lines) file += line + "\r\n";
  return file;
}

void MakeCurrent(AppState& app, const BaseRecord& r) {
  app.currentMatchday = r.matchday;
  app.currentOrder = r.orderNumber;
  SetCurrentBaseRecord(app, r);
}

TEST(BaseFile, TheExampleLineIsStoredByteForByteAndLoadedBack) {
  TestState t;
  // A missing index is reported; freeing leaves it missing, loading creates it
  // and gives the empty record, but keeps the method.
  t.app.reductionMethod = 3;
  t.app.description = "vieja";
  FreeBase(t.app, 1, 1);
  EXPECT_FALSE(t.folder.Exists("BASES.VTR"));
  LoadBase(t.app, 1, 1);
  EXPECT_EQ(t.reporter.messages, (Messages{"No se encuentra el fichero BASES.VTR",
                                           "No se encuentra el fichero BASES.VTR. Se va a proceder a crearlo."}));
  EXPECT_EQ(t.folder.Read("BASES.VTR"), "");
  EXPECT_EQ(t.app.description, "");
  EXPECT_EQ(t.app.reductionMethod, 3);

  MakeCurrent(t.app, Example());
  StoreBase(t.app);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), Lines({ExampleLine()}));
  SetCurrentBaseRecord(t.app, EmptyBaseRecord());
  LoadBase(t.app, 7, 3);
  EXPECT_EQ(CurrentBaseRecord(t.app), Example());

  // A longer description is cut and a line end inside it blanked; blanks at
  // its ends are dropped on loading.
  t.app.description = "  " + std::string(28, 'a') + "\r\nbcdefgh";
  StoreBase(t.app);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), Lines({ExampleLine().replace(165, 35, "  " + std::string(28, 'a') + "  bcd")}));
  LoadBase(t.app, 7, 3);
  EXPECT_EQ(t.app.description, std::string(28, 'a') + "  bcd");
  EXPECT_EQ(t.reporter.messages.size(), 2u);
}

TEST(BaseFile, LinesStayInPlaceAndFreedSlotsAreReused) {
  TestState t;
  t.folder.Write("BASES.VTR", Lines({LineOf(3, 12), LineOf(5, 2), LineOf(4, 1), LineOf(5, 2), kFreeSlot}));
  EXPECT_EQ(BaseExists(t.app, 5, 2).lineNumber, 2);  // the first line of the key
  EXPECT_FALSE(BaseExists(t.app, 3, 2).found);        // "0302" is not "0312"
  FreeBase(t.app, 5, 2);                              // every line of the key
  EXPECT_EQ(t.folder.Read("BASES.VTR"), Lines({LineOf(3, 12), kFreeSlot, LineOf(4, 1), kFreeSlot, kFreeSlot}));

  MakeCurrent(t.app, Keyed(9, 4));
  StoreBase(t.app);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), Lines({LineOf(3, 12), LineOf(9, 4), LineOf(4, 1), kFreeSlot, kFreeSlot}));

  // The same key again: written over its own line. The description alone
  // is rewritten by UpdateDescription.
  t.app.reducedBets = 1234567;
  StoreBase(t.app);
  t.app.directBets = 4782969;
  t.app.description = "Otra, \"nueva\"";
  UpdateDescription(t.app);
  BaseRecord stored = Keyed(9, 4);
  stored.reducedBets = 1234567;
  stored.description = "Otra, \"nueva\"";
  EXPECT_EQ(t.folder.Read("BASES.VTR"), Lines({LineOf(3, 12), BaseLine(stored), LineOf(4, 1), kFreeSlot, kFreeSlot}));
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(BaseFile, LinesAreReadInOrderAndDamagedOnesAreNeverWrittenOutsideThemselves) {
  TestState t;
  // An earlier line that lost its trailing blanks (a text editor does that)
  // hides nothing after it; storing its key again rewrites that line alone,
  // made whole, and adds no second line of the key.
  const std::string trimmed = Trimmed(LineOf(7, 3));
  const std::string file = trimmed + "\r\n" + Lines({LineOf(7, 4), LineOf(8, 1)});
  t.folder.Write("BASES.VTR", file);
  t.app.currentMatchday = 8;
  t.app.currentOrder = 1;
  LoadBase(t.app, 8, 1);
  EXPECT_EQ(CurrentBaseRecord(t.app), Keyed(8, 1));
  LoadBase(t.app, 7, 3);
  EXPECT_EQ(t.app.description, Example().description);
  // Leaving with the description as it was writes nothing.
  t.app.currentMatchday = 7;
  t.app.currentOrder = 3;
  UpdateDescription(t.app);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), file);
  BaseRecord again = Keyed(7, 3);
  again.reducedBets = 5;
  MakeCurrent(t.app, again);
  StoreBase(t.app);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), Lines({BaseLine(again), LineOf(7, 4), LineOf(8, 1)}));

  // A last line cut short, without its line end, is read as if padded; a
  // new line then goes after it, the cut line keeping its bytes.
  const std::string cut = LineOf(8, 2).substr(0, 150);
  t.folder.Write("BASES.VTR", Lines({LineOf(7, 3)}) + cut);
  LoadBase(t.app, 8, 2);
  EXPECT_EQ(t.app.baseGrid[1].probable, 2);
  EXPECT_EQ(t.app.description, "");  // beyond the cut
  EXPECT_EQ(t.folder.Read("BASES.VTR"), Lines({LineOf(7, 3)}) + cut);
  MakeCurrent(t.app, Keyed(9, 3));
  StoreBase(t.app);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), Lines({LineOf(7, 3), cut, LineOf(9, 3)}));
  EXPECT_TRUE(t.reporter.messages.empty());

  // Letters where digits belong: that line loads as none and is never
  // written back, whatever the description; the rest is usable.
  std::string bad = LineOf(7, 3);
  bad.replace(15, 7, "   12a4");
  const std::string damaged = Lines({bad, LineOf(7, 4)});
  t.folder.Write("BASES.VTR", damaged);
  LoadBase(t.app, 7, 3);
  EXPECT_EQ(t.reporter.messages, Messages{"LFB ERROR 13"});
  EXPECT_EQ(t.app.directBets, 1);
  t.app.currentMatchday = 7;
  t.app.currentOrder = 3;
  t.app.description = "otra";
  UpdateDescription(t.app);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), damaged);
  LoadBase(t.app, 7, 4);
  EXPECT_EQ(t.app.directBets, 9);
}

TEST(BaseFile, FailedWritesAreReportedAndLeaveTheIndexAsItWas) {
  TestState t;
  const std::string file = Lines({LineOf(7, 3), LineOf(7, 4)});
  t.folder.Write("BASES.VTR", file);
  MakeCurrent(t.app, Keyed(9, 3));
  FileFaultsForTesting().readOnlyFolders = {t.folder.Path()};
  StoreBase(t.app);
  FreeBase(t.app, 7, 3);
  FileFaultsForTesting() = {};
  FileFaultsForTesting().bytesBeforeDiskFull = 100;
  StoreBase(t.app);
  FileFaultsForTesting() = {};
  ASSERT_EQ(t.reporter.messages.size(), 3u);
  EXPECT_EQ(t.reporter.messages[0], "EFB ERROR 70");
  EXPECT_EQ(t.reporter.messages[1], "BRB ERROR 70");
  EXPECT_TRUE(t.reporter.messages[2].starts_with("EFB ERROR 61: Disco lleno"));
  EXPECT_EQ(t.app.lastFileError, 61);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), file);
}

}  // namespace
}  // namespace vetra
