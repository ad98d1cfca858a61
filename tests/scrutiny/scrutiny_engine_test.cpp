// The scrutiny engine: the winning grid, the prize boxes, the counting of a
// column file slip by slip, the two lists and what a run stores in the
// matchday record.
#include "scrutiny/scrutiny_engine.h"

#include <gtest/gtest.h>

#include "matchdays/matchday_file.h"
#include "tests/scrutiny/seventeen_columns.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::kWinning;
using testing::QuotedColumn;
using testing::SeventeenColumns;
using testing::TestState;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

const std::string kWinningDigits = "12312312312312";  // kWinning as stored

WinningGrid GridOf(const std::string& column) {
  WinningGrid grid{};
  for (std::size_t m = 0; m < column.size(); ++m) {
    const std::size_t sign = std::string("1X2").find(column[m]);
    if (sign != std::string::npos) grid[m][sign] = 1;
  }
  return grid;
}

// Matchday 7 with its fixtures and a mark in every position the scrutiny does
// not own, so that a run that touched them would show.
std::string Matchday7() {
  std::string names;
  for (int k = 1; k <= 28; ++k) {
    const std::string name = "Equipo " + std::to_string(k);
    names += name + Blanks(15 - name.size());
  }
  return "Jor07" "14/09/03" + names + std::string(30, 'r') + Blanks(14) + "q" + Blanks(55);
}

struct Scrutiny {
  Scrutiny() {
    t.folder.Write("JORNADAS.VTR", Blanks(6 * 533) + Matchday7());
    t.app.currentMatchday = 7;
    t.app.currentOrder = 1;
    ReadMatchday(t.app);
    entry.grid = GridOf(kWinning);
    entry.prizeTexts = {"1000000", "1500.5", "20", "", "0"};
    entry.prizes = {1000000, 1500.5, 20, 0, 0};
  }
  std::string StoredRecord() const { return t.folder.Read("JORNADAS.VTR").substr(6 * 533); }
  TestState t;
  ScrutinyEntry entry;
};

TEST(WinningGrid, TheHitTestFindsTheCellsAndNothingInTheGaps) {
  // Match m and sign s cover x 15s - 12 .. 15s and y 18m - 14 .. 18m.
  EXPECT_EQ(QueGanadoraHaPulsado(4, 4), (WinningCell{1, 1}));
  EXPECT_EQ(QueGanadoraHaPulsado(15, 18), (WinningCell{1, 1}));
  EXPECT_EQ(QueGanadoraHaPulsado(18, 22), (WinningCell{2, 2}));
  EXPECT_EQ(QueGanadoraHaPulsado(45, 252), (WinningCell{14, 3}));
  EXPECT_EQ(QueGanadoraHaPulsado(33, 238), (WinningCell{14, 3}));
  for (int y : {10, 100, 250}) EXPECT_EQ(QueGanadoraHaPulsado(17, y), WinningCell{}) << y;  // between columns
  EXPECT_EQ(QueGanadoraHaPulsado(10, 20), WinningCell{});  // between rows 1 and 2
  EXPECT_EQ(QueGanadoraHaPulsado(3, 10), WinningCell{});   // left of x = 4
  EXPECT_EQ(QueGanadoraHaPulsado(10, 3), WinningCell{});   // above y = 4
  EXPECT_EQ(QueGanadoraHaPulsado(48, 10), WinningCell{});  // right of x = 47
  EXPECT_EQ(QueGanadoraHaPulsado(10, 262), WinningCell{});  // a 15th row
  EXPECT_EQ(WinningCellLeft(3), 33);
  EXPECT_EQ(WinningCellTop(14), 237);
}

TEST(WinningGrid, OneMarkPerMatchAndTheMarkedSignClearsIt) {
  WinningGrid grid{};
  ToggleWinningSign(grid, {5, 2});
  EXPECT_EQ(grid[4], (std::array<std::int16_t, 3>{0, 1, 0}));
  EXPECT_EQ(WinningPointerState(grid, {5, 2}), 3);
  EXPECT_EQ(WinningPointerState(grid, {5, 1}), 2);
  EXPECT_EQ(WinningPointerState(grid, {}), 0);
  ToggleWinningSign(grid, {5, 1});
  EXPECT_EQ(grid[4], (std::array<std::int16_t, 3>{1, 0, 0}));
  ToggleWinningSign(grid, {5, 1});
  EXPECT_EQ(grid[4], (std::array<std::int16_t, 3>{0, 0, 0}));
  EXPECT_EQ(grid, WinningGrid{});

  EXPECT_EQ(WinningColumnText(GridOf(kWinning)), kWinning);
  EXPECT_EQ(WinningColumnText(GridOf("1X21X21X21X21")), "");  // match 14 has no sign
}

TEST(PrizeBoxes, TypingKeepsDigitsAndPointsAndLeavingNormalises) {
  EXPECT_EQ(FilterPrizeField("12a", 3), (PrizeField{"12", 2}));
  EXPECT_EQ(FilterPrizeField("12a5", 3), (PrizeField{"125", 2}));  // typed in the middle
  EXPECT_EQ(FilterPrizeField("1.2.3", 5), (PrizeField{"1.2.3", 5}));
  EXPECT_EQ(FilterPrizeField("  15 ", 4), (PrizeField{"15", 2}));
  EXPECT_EQ(FilterPrizeField("x", 0), (PrizeField{"x", 0}));  // nothing before the caret

  EXPECT_EQ(NormalPrizeText("1500.50"), "1500.5");
  EXPECT_EQ(NormalPrizeText("007"), "7");
  EXPECT_EQ(NormalPrizeText(""), "0");
  EXPECT_EQ(NormalPrizeText("abc"), "0");
  EXPECT_EQ(NormalPrizeText("1.2.3"), "1.2");
  EXPECT_EQ(NormalPrizeText("0.10"), "0.1");
  EXPECT_EQ(NormalPrizeText("99999999999"), "99999999999");
}

TEST(ScrutinyEntry, TheRecordGivesTheGridAndThePrizes) {
  std::string record = EmptyMatchdayRecord();
  SetWinningColumnDigits(record, "12304123123120");
  SetPrizeText(record, 1, "1500.50");
  SetPrizeText(record, 3, "7");
  const ScrutinyEntry entry = ScrutinyEntryOf(record);
  EXPECT_EQ(entry.grid[0], (std::array<std::int16_t, 3>{1, 0, 0}));
  EXPECT_EQ(entry.grid[2], (std::array<std::int16_t, 3>{0, 0, 1}));
  EXPECT_EQ(entry.grid[3], (std::array<std::int16_t, 3>{}));  // "0"
  EXPECT_EQ(entry.grid[4], (std::array<std::int16_t, 3>{}));  // "4" is no sign
  EXPECT_EQ(entry.grid[13], (std::array<std::int16_t, 3>{}));
  EXPECT_EQ(entry.prizeTexts, (std::array<std::string, 5>{"1500.50", "", "7", "", ""}));
  EXPECT_EQ(entry.prizes, (std::array<double, 5>{1500.5, 0, 7, 0, 0}));
  // A matchday never scrutinised: blanks, so nothing marked.
  EXPECT_EQ(ScrutinyEntryOf(EmptyMatchdayRecord()).grid, WinningGrid{});
}

TEST(Lists, TheLinesOfTheSpecifiedExamples) {
  // Slip 3 with one column of 12 hits and one of 10: 3 in character 6, the
  // counts in characters 17 and 23.
  EXPECT_EQ(SlipLine({3, {0, 0, 1, 0, 1}}), "     3" "  " "   " "   " "  1" "   " "  1");
  EXPECT_EQ(SlipLine({597872, {8, 0, 0, 0, 0}}), "597872    8            ");

  ScrutinyResult r;
  r.outcome = ScrutinyOutcome::Counted;
  r.hitTotals[12] = 3;
  r.amounts.fill(" ");
  r.amounts[12] = AmountText(3 * 20.0);
  r.total = AmountText(60);
  const std::vector<std::string> lines = HitLines(r);
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[0], "Total premios:      60.00");
  EXPECT_EQ(lines[3], "  12       3        60.00");  // 12 in 3-4, 3 in 12, 60.00 in 21-25
  EXPECT_EQ(lines[1], "  14       0   ");
  EXPECT_EQ(lines[15], "   0       0   ");

  EXPECT_EQ(AmountText(2 * 1234.5), "    2469.00");
  EXPECT_EQ(AmountText(0.005), "       0.01");
  // Amounts of a hundred million and more, and counts of a million columns
  // and more, keep all their digits: the line grows instead.
  EXPECT_EQ(AmountText(123456789.5), "123456789.50");
  r.hitTotals[14] = 1;
  r.amounts[14] = AmountText(123456789.5);
  r.hitTotals[4] = 4782969;
  const std::vector<std::string> wide = HitLines(r);
  EXPECT_EQ(wide[1], "  14       1  123456789.50");
  EXPECT_EQ(wide[11], "   4  4782969   ");
}

TEST(RunScrutiny, SeventeenColumnsGiveThreeSlipsOfWhichTheSecondHoldsNoPrize) {
  Scrutiny s;
  s.t.folder.Write("RED0701.VTR", SeventeenColumns());
  const ScrutinyResult r = RunScrutiny(s.t.app, s.entry);
  ASSERT_EQ(r.outcome, ScrutinyOutcome::Counted);
  EXPECT_EQ(r.winningColumn, kWinning);
  EXPECT_EQ(r.columns, 17);
  EXPECT_EQ(HitLines(r), (std::vector<std::string>{
                             "Total premios: 1001520.50",
                             "  14       1   1000000.00",
                             "  13       1      1500.50",
                             "  12       1        20.00",
                             "  11       0   ",
                             "  10       0   ",
                             "   9       0   ",
                             "   8       0   ",
                             "   7       0   ",
                             "   6       0   ",
                             "   5       0   ",
                             "   4      14   ",
                             "   3       0   ",
                             "   2       0   ",
                             "   1       0   ",
                             "   0       0   ",
                         }));
  EXPECT_EQ(SlipLines(r), (std::vector<std::string>{"     1    1  1         ", "     3          1      "}));
  EXPECT_TRUE(s.t.reporter.messages.empty());
}

TEST(RunScrutiny, CategoriesBelowTenCountWithoutAmountsAndTwoRunsAgree) {
  Scrutiny s;
  s.entry.prizes = {0, 0, 0, 1234.5, 3};
  s.entry.prizeTexts = {"", "", "", "1234.5", "3"};
  // Two columns of 11 hits (matches 1-3 and 12-14 missed) and one of 10
  // (1-4 missed) in slip 1, then eight of 9 hits (1-5 missed).
  std::string file =
      QuotedColumn("X111X21X21X21X") + QuotedColumn("1X21X21X21X121") + QuotedColumn("X112X21X21X21X");
  for (int i = 0; i < 8; ++i) file += QuotedColumn("X112121X21X21X");
  s.t.folder.Write("RED0701.VTR", file);

  const ScrutinyResult first = RunScrutiny(s.t.app, s.entry);
  const std::string storedFirst = s.StoredRecord();
  const std::vector<std::string> lines = HitLines(first);
  EXPECT_EQ(lines[0], "Total premios:    2472.00");
  EXPECT_EQ(lines[4], "  11       2      2469.00");
  EXPECT_EQ(lines[5], "  10       1         3.00");
  EXPECT_EQ(lines[6], "   9       8   ");
  // Slip 2 holds only columns of 9 hits.
  EXPECT_EQ(SlipLines(first), (std::vector<std::string>{"     1             2  1"}));

  const ScrutinyResult second = RunScrutiny(s.t.app, s.entry);
  EXPECT_EQ(HitLines(second), HitLines(first));
  EXPECT_EQ(SlipLines(second), SlipLines(first));
  EXPECT_EQ(s.StoredRecord(), storedFirst);
}

TEST(RunScrutiny, StoresTheColumnAndPrizesAndNothingElseOfTheRecord) {
  Scrutiny s;
  s.t.folder.Write("RED0701.VTR", SeventeenColumns());
  const std::string before = s.StoredRecord();
  RunScrutiny(s.t.app, s.entry);
  const std::string after = s.StoredRecord();
  ASSERT_EQ(after.size(), 533u);
  EXPECT_EQ(after.substr(0, 463), before.substr(0, 463));  // head, names, reserved
  EXPECT_EQ(after.substr(463, 14), kWinningDigits);
  EXPECT_EQ(after.substr(477, 1), "q");
  EXPECT_EQ(after.substr(478), "    1000000" "     1500.5" "         20" + Blanks(11) + "          0");
  // The other matchdays' records are untouched too.
  EXPECT_EQ(s.t.folder.Read("JORNADAS.VTR").substr(0, 6 * 533), Blanks(6 * 533));
}

TEST(RunScrutiny, AnIncompleteColumnIsStoredButNothingIsCounted) {
  Scrutiny s;
  s.t.folder.Write("RED0701.VTR", SeventeenColumns());
  s.entry.grid[9] = {0, 0, 0};
  const ScrutinyResult r = RunScrutiny(s.t.app, s.entry);
  EXPECT_EQ(r.outcome, ScrutinyOutcome::IncompleteColumn);
  EXPECT_TRUE(HitLines(r).empty());
  EXPECT_TRUE(SlipLines(r).empty());
  EXPECT_EQ(s.StoredRecord().substr(463, 14), "12312312302312");
  EXPECT_EQ(std::string(kIncompleteColumnTitle), "COLUMNA GANADORA INCOMPLETA");
}

TEST(RunScrutiny, AMissingColumnFileEndsTheRunSilently) {
  Scrutiny s;
  const ScrutinyResult r = RunScrutiny(s.t.app, s.entry);
  EXPECT_EQ(r.outcome, ScrutinyOutcome::NoColumnFile);
  EXPECT_TRUE(HitLines(r).empty());
  EXPECT_TRUE(s.t.reporter.messages.empty());
  EXPECT_EQ(s.t.app.fileToOpen, "RED0701.VTR");
  EXPECT_EQ(s.StoredRecord().substr(463, 14), kWinningDigits);  // stored all the same
}

TEST(RunScrutiny, AnEmptyColumnFileListsNoSlipButTheTotals) {
  Scrutiny s;
  s.t.folder.Write("RED0701.VTR", "");
  const ScrutinyResult r = RunScrutiny(s.t.app, s.entry);
  ASSERT_EQ(r.outcome, ScrutinyOutcome::Counted);
  EXPECT_EQ(HitLines(r)[0], "Total premios:       0.00");
  EXPECT_TRUE(SlipLines(r).empty());
}

// Lines the column-file reader takes apart as well: a short column, an
// unquoted one ending in LF alone, a quote among the signs, an empty line,
// one too long with more after it, and a last line without line end.
const std::string kOddFile = QuotedColumn(kWinning) + QuotedColumn("1X2") + "1X21X2\n" +
                             QuotedColumn("1X\"1X21X21X21X") + "\r\n" + "\"2222222222222222222\"   ,junk\r\n" + "\"" +
                             kWinning + "\"";
const std::array<std::int32_t, 15> kOddTotals = {1, 0, 1, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2};

TEST(HitCounter, LinesOfAnyShapeCountAsTheReaderReadsThem) {
  HitCounter whole(kWinning);
  whole.AddBytes(kOddFile);
  whole.Finish();
  EXPECT_EQ(whole.Columns(), 7);
  EXPECT_EQ(whole.HitTotals(), kOddTotals);
  ASSERT_EQ(whole.Slips().size(), 1u);
  EXPECT_EQ(whole.Slips()[0], (SlipHits{1, {2, 0, 0, 0, 0}}));
}

TEST(HitCounter, TheFileCutAnywhereCountsTheSame) {
  for (std::size_t cut = 0; cut <= kOddFile.size(); ++cut) {
    HitCounter counter(kWinning);
    counter.AddBytes(std::string_view(kOddFile).substr(0, cut));
    counter.AddBytes(std::string_view(kOddFile).substr(cut));
    counter.Finish();
    EXPECT_EQ(counter.HitTotals(), kOddTotals) << "cut at " << cut;
  }
  HitCounter byBytes(kWinning);
  for (char c : kOddFile) byBytes.AddBytes(std::string_view(&c, 1));
  byBytes.Finish();
  EXPECT_EQ(byBytes.HitTotals(), kOddTotals);
}

// Eight slips of whole lines, the hits of column k being 14 - k % 15, so
// that slips with and without prizes follow each other.
std::string EightSlips() {
  std::string file;
  for (int k = 0; k < 64; ++k) {
    std::string column = kWinning;
    for (int m = 0; m < 14; ++m)
      if ((5 * k + 3 * m) % 14 < k % 15) column[m] = column[m] == '1' ? 'X' : '1';
    file += QuotedColumn(column);
  }
  return file;
}

// What the counter makes of a file fed in two pieces cut at `cut`.
HitCounter CountedInTwo(std::string_view file, std::size_t cut) {
  HitCounter counter(kWinning);
  counter.AddBytes(file.substr(0, cut));
  counter.AddBytes(file.substr(cut));
  counter.Finish();
  return counter;
}

// Whole slips are told at once; the counts must not differ from the reader's
// line by line, whatever line of a slip has another shape and wherever the
// pieces are cut.
TEST(HitCounter, SlipsCountAsTheirLinesOneByOne) {
  const std::string regular = EightSlips();
  std::vector<std::string> files{regular};
  for (const std::string odd : {"\"1X2\"1X21X21X21X\"\r\n", "\"1X21X21X21X21X\"\n", "\"1X21X21X21X21X\" \r\n",
                                 "21X21X21X21X21X\"\r\n", "\"1X2\"X21X21X21X\"\r\n"})
    for (const std::size_t line : {0, 13, 63})
      files.push_back(regular.substr(0, line * 18) + odd + regular.substr((line + 1) * 18));

  const HitCounter first = CountedInTwo(regular, regular.size());
  EXPECT_EQ(first.Columns(), 64);
  std::array<std::int32_t, 15> expected{};
  for (int k = 0; k < 64; ++k) ++expected[14 - k % 15];
  EXPECT_EQ(first.HitTotals(), expected);
  // Columns 0-4 hold 14 down to 10 hits, column 15 has 14 again, 16-19
  // have 13 down to 10.
  ASSERT_GE(first.Slips().size(), 3u);
  EXPECT_EQ(first.Slips()[0], (SlipHits{1, {1, 1, 1, 1, 1}}));
  EXPECT_EQ(first.Slips()[1], (SlipHits{2, {1, 0, 0, 0, 0}}));
  EXPECT_EQ(first.Slips()[2], (SlipHits{3, {0, 1, 1, 1, 1}}));

  for (const std::string& file : files) {
    HitCounter byBytes(kWinning);
    for (const char c : file) byBytes.AddBytes(std::string_view(&c, 1));
    byBytes.Finish();
    for (std::size_t cut = 0; cut <= file.size(); cut += 7) {
      const HitCounter counter = CountedInTwo(file, cut);
      ASSERT_EQ(counter.HitTotals(), byBytes.HitTotals()) << "cut at " << cut << " of\n" << file;
      ASSERT_EQ(counter.Slips(), byBytes.Slips()) << "cut at " << cut << " of\n" << file;
    }
  }
}

}  // namespace
}  // namespace vetra
