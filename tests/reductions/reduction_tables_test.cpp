#include "reductions/reduction_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vetra {
namespace {

const ReductionTable& Table(char letter) { return ReductionTables()[letter - 'A']; }

TEST(ReductionTables, TablesAreRunsOfTheStringsWithTheirRowsAndFactors) {
  const std::vector<std::vector<int>> shape = {
      // offset, rows, triples, doubles
      {0, 9, 4, 0},   {4, 24, 3, 3},  {10, 16, 0, 7}, {17, 3, 1, 2}, {20, 36, 2, 5}, {27, 12, 2, 3},
      {32, 24, 1, 6}, {39, 18, 1, 5}, {45, 12, 0, 6}, {51, 2, 0, 3}, {54, 1, 1, 0},  {55, 1, 0, 1}};
  const std::vector<float> factors = {9, 9, 8, 4, 8, 6, 8, 5.33f, 5.33f, 4, 3, 2};
  for (int t = 0; t < 12; ++t) {
    SCOPED_TRACE(std::string(1, static_cast<char>('A' + t)));
    const ReductionTable& table = ReductionTables()[t];
    EXPECT_EQ(table.offset, shape[t][0]);
    EXPECT_EQ(table.rows, shape[t][1]);
    EXPECT_EQ(table.triples, shape[t][2]);
    EXPECT_EQ(table.doubles, shape[t][3]);
    EXPECT_EQ(table.factor, factors[t]);
    for (int s = 1; s <= table.triples + table.doubles; ++s) {
      const std::string_view text = TableString(table.offset + s);
      EXPECT_EQ(static_cast<int>(text.size()), table.rows) << "string " << table.offset + s;
      // A double has no third sign to pick.
      EXPECT_EQ(text.find_first_not_of(s <= table.triples ? "123" : "12"), std::string_view::npos);
    }
  }
  EXPECT_NE(Table('H').factor, 16.0f / 3.0f);
  EXPECT_EQ(TableString(1), "123123123");
  EXPECT_EQ(TableString(29), "123321321123");
  EXPECT_EQ(TableString(56), "2");
  EXPECT_EQ(TableString(0), "");
  EXPECT_EQ(TableString(57), "");
}

// Every combination of a table's multiples lies within one sign of a row:
// that is what makes a table worth its factor, and a mistyped digit breaks it.
TEST(ReductionTables, EveryTableCoversItsCombinationsWithinOneSign) {
  for (const ReductionTable& table : ReductionTables()) {
    const int width = table.triples + table.doubles;
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
    EXPECT_EQ(uncovered, 0) << "table at offset " << table.offset;
    if (table.factor != 5.33f) {
      EXPECT_EQ(table.factor, static_cast<float>(combinations) / table.rows);
    }
  }
}

TEST(ReductionTables, SelectionFollowsTheRulesInOrderThenTheCatalogue) {
  // T >= 4 wins over everything, then three triples with three doubles, then seven doubles.
  EXPECT_EQ(SelectReductionTable(4, 0), &Table('A'));
  EXPECT_EQ(SelectReductionTable(14, 0), &Table('A'));
  EXPECT_EQ(SelectReductionTable(5, 9), &Table('A'));
  EXPECT_EQ(SelectReductionTable(3, 3), &Table('B'));
  EXPECT_EQ(SelectReductionTable(3, 11), &Table('B'));
  EXPECT_EQ(SelectReductionTable(2, 7), &Table('C'));
  EXPECT_EQ(SelectReductionTable(0, 14), &Table('C'));
  EXPECT_EQ(SelectReductionTable(0, 0), nullptr);

  const std::vector<std::tuple<int, int, char>> catalogue = {
      {3, 2, 'D'}, {3, 1, 'K'}, {3, 0, 'K'}, {2, 6, 'E'}, {2, 5, 'E'}, {2, 4, 'F'}, {2, 3, 'F'}, {2, 2, 'D'},
      {2, 1, 'K'}, {2, 0, 'K'}, {1, 6, 'G'}, {1, 5, 'H'}, {1, 4, 'D'}, {1, 3, 'D'}, {1, 2, 'D'}, {1, 1, 'K'},
      {1, 0, 'K'}, {0, 6, 'I'}, {0, 5, 'J'}, {0, 4, 'J'}, {0, 3, 'J'}, {0, 2, 'L'}, {0, 1, 'L'}};
  ASSERT_EQ(TableCatalogue().size(), catalogue.size());
  for (std::size_t i = 0; i < catalogue.size(); ++i) {
    const auto [t, d, letter] = catalogue[i];
    SCOPED_TRACE("record " + std::to_string(i + 1));
    EXPECT_EQ(TableCatalogue()[i].triplesMarked, t);
    EXPECT_EQ(TableCatalogue()[i].doublesMarked, d);
    EXPECT_EQ(TableCatalogue()[i].table, Table(letter));
    const ReductionTable* chosen = SelectReductionTable(t, d);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(*chosen, Table(letter));
  }
}

TEST(ReductionTables, MethodNames) {
  EXPECT_EQ(LongMethodName(1), "Método Directo               ");
  EXPECT_EQ(LongMethodName(2), "Método de Columna Probable   ");
  EXPECT_EQ(LongMethodName(3), "Método de Selección de Signos");
  EXPECT_EQ(ShortMethodName(1), "Directo            ");
  EXPECT_EQ(ShortMethodName(2), "Columna Probable   ");
  EXPECT_EQ(ShortMethodName(3), "Selección de Signos");
  EXPECT_EQ(LongMethodName(0), "");
  EXPECT_EQ(ShortMethodName(4), "");
}

}  // namespace
}  // namespace vetra
