// The recording printer must move its position as the real one does, since
// the listings' and slips' tests read positions from it.
#include "tests/support/recording_printer.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace vetra::testing {
namespace {

TEST(RecordingPrinter, PositionFollowsDrawingAsOnTheRealPrinter) {
  RecordingPrinter p;
  p.SetFontSize(9.75);
  EXPECT_NEAR(p.LineHeight(), 220.9, 0.1);  // Courier New 9.75 points
  p.MoveTo(2800, 11600);
  p.Print("x");
  EXPECT_EQ(p.operations.back().x, 2800);  // recorded where it starts
  EXPECT_EQ(std::pair(p.CurrentX(), p.CurrentY()), std::pair(0.0, 11600 + p.LineHeight()));
  p.Line(10, 20, 80, 150);
  EXPECT_EQ(std::pair(p.CurrentX(), p.CurrentY()), std::pair(80.0, 150.0));
  p.FillBox(8408, 919, 57, 227);
  EXPECT_EQ(std::pair(p.CurrentX(), p.CurrentY()), std::pair(8465.0, 1146.0));
  p.NewPage();
  EXPECT_EQ(std::tuple(p.Page(), p.CurrentX(), p.CurrentY()), std::tuple(2, 0.0, 0.0));
}

}  // namespace
}  // namespace vetra::testing
