#include "reductions/reduction_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vetra {
namespace {

const ReductionTable& Table(char letter) { return ReductionTables()[letter - 'A']; }

// Every combination of a table's multiples lies within one sign of a row:
// that is what makes a table worth its factor, and a mistyped digit breaks it.
TEST(ReductionTables, EveryTableCoversItsCombinationsWithinOneSign) {
  const int multiples[12][2] = {{4, 0}, {3, 3}, {0, 7}, {1, 2}, {2, 5}, {2, 3},
                                {1, 6}, {1, 5}, {0, 6}, {0, 3}, {1, 0}, {0, 1}};  // triples, doubles
  int nextOffset = 0;  // the tables are consecutive runs of the strings
  for (int t = 0; t < 12; ++t) {
    const ReductionTable& table = ReductionTables()[t];
    SCOPED_TRACE(std::string(1, static_cast<char>('A' + t)));
    EXPECT_EQ(table.triples, multiples[t][0]);
    EXPECT_EQ(table.doubles, multiples[t][1]);
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

TEST(ReductionTables, SelectionFollowsTheRulesInOrderThenTheCatalogue) {
  // T >= 4 wins over everything, then three triples with three doubles, then seven doubles.
  EXPECT_EQ(SelectReductionTable(4, 0), &Table('A'));
  EXPECT_EQ(SelectReductionTable(5, 9), &Table('A'));
  EXPECT_EQ(SelectReductionTable(3, 11), &Table('B'));
  EXPECT_EQ(SelectReductionTable(2, 7), &Table('C'));
  EXPECT_EQ(SelectReductionTable(0, 14), &Table('C'));
  EXPECT_EQ(SelectReductionTable(0, 0), nullptr);

  const std::vector<std::tuple<int, int, char>> catalogue = {
      {3, 2, 'D'}, {3, 1, 'K'}, {3, 0, 'K'}, {2, 6, 'E'}, {2, 5, 'E'}, {2, 4, 'F'}, {2, 3, 'F'}, {2, 2, 'D'},
      {2, 1, 'K'}, {2, 0, 'K'}, {1, 6, 'G'}, {1, 5, 'H'}, {1, 4, 'D'}, {1, 3, 'D'}, {1, 2, 'D'}, {1, 1, 'K'},
      {1, 0, 'K'}, {0, 6, 'I'}, {0, 5, 'J'}, {0, 4, 'J'}, {0, 3, 'J'}, {0, 2, 'L'}, {0, 1, 'L'}};
  for (const auto& [t, d, letter] : catalogue) {
    const ReductionTable* chosen = SelectReductionTable(t, d);
    ASSERT_NE(chosen, nullptr) << t << " " << d;
    EXPECT_EQ(*chosen, Table(letter)) << t << " " << d;
  }
}

}  // namespace
}  // namespace vetra
