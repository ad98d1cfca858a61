#include "reductions/browser_view.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "reductions/column_file.h"
#include "tests/reductions/numbered_columns.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;

constexpr ScrollTrack kTrack{100, 300};

TEST(BrowserView, SlipsAndPageLimitsComeFromTheReducedBets) {
  EXPECT_EQ(SlipCountOf(8), 1);
  EXPECT_EQ(SlipCountOf(9), 2);
  EXPECT_EQ(SlipCountText(8, {".", ","}), "1 Boleto");
  EXPECT_EQ(SlipCountText(4782969, {".", ","}), "597.872 Boletos");
  EXPECT_TRUE(HasPreviousPage(25) && !HasPreviousPage(1));
}

TEST(BrowserView, TheButtonStandsOnTheTrackByPageAndDraggingPicksThePageUnderIt) {
  EXPECT_EQ(ButtonLeftForPage(23, 1, kTrack), 200);  // fewer columns than a page: the middle
  EXPECT_EQ(ButtonLeftForPage(56, 4, kTrack), 200);  // 7 slips, three pages
  EXPECT_EQ(ButtonLeftForPage(96, 7, {10, 20}), 17);  // 16.67 rounded

  // Pressed at x = 5 of a button at 150, kept within the track.
  EXPECT_EQ(DraggedButtonLeft(150, 25.4, 5, kTrack), 170);
  EXPECT_EQ(DraggedButtonLeft(150, -2.6, 5, kTrack), 142);
  EXPECT_EQ(DraggedButtonLeft(150, -400, 5, kTrack), 100);

  EXPECT_EQ(FirstColumnUnderButton(300, 48, kTrack), 25);
  // 240 columns: 140 of 200 pixels is column 48, still page 2; 141 is column 49.2, page 3.
  EXPECT_EQ(FirstColumnUnderButton(140, 240, kTrack), 25);
  EXPECT_EQ(FirstColumnUnderButton(141, 240, kTrack), 49);
}

TEST(BrowserView, APageIsReadFromItsFirstColumnWithBlanksPastTheEnd) {
  TestState t;
  t.app.currentMatchday = 3;
  t.app.currentOrder = 7;
  t.folder.Write("RED0307.VTR", testing::NumberedLines(0, 25));
  ColumnFileReader in;
  ASSERT_EQ(in.Open(t.app), 0);

  const PageRows first = ReadBrowserPage(in, 1);
  EXPECT_EQ(first[0], "1X21X21X21X21X21X21X21X2");
  EXPECT_EQ(first[1], "111XXX222111XXX222111XXX");
  EXPECT_EQ(first[13], std::string(24, '1'));

  // The second page holds one column on slip 4.
  const PageRows second = ReadBrowserPage(in, 25);
  EXPECT_EQ(second[1], "2" + std::string(23, ' '));  // column 25 is "122" and ones
  const std::vector<SlipCaption> captions = SlipCaptions(second, FirstSlipOf(25));
  ASSERT_EQ(captions.size(), 1u);
  EXPECT_EQ(captions[0].text, "Boleto 4");
  EXPECT_EQ(captions[0].x, 25);
  // Three full slips from slip 100 on: no shift for the longer numbers.
  const std::vector<SlipCaption> full = SlipCaptions(first, 100);
  ASSERT_EQ(full.size(), 3u);
  EXPECT_EQ(full[2].x, 180);
  EXPECT_EQ(full[2].text, "Boleto 102");

  EXPECT_EQ(ReadBrowserPage(in, 1), first);  // going back reads the first page again
}

TEST(BrowserView, EachSignStandsOnTheStripOfItsColumn) {
  EXPECT_EQ(SignPlaceOf(0, 14).y, 4 + 18 * 13);
  EXPECT_EQ(SignPlaceOf(8, 1).x, 95);  // two blanks after a slip's eighth column
  EXPECT_EQ(SignPlaceOf(23, 1).x, 231);
  for (int i = 0; i < kPageColumns; ++i) EXPECT_EQ(SignPlaceOf(i, 5).x, StripLeft(i / 8 + 1, i % 8 + 1)) << i;
}

}  // namespace
}  // namespace vetra
