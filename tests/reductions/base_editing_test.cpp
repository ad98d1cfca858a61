#include "reductions/base_editing.h"

#include <gtest/gtest.h>

namespace vetra {
namespace {

BaseMatch Match(std::array<std::int16_t, 3> signs, std::int16_t marked = 0, std::int16_t probable = 0) {
  BaseMatch m;
  m.signs = signs;
  m.signCount = static_cast<std::int16_t>(signs[0] + signs[1] + signs[2]);
  m.marked = marked;
  m.probable = probable;
  return m;
}

TEST(BaseEditing, HitTestsLeaveTheGapsEmpty) {
  // Match m's row: y from 3 + 18 (m - 1), 15 high; sign s: x from 3 + 15 (s - 1), 13 wide.
  EXPECT_TRUE(QueBaseHaPulsado(3, 3).valid);
  EXPECT_EQ(QueBaseHaPulsado(3, 3).row, 1);
  EXPECT_EQ(QueBaseHaPulsado(15, 17).column, 1);
  EXPECT_FALSE(QueBaseHaPulsado(16, 5).valid);  // between the signs
  EXPECT_FALSE(QueBaseHaPulsado(5, 18).valid);  // between the rows
  EXPECT_FALSE(QueBaseHaPulsado(2, 5).valid);
  const GridHit last = QueBaseHaPulsado(33 + 12, 3 + 18 * 13 + 14);
  EXPECT_TRUE(last.valid);
  EXPECT_EQ(last.row, 14);
  EXPECT_EQ(last.column, 3);
  EXPECT_FALSE(QueBaseHaPulsado(46, 10).valid);
  EXPECT_FALSE(QueBaseHaPulsado(10, 3 + 18 * 14).valid);

  BaseGrid grid{};
  grid[0] = Match({1, 1, 0});
  grid[1] = Match({1, 0, 0});
  EXPECT_EQ(QueElegidaHaPulsado(grid, 3, 3), 1);
  EXPECT_EQ(QueElegidaHaPulsado(grid, 16, 3), 0);
  EXPECT_EQ(QueElegidaHaPulsado(grid, 5, 21 + 2), 0);  // a match of one sign has no box

  // Totals: cells of 17 every 18 from (0, 0), the row is the total.
  EXPECT_EQ(QueSignoUEDHaPulsado(0, 0).row, 0);
  EXPECT_TRUE(QueSignoUEDHaPulsado(0, 0).valid);
  EXPECT_FALSE(QueSignoUEDHaPulsado(17, 5).valid);
  EXPECT_EQ(QueSignoUEDHaPulsado(18 * 2 + 3, 18 * 14 + 16).row, 14);
  EXPECT_EQ(QueSignoUEDHaPulsado(18 * 2 + 3, 18 * 14 + 16).column, 3);
  EXPECT_FALSE(QueSignoUEDHaPulsado(54, 5).valid);
}

TEST(BaseEditing, AMatchLeftWithOneSignLosesItsMarkAndProbableSign) {
  BaseMatch m = Match({1, 1, 0}, 1, 2);
  ToggleBaseSign(m, 3);
  EXPECT_EQ(m.signCount, 3);
  EXPECT_EQ(m.marked, 1);
  EXPECT_EQ(m.probable, 2);
  ToggleBaseSign(m, 2);  // the probable sign goes
  EXPECT_EQ(m.probable, 0);
  EXPECT_EQ(m.marked, 1);
  ToggleBaseSign(m, 1);
  EXPECT_EQ(m.signCount, 1);
  EXPECT_EQ(m.marked, 0);
  ToggleBaseSign(m, 3);
  EXPECT_EQ(m.signCount, 0);
  EXPECT_EQ(m.signs, (std::array<std::int16_t, 3>{0, 0, 0}));
}

TEST(BaseEditing, MarksAndProbableSignsOnlyWhereTheyMeanSomething) {
  BaseMatch single = Match({1, 0, 0});
  EXPECT_FALSE(ToggleMarked(single));
  EXPECT_EQ(single.marked, 0);
  EXPECT_FALSE(ToggleProbable(single, 1));

  BaseMatch doubled = Match({1, 0, 1});
  EXPECT_FALSE(ToggleProbable(doubled, 1));  // not marked yet
  EXPECT_TRUE(ToggleMarked(doubled));
  EXPECT_FALSE(ToggleProbable(doubled, 2));  // not one of its signs
  EXPECT_TRUE(ToggleProbable(doubled, 3));
  EXPECT_EQ(doubled.probable, 3);
  EXPECT_TRUE(ToggleProbable(doubled, 3));
  EXPECT_EQ(doubled.probable, 0);
  EXPECT_TRUE(ToggleProbable(doubled, 1));
  EXPECT_TRUE(ToggleMarked(doubled));  // unmarking clears the probable sign
  EXPECT_EQ(doubled.probable, 0);

  BaseGrid grid{};
  grid.fill(Match({0, 1, 0}));
  grid[4] = Match({1, 1, 0}, 1, 1);
  SelectAllSigns(grid);
  for (const BaseMatch& m : grid) EXPECT_EQ(m.signCount, 3);
  EXPECT_EQ(grid[4].marked, 1);
  EXPECT_EQ(grid[4].probable, 1);
  ClearAllSigns(grid);
  for (const BaseMatch& m : grid) EXPECT_EQ(m, Match({0, 0, 0}));
}

}  // namespace
}  // namespace vetra
