// The lines of the history window read from the index, their order and
// pages.
#include "maintenance/history_index.h"

#include <gtest/gtest.h>

#include "reductions/base_file.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;
using Lines = std::vector<std::string>;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

std::string Entry(std::int16_t matchday, std::int16_t order, std::int16_t method = 1, std::int32_t direct = 9,
                  std::int32_t reduced = 3, const std::string& description = "") {
  return BaseLine({.matchday = matchday, .orderNumber = order, .reductionMethod = method, .directBets = direct,
                   .reducedBets = reduced, .description = description});
}

Lines ReadIndex(const TestState& t, const Lines& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  t.folder.Write("BASES.VTR", bytes);
  return ReadHistoryLines(t.app);
}

const std::string kFree = "0000" + Blanks(226);

TEST(HistoryIndex, LinesFollowTheLayoutByteForByte) {
  TestState t;
  // Matchday 7 carries its own head; record 8 holds matchday 9's, record 12 does not exist.
  t.folder.Write("JORNADAS.VTR", Blanks(6 * 533) + "Jor0712/10/03" + Blanks(520) + "Jor0926/10/03" + Blanks(520));
  // A description written by another hand, with blanks in front, is shown as stored.
  std::string blanksInFront = Entry(8, 1, 1, 1, 1);
  blanksInFront.replace(165, 12, "  Dos blancos");
  const Lines lines =
      ReadIndex(t, {Entry(7, 3, 2, 9, 3, "Jornada 7, prueba"),
                    Entry(12, 11, 3, 4782969, 1234567, "Una descripci\xF3n demasiado larga"), blanksInFront});
  ASSERT_EQ(lines.size(), 3u);
  //                 mday  date               order        method                         description
  EXPECT_EQ(lines[0], std::string(" ") + " 7" + " " + "12/10/03" + "  " + " 3" + "  " + "Columna Probable   " +
                          "  " + "Jornada 7, prueba    " + "   " + "       9" + "    " + "       3");
  EXPECT_EQ(lines[1], std::string(" ") + " 8" + " " + Blanks(8) + "  " + " 1" + "  " + "Directo            " +
                          "  " + "  Dos blancos" + Blanks(8) + "   " + "       1" + "    " + "       1");
  // The accented name is one Windows-1252 byte; the description is cut at 21.
  EXPECT_EQ(lines[2], std::string(" ") + "12" + " " + Blanks(8) + "  " + "11" + "  " + "Selecci\xF3n de Signos" +
                          "  " + "Una descripci\xF3n demas" + "   " + " 4782969" + "    " + " 1234567");
}

TEST(HistoryIndex, LinesAreSortedAsTextAndFreeOrDamagedLinesLeftOut) {
  TestState t;
  EXPECT_TRUE(ReadHistoryLines(t.app).empty());
  EXPECT_FALSE(t.folder.Exists("BASES.VTR"));  // a missing index is not created
  EXPECT_TRUE(ReadIndex(t, {kFree, kFree}).empty());

  std::string damaged = Entry(5, 1);
  damaged[20] = 'x';  // inside the direct bets
  const Lines lines = ReadIndex(t, {Entry(12, 1), kFree, Entry(3, 2), damaged, "", Entry(3, 1)});
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(0, 16), "  3" + Blanks(11) + " 1");
  EXPECT_EQ(lines[1].substr(0, 16), "  3" + Blanks(11) + " 2");
  EXPECT_EQ(lines[2].substr(0, 16), " 12" + Blanks(11) + " 1");
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(HistoryIndex, TheLastLineOfAKeyChoosesThePage) {
  TestState t;
  Lines index;
  for (int i = 1; i <= 19; ++i) index.push_back(Entry(i, 1));
  index.push_back(Entry(30, 1, 1, 9, 3, "A"));
  index.push_back(Entry(30, 1, 1, 9, 3, "B"));  // sorts after "A": line 20
  const Lines lines = ReadIndex(t, index);
  EXPECT_EQ(PageTopFor(lines, 30, 1), 20);
  EXPECT_EQ(PageTopFor(lines, 19, 1), 0);
  EXPECT_EQ(PageTopFor(lines, 19, 2), 0);  // no such key
  // Exactly 40 lines: no third page.
  EXPECT_FALSE(CanTurnForward(20, 40));
  EXPECT_TRUE(CanTurnForward(20, 41));
}

}  // namespace
}  // namespace vetra
