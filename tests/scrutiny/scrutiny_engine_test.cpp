// The scrutiny engine: the winning grid's hit test, the prize boxes, the
// counting of a column file slip by slip, the two lists and what a run
// stores in the matchday record.
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

// Matchday 7 with a mark in every position the scrutiny does not own, so
// that a run that touched them would show.
struct Scrutiny {
  Scrutiny() {
    const std::string names(28 * 15 + 30, 'n');  // the team names and the reserved field
    t.folder.Write("JORNADAS.VTR", Blanks(6 * 533) + "Jor07" "14/09/03" + names + Blanks(14) + "q" + Blanks(55));
    t.app.currentMatchday = 7;
    t.app.currentOrder = 1;
    ReadMatchday(t.app);
    for (std::size_t m = 0; m < kWinning.size(); ++m) entry.grid[m][std::string("1X2").find(kWinning[m])] = 1;
    // An amount of a hundred million and more keeps all its digits.
    entry.prizeTexts = {"123456789.5", "1500.5", "20", "", "0"};
    entry.prizes = {123456789.5, 1500.5, 20, 0, 0};
  }
  std::string StoredRecord() const { return t.folder.Read("JORNADAS.VTR").substr(6 * 533); }
  TestState t;
  ScrutinyEntry entry;
};

TEST(WinningGrid, TheHitTestFindsTheCellsAndNothingInTheGaps) {
  // Match m and sign s cover x 15s - 12 .. 15s and y 18m - 14 .. 18m.
  const struct {
    int x, y;
    WinningCell cell;
  } cases[] = {{4, 4, {1, 1}}, {15, 18, {1, 1}}, {45, 252, {14, 3}},
               {17, 100, {}}, {10, 20, {}},                // between columns, between rows
               {3, 10, {}}, {48, 10, {}}, {10, 262, {}}};  // the margins and a 15th row
  for (const auto& c : cases) EXPECT_EQ(QueGanadoraHaPulsado(c.x, c.y), c.cell) << c.x << ", " << c.y;
}

TEST(PrizeBoxes, TypingKeepsDigitsAndPointsAndLeavingNormalises) {
  EXPECT_EQ(FilterPrizeField("1.2.3", 5), (PrizeField{"1.2.3", 5}));
  EXPECT_EQ(FilterPrizeField("  15 ", 4), (PrizeField{"15", 2}));
  EXPECT_EQ(FilterPrizeField("x", 0), (PrizeField{"x", 0}));  // nothing before the caret
  const std::pair<const char*, const char*> left[] = {
      {"007", "7"}, {"abc", "0"}, {"1.2.3", "1.2"}, {"99999999999", "99999999999"}};
  for (const auto& [typed, shown] : left) EXPECT_EQ(NormalPrizeText(typed), shown) << typed;

  // Prizes read from a damaged record follow the same rules.
  std::string record = EmptyMatchdayRecord();
  const char* stored[] = {"1e308", "-5", " 12.50", "", "1.2.3"};
  for (int k = 0; k < 5; ++k) SetPrizeText(record, k + 1, stored[k]);
  const ScrutinyEntry entry = ScrutinyEntryOf(record);
  EXPECT_EQ(entry.prizeTexts, (std::array<std::string, 5>{"1308", "5", "12.5", "", "1.2"}));
  EXPECT_EQ(entry.prizes, (std::array<double, 5>{1308, 5, 12.5, 0, 1.2}));
}

TEST(RunScrutiny, SeventeenColumnsGiveThreeSlipsOfWhichTheSecondHoldsNoPrize) {
  Scrutiny s;
  s.t.folder.Write("RED0701.VTR", SeventeenColumns());
  const std::string before = s.StoredRecord();
  const ScrutinyResult r = RunScrutiny(s.t.app, s.entry);
  ASSERT_EQ(r.outcome, ScrutinyOutcome::Counted);
  EXPECT_EQ(r.columns, 17);
  EXPECT_EQ(HitLines(r), (std::vector<std::string>{
                             "Total premios:123458310.00", "  14       1  123456789.50", "  13       1      1500.50",
                             "  12       1        20.00", "  11       0   ", "  10       0   ", "   9       0   ",
                             "   8       0   ", "   7       0   ", "   6       0   ", "   5       0   ",
                             "   4      14   ", "   3       0   ", "   2       0   ", "   1       0   ",
                             "   0       0   "}));
  EXPECT_EQ(SlipLines(r), (std::vector<std::string>{"     1    1  1         ", "     3          1      "}));

  // The run stored the column and the prizes and nothing else of the record.
  EXPECT_EQ(s.StoredRecord(), before.substr(0, 463) + "12312312312312" "q" "123456789.5" "     1500.5"
                                  "         20" + Blanks(11) + "          0");
  // The other matchdays' records are untouched too.
  EXPECT_EQ(s.t.folder.Read("JORNADAS.VTR").substr(0, 6 * 533), Blanks(6 * 533));
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
  const std::vector<std::string> lines = HitLines(first);
  EXPECT_EQ(lines[0], "Total premios:    2472.00");
  EXPECT_EQ(lines[4], "  11       2      2469.00");
  EXPECT_EQ(lines[5], "  10       1         3.00");
  EXPECT_EQ(lines[6], "   9       8   ");
  // Slip 2 holds only columns of 9 hits.
  EXPECT_EQ(SlipLines(first), (std::vector<std::string>{"     1             2  1"}));

  const ScrutinyResult second = RunScrutiny(s.t.app, s.entry);
  EXPECT_EQ(HitLines(second), lines);
  EXPECT_EQ(SlipLines(second), SlipLines(first));
}

TEST(RunScrutiny, AMissingColumnFileIsNamedAndAnEmptyOneListsOnlyTheTotals) {
  Scrutiny s;
  ScrutinyResult r = RunScrutiny(s.t.app, s.entry);
  EXPECT_EQ(r.outcome, ScrutinyOutcome::NoColumnFile);
  EXPECT_TRUE(HitLines(r).empty());
  ASSERT_EQ(s.t.reporter.messages.size(), 1u);
  EXPECT_NE(s.t.reporter.messages[0].find("RED0701.VTR"), std::string::npos);
  EXPECT_EQ(s.StoredRecord().substr(463, 14), "12312312312312");  // stored all the same

  s.t.folder.Write("RED0701.VTR", "");
  r = RunScrutiny(s.t.app, s.entry);
  ASSERT_EQ(r.outcome, ScrutinyOutcome::Counted);
  EXPECT_EQ(HitLines(r)[0], "Total premios:       0.00");
  EXPECT_TRUE(SlipLines(r).empty());
}

// The counter tells lines of the usual shape by their bytes, whole slips at a
// time, and hands any other line to the column-file reader; however a file is
// cut into pieces, even byte by byte, the counts must be the reader's.
HitCounter Counted(std::string_view file, std::size_t cut) {
  HitCounter counter(kWinning);
  counter.AddBytes(file.substr(0, cut));
  counter.AddBytes(file.substr(cut));
  counter.Finish();
  return counter;
}

TEST(HitCounter, LinesOfAnyShapeCountAsTheReaderReadsThemWhereverTheFileIsCut) {
  // A short column, an unquoted one ending in LF alone, a quote among the
  // signs, an empty line, one too long with more after it, and a last line
  // without line end.
  const std::string odd = QuotedColumn(kWinning) + QuotedColumn("1X2") + "1X21X2\n" +
                          QuotedColumn("1X\"1X21X21X21X") + "\r\n" + "\"2222222222222222222\"   ,junk\r\n" +
                          "\"" + kWinning + "\"";
  const HitCounter oddCounted = Counted(odd, odd.size());
  EXPECT_EQ(oddCounted.Columns(), 7);
  EXPECT_EQ(oddCounted.HitTotals(), (std::array<std::int32_t, 15>{1, 0, 1, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2}));
  EXPECT_EQ(oddCounted.Slips(), (std::vector<SlipHits>{{1, {2, 0, 0, 0, 0}}}));

  // Eight slips of whole lines, the hits of column k being 14 - k % 15, so
  // that slips with and without prizes follow each other.
  std::string regular;
  std::array<std::int32_t, 15> expected{};
  for (int k = 0; k < 64; ++k) {
    std::string column = kWinning;
    for (int m = 0; m < 14; ++m)
      if ((5 * k + 3 * m) % 14 < k % 15) column[m] = column[m] == '1' ? 'X' : '1';
    regular += QuotedColumn(column);
    ++expected[14 - k % 15];
  }
  EXPECT_EQ(Counted(regular, regular.size()).HitTotals(), expected);

  // Those two, and the slips with one line of another shape in the first, a
  // middle or the last slip, counted byte by byte and in two pieces.
  std::vector<std::string> files{odd, regular};
  for (const std::string other : {"\"1X2\"1X21X21X21X\"\r\n", "\"1X21X21X21X21X\"\n", "\"1X21X21X21X21X\" \r\n",
                                   "21X21X21X21X21X\"\r\n", "\"1X2\"X21X21X21X\"\r\n"})
    for (const std::size_t line : {0, 13, 63})
      files.push_back(regular.substr(0, line * 18) + other + regular.substr((line + 1) * 18));
  for (const std::string& file : files) {
    HitCounter byBytes(kWinning);
    for (const char c : file) byBytes.AddBytes(std::string_view(&c, 1));
    byBytes.Finish();
    for (std::size_t cut = 0; cut <= file.size(); ++cut) {
      const HitCounter counter = Counted(file, cut);
      ASSERT_TRUE(counter.HitTotals() == byBytes.HitTotals() && counter.Slips() == byBytes.Slips())
          << "cut at " << cut << " of\n" << file;
    }
  }
}

}  // namespace
}  // namespace vetra
