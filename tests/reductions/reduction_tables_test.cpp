#include "reductions/reduction_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vetra {
namespace {

const ReductionTable& Table(char letter) { return ReductionTables()[letter - 'A']; }

// Every combination of a table's multiples lies within one sign of a row:
// that is what makes a table worth its factor, and a mistyped digit breaks it.
TEST(ReductionTables, EveryTableCoversItsCombinationsWithinOneSign) {
  int nextOffset = 0;  // the tables are consecutive runs of the strings
  for (int t = 0; t < 12; ++t) {
    const ReductionTable& table = ReductionTables()[t];
    SCOPED_TRACE(std::string(1, static_cast<char>('A' + t)));
    const int width = table.triples + table.doubles;
    EXPECT_EQ(table.offset, nextOffset);
    nextOffset += width;
    for (int s = 1; s <= width; ++s) {
      const std::string_view text = TableString(table.offset + s);
      EXPECT_EQ(static_cast<int>(text.size()), table.rows) << "string " << table.offset + s;
      // A double has no third sign to pick.
      EXPECT_EQ(text.find_first_not_of(s <= table.triples ? "123" : "12"), std::string_view::npos);
    }

    std::vector<int> combo(width, 1);
    int uncovered = 0, combinations = 0;
    for (;;) {
      ++combinations;
      bool covered = false;
      for (int r = 0; r < table.rows && !covered; ++r) {
        int differences = 0;
        for (int s = 0; s < width; ++s) differences += TableString(table.offset + s + 1)[r] - '0' != combo[s];
        covered = differences <= 1;
      }
      uncovered += !covered;
      int s = 0;
      while (s < width && ++combo[s] > (s < table.triples ? 3 : 2)) combo[s++] = 1;
      if (s == width) break;
    }
    EXPECT_EQ(uncovered, 0);
    // H and I divide by the rounded 5.33 in single precision, not by 16/3.
    EXPECT_EQ(table.factor, t == 7 || t == 8 ? 5.33f : static_cast<float>(combinations) / table.rows);
  }
}

TEST(ReductionTables, SelectionFollowsTheRulesInOrderThenTheBestFactor) {
  // T >= 4 wins over everything, then three triples with three doubles, then seven doubles.
  EXPECT_EQ(SelectReductionTable(4, 0), &Table('A'));
  EXPECT_EQ(SelectReductionTable(3, 7), &Table('B'));
  EXPECT_EQ(SelectReductionTable(2, 7), &Table('C'));
  EXPECT_EQ(SelectReductionTable(0, 0), nullptr);

  // Below those: a table the marked multiples fill, the best factor of them,
  // more triples first on a tie.
  for (int t = 0; t <= 3; ++t)
    for (int d = t == 0 ? 1 : 0; d <= (t == 3 ? 2 : 6); ++d) {
      const ReductionTable* chosen = SelectReductionTable(t, d);
      ASSERT_TRUE(chosen && chosen->triples <= t && chosen->doubles <= d) << t << " " << d;
      for (const ReductionTable& other : ReductionTables()) {
        if (other.triples > t || other.doubles > d) continue;
        EXPECT_LE(std::pair(other.factor, other.triples), std::pair(chosen->factor, chosen->triples)) << t << d;
      }
    }
}

}  // namespace
}  // namespace vetra
