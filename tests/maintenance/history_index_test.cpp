#include "maintenance/history_index.h"

#include <gtest/gtest.h>

#include "reductions/base_file.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;
using Lines = std::vector<std::string>;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

BaseRecord Entry(int matchday, int order, int method = 1, int direct = 9, int reduced = 3,
                 const std::string& description = "") {
  BaseRecord r;
  r.matchday = static_cast<std::int16_t>(matchday);
  r.orderNumber = static_cast<std::int16_t>(order);
  r.reductionMethod = static_cast<std::int16_t>(method);
  r.directBets = direct;
  r.reducedBets = reduced;
  for (BaseMatch& m : r.baseGrid) m = BaseMatch{{1, 0, 0}, 1, 0, 0};
  r.description = description;
  return r;
}

void WriteIndex(const TestState& t, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  t.folder.Write("BASES.VTR", bytes);
}

// Matchday records as stored: "Jor" + two digits + date, then blanks, 533 bytes each.
void WriteMatchdays(const TestState& t, const std::vector<std::string>& heads) {
  std::string bytes;
  for (const std::string& head : heads) bytes += head + Blanks(533 - head.size());
  t.folder.Write("JORNADAS.VTR", bytes);
}

const std::string kFree = "0000" + Blanks(226);

// Lines 1..n of matchday 1.., all of order 1, in file order.
Lines ManyEntries(int n) {
  Lines lines;
  for (int i = 1; i <= n; ++i) lines.push_back(BaseLine(Entry(i, 1)));
  return lines;
}

TEST(HistoryIndex, LinesFollowTheLayoutByteForByte) {
  TestState t;
  WriteIndex(t, {BaseLine(Entry(7, 3, 2, 9, 3, "Jornada 7, prueba")),
                 BaseLine(Entry(12, 11, 3, 4782969, 1234567, "Una descripci\xF3n demasiado larga")),
                 BaseLine(Entry(8, 1, 1, 1, 1, ""))});
  // Matchday 7 carries its own head; record 8 holds matchday 9's, record 12 does not exist.
  WriteMatchdays(t, {"", "", "", "", "", "", "Jor0712/10/03", "Jor0926/10/03"});
  const std::string before = t.folder.Read("BASES.VTR");

  const Lines lines = ReadHistoryLines(t.app);
  ASSERT_EQ(lines.size(), 3u);
  //                 mday  date               order        method                         description
  EXPECT_EQ(lines[0], std::string(" ") + " 7" + " " + "12/10/03" + "  " + " 3" + "  " + "Columna Probable   " +
                          "  " + "Jornada 7, prueba    " + "   " + "       9" + "    " + "       3");
  EXPECT_EQ(lines[1], std::string(" ") + " 8" + " " + Blanks(8) + "  " + " 1" + "  " + "Directo            " +
                          "  " + Blanks(21) + "   " + "       1" + "    " + "       1");
  // The accented name is one Windows-1252 byte; the description is cut at 21.
  EXPECT_EQ(lines[2], std::string(" ") + "12" + " " + Blanks(8) + "  " + "11" + "  " + "Selecci\xF3n de Signos" +
                          "  " + "Una descripci\xF3n demas" + "   " + " 4782969" + "    " + " 1234567");
  for (const std::string& line : lines) EXPECT_EQ(line.size(), 83u);
  EXPECT_EQ(t.folder.Read("BASES.VTR"), before);
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(HistoryIndex, TheDescriptionIsShownAsStored) {
  TestState t;
  std::string line = BaseLine(Entry(4, 1));
  line.replace(165, 12, "  Dos blancos");  // written by another hand, blanks in front
  WriteIndex(t, {line});
  const Lines lines = ReadHistoryLines(t.app);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(39, 21), "  Dos blancos" + Blanks(8));
}

TEST(HistoryIndex, LinesAreSortedAsTextAndFreeOrDamagedLinesLeftOut) {
  TestState t;
  std::string damaged = BaseLine(Entry(5, 1));
  damaged[20] = 'x';  // inside the direct bets
  WriteIndex(t, {BaseLine(Entry(12, 1)), kFree, BaseLine(Entry(3, 2)), damaged, "", BaseLine(Entry(3, 1))});
  const Lines lines = ReadHistoryLines(t.app);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(0, 16), "  3" + Blanks(11) + " 1");
  EXPECT_EQ(lines[1].substr(0, 16), "  3" + Blanks(11) + " 2");
  EXPECT_EQ(lines[2].substr(0, 16), " 12" + Blanks(11) + " 1");
  EXPECT_EQ(HistoryLineMatchday(lines[2]), 12);
  EXPECT_EQ(HistoryLineOrder(lines[1]), 2);

}

TEST(HistoryIndex, AMissingOrFreeOnlyIndexGivesNoLinesAndIsNotCreated) {
  TestState t;
  EXPECT_TRUE(ReadHistoryLines(t.app).empty());
  EXPECT_FALSE(t.folder.Exists("BASES.VTR"));
  EXPECT_TRUE(t.reporter.messages.empty());

  WriteIndex(t, {kFree, kFree});
  EXPECT_TRUE(ReadHistoryLines(t.app).empty());
  t.folder.Write("BASES.VTR", "");
  EXPECT_TRUE(ReadHistoryLines(t.app).empty());
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(HistoryIndex, FortyFiveReductionsFillThreePages) {
  TestState t;
  WriteIndex(t, ManyEntries(45));
  const Lines lines = ReadHistoryLines(t.app);
  ASSERT_EQ(lines.size(), 45u);

  EXPECT_TRUE(CanTurnForward(0, lines.size()));
  EXPECT_FALSE(CanTurnBack(0));
  EXPECT_TRUE(CanTurnForward(20, lines.size()));
  EXPECT_TRUE(CanTurnBack(20));
  EXPECT_FALSE(CanTurnForward(40, lines.size()));
  EXPECT_TRUE(CanTurnBack(40));
  // Exactly 40 lines: the third page would be empty.
  EXPECT_FALSE(CanTurnForward(20, 40));
  EXPECT_TRUE(CanTurnForward(20, 41));
  EXPECT_FALSE(CanTurnForward(0, 0));

  // Line 27 (matchday 28) is on the second page; 40 and 44 on the third.
  EXPECT_EQ(PageTopFor(lines, 28, 1), 20);
  EXPECT_EQ(PageTopFor(lines, 20, 1), 0);
  EXPECT_EQ(PageTopFor(lines, 41, 1), 40);
  EXPECT_EQ(PageTopFor(lines, 45, 1), 40);
  EXPECT_EQ(PageTopFor(lines, 46, 1), 0);
  EXPECT_EQ(PageTopFor(lines, 28, 2), 0);
}

TEST(HistoryIndex, TheLastLineOfARepeatedKeyChoosesThePage) {
  TestState t;
  Lines index = ManyEntries(19);
  index.push_back(BaseLine(Entry(30, 1, 1, 9, 3, "A")));
  index.push_back(BaseLine(Entry(30, 1, 1, 9, 3, "B")));  // sorts after "A": line 20
  WriteIndex(t, index);
  const Lines lines = ReadHistoryLines(t.app);
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(PageTopFor(lines, 30, 1), 20);
}

TEST(HistoryIndex, HallaCualLineaCountsOnlyTheMiddleOfARow) {
  // Row r spans y = 34 + 16r .. 34 + 16r + 15; 3 to 14 pixels into it count.
  EXPECT_EQ(HallaCualLinea(34 + 2, 0, 20), kNoHistoryRow);
  EXPECT_EQ(HallaCualLinea(34 + 3, 0, 20), 0);
  EXPECT_EQ(HallaCualLinea(34 + 14, 0, 20), 0);
  EXPECT_EQ(HallaCualLinea(34 + 15, 0, 20), kNoHistoryRow);
  EXPECT_EQ(HallaCualLinea(34 + 16 + 2, 0, 20), kNoHistoryRow);
  EXPECT_EQ(HallaCualLinea(34 + 16 * 5 + 3, 0, 20), 5);
  EXPECT_EQ(HallaCualLinea(34 + 16 * 5 + 14, 0, 20), 5);
  // Fractions are rounded, halves to even.
  EXPECT_EQ(HallaCualLinea(34 + 2.6, 0, 20), 0);
  EXPECT_EQ(HallaCualLinea(34 + 2.5, 0, 20), kNoHistoryRow);
  EXPECT_EQ(HallaCualLinea(34 + 14.5, 0, 20), 0);
  EXPECT_EQ(HallaCualLinea(34 + 15.5, 0, 20), kNoHistoryRow);
  // Above the rows and from y = 350 on, nothing: row 19 ends at 349.
  EXPECT_EQ(HallaCualLinea(20, 0, 20), kNoHistoryRow);
  EXPECT_EQ(HallaCualLinea(-30, 0, 20), kNoHistoryRow);
  EXPECT_EQ(HallaCualLinea(349, 0, 20), 19);
  EXPECT_EQ(HallaCualLinea(350, 0, 20), kNoHistoryRow);
  EXPECT_EQ(HallaCualLinea(34 + 16 * 20 + 8, 0, 40), kNoHistoryRow);
  // Only rows that hold a line: the third page of 45 has five.
  EXPECT_EQ(HallaCualLinea(34 + 16 * 4 + 8, 40, 45), 4);
  EXPECT_EQ(HallaCualLinea(34 + 16 * 5 + 8, 40, 45), kNoHistoryRow);
  EXPECT_EQ(HallaCualLinea(34 + 8, 0, 0), kNoHistoryRow);
}

}  // namespace
}  // namespace vetra
