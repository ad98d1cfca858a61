#include "reductions/base_editing.h"

#include <gtest/gtest.h>

namespace vetra {
namespace {

BaseMatch Match(std::array<std::int16_t, 3> signs, std::int16_t marked = 0, std::int16_t probable = 0) {
  return BaseMatch{signs, static_cast<std::int16_t>(signs[0] + signs[1] + signs[2]), marked, probable};
}

TEST(BaseEditing, HitTestsLeaveTheGapsEmpty) {
  // Match m's row: y from 3 + 18 (m - 1), 15 high; sign s: x from 3 + 15 (s - 1), 13 wide.
  const GridHit last = QueBaseHaPulsado(33 + 12, 3 + 18 * 13 + 14);
  EXPECT_TRUE(last.valid && last.row == 14 && last.column == 3);
  EXPECT_TRUE(QueBaseHaPulsado(3, 3).valid);
  for (auto [x, y] : {std::pair{16, 5}, {5, 18}, {2, 5}, {46, 10}, {10, 3 + 18 * 14}})
    EXPECT_FALSE(QueBaseHaPulsado(x, y).valid) << x << "," << y;

  BaseGrid grid{};
  grid[0] = Match({1, 1, 0});
  grid[1] = Match({1, 0, 0});
  EXPECT_EQ(QueElegidaHaPulsado(grid, 3, 3), 1);
  EXPECT_EQ(QueElegidaHaPulsado(grid, 5, 21 + 2), 0);  // a match of one sign has no box

  // Totals: cells of 17 every 18 from (0, 0), the row is the total.
  const GridHit total = QueSignoUEDHaPulsado(18 * 2 + 3, 18 * 14 + 16);
  EXPECT_TRUE(total.valid && total.row == 14 && total.column == 3);
  EXPECT_FALSE(QueSignoUEDHaPulsado(17, 5).valid);
}

TEST(BaseEditing, MarksAndProbableSignsOnlyWhereTheyMeanSomething) {
  BaseMatch m = Match({1, 1, 1}, 1, 2);
  ToggleBaseSign(m, 2);  // the probable sign goes with its sign
  EXPECT_EQ(m, Match({1, 0, 1}, 1, 0));
  ToggleBaseSign(m, 1);  // a match left with one sign loses its mark
  EXPECT_EQ(m, Match({0, 0, 1}));
  EXPECT_FALSE(ToggleMarked(m));

  BaseMatch doubled = Match({1, 0, 1});
  EXPECT_FALSE(ToggleProbable(doubled, 1));  // not marked yet
  EXPECT_TRUE(ToggleMarked(doubled));
  EXPECT_FALSE(ToggleProbable(doubled, 2));  // not one of its signs
  EXPECT_TRUE(ToggleProbable(doubled, 3));
  EXPECT_EQ(doubled.probable, 3);
  EXPECT_TRUE(ToggleMarked(doubled));  // unmarking clears the probable sign
  EXPECT_EQ(doubled.probable, 0);

  // Selecting every sign keeps marks and probable signs.
  BaseGrid grid{};
  grid[4] = Match({1, 1, 0}, 1, 1);
  SelectAllSigns(grid);
  EXPECT_EQ(grid[0], Match({1, 1, 1}));
  EXPECT_EQ(grid[4], Match({1, 1, 1}, 1, 1));
  ClearAllSigns(grid);
  EXPECT_EQ(grid[4], Match({0, 0, 0}));
}

}  // namespace
}  // namespace vetra
