#include "reductions/browser_view.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "reductions/column_file.h"
#include "tests/reductions/numbered_columns.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::BytesRead;
using testing::ColumnNumber;
using testing::TestState;

constexpr ScrollTrack kTrack{100, 300};
const NumberMarks kSpanish{".", ","};

TEST(BrowserView, SlipsAndPageLimitsComeFromTheReducedBets) {
  EXPECT_EQ(SlipCountOf(8), 1);
  EXPECT_EQ(SlipCountOf(9), 2);
  EXPECT_EQ(SlipCountOf(25), 4);
  EXPECT_EQ(SlipCountOf(4782969), 597872);
  EXPECT_EQ(FirstSlipOf(1), 1);
  EXPECT_EQ(FirstSlipOf(25), 4);
  EXPECT_EQ(FirstSlipOf(49), 7);

  // 24 columns: one page, nowhere to go, nothing to drag.
  EXPECT_FALSE(HasPreviousPage(1));
  EXPECT_FALSE(HasNextPage(1, 24));
  EXPECT_FALSE(ButtonDraggable(24));
  // 25 columns: a second page, which is the last.
  EXPECT_TRUE(HasNextPage(1, 25));
  EXPECT_FALSE(HasNextPage(25, 25));
  EXPECT_TRUE(HasPreviousPage(25));
  EXPECT_TRUE(ButtonDraggable(25));

  EXPECT_EQ(SlipCountText(1, kSpanish), "1 Boleto");
  EXPECT_EQ(SlipCountText(8, kSpanish), "1 Boleto");
  EXPECT_EQ(SlipCountText(9, kSpanish), "2 Boletos");
  EXPECT_EQ(SlipCountText(25, kSpanish), "4 Boletos");
  EXPECT_EQ(SlipCountText(4782969, kSpanish), "597.872 Boletos");
}

TEST(BrowserView, TheButtonStandsOnTheTrackByPage) {
  EXPECT_EQ(ButtonLeftForPage(24, 1, kTrack), 100);  // a single page: the left end
  EXPECT_EQ(ButtonLeftForPage(23, 1, kTrack), 200);  // fewer columns than a page: the middle
  EXPECT_EQ(ButtonLeftForPage(1, 1, kTrack), 200);
  // 6 slips, two pages; 7 slips, three pages.
  EXPECT_EQ(ButtonLeftForPage(48, 1, kTrack), 100);
  EXPECT_EQ(ButtonLeftForPage(48, 4, kTrack), 300);
  EXPECT_EQ(ButtonLeftForPage(56, 1, kTrack), 100);
  EXPECT_EQ(ButtonLeftForPage(56, 4, kTrack), 200);
  EXPECT_EQ(ButtonLeftForPage(56, 7, kTrack), 300);
  // Four pages on a track of 10: 10, 13.33, 16.67, 20, rounded.
  const ScrollTrack shortTrack{10, 20};
  EXPECT_EQ(ButtonLeftForPage(96, 4, shortTrack), 13);
  EXPECT_EQ(ButtonLeftForPage(96, 7, shortTrack), 17);
  EXPECT_EQ(ButtonLeftForPage(4782969, 597871, kTrack), 300);
}

TEST(BrowserView, DraggingMovesTheButtonWithinTheTrackAndPicksThePageUnderIt) {
  // Pressed at x = 5 of a button at 150.
  EXPECT_EQ(DraggedButtonLeft(150, 25.4, 5, kTrack), 170);
  EXPECT_EQ(DraggedButtonLeft(150, 500, 5, kTrack), 300);
  EXPECT_EQ(DraggedButtonLeft(150, -2.6, 5, kTrack), 142);
  EXPECT_EQ(DraggedButtonLeft(150, -400, 5, kTrack), 100);
  EXPECT_EQ(DraggedButtonLeft(150, 5, 5, kTrack), 150);

  // The ends of the track are the first and last pages.
  EXPECT_EQ(FirstColumnUnderButton(100, 25, kTrack), 1);
  EXPECT_EQ(FirstColumnUnderButton(300, 25, kTrack), 25);
  EXPECT_EQ(FirstColumnUnderButton(300, 48, kTrack), 25);
  EXPECT_EQ(FirstColumnUnderButton(300, 49, kTrack), 49);
  EXPECT_EQ(FirstColumnUnderButton(300, 4782969, kTrack), 4782961);
  // Halfway along 25 columns is column 12.5, rounded to 12, on page 1.
  EXPECT_EQ(FirstColumnUnderButton(200, 25, kTrack), 1);
  // 240 columns (10 pages): 140 of 200 pixels is column 48, still page 2;
  // 141 is column 49.2, page 3.
  EXPECT_EQ(FirstColumnUnderButton(140, 240, kTrack), 25);
  EXPECT_EQ(FirstColumnUnderButton(141, 240, kTrack), 49);
  EXPECT_EQ(ButtonLeftForPage(240, FirstSlipOf(49), kTrack), 144);
}

TEST(BrowserView, APageIsReadFromItsFirstColumnWithBlanksPastTheEnd) {
  TestState t;
  t.app.currentMatchday = 3;
  t.app.currentOrder = 7;
  t.folder.Write("RED0307.VTR", testing::NumberedLines(0, 25));
  ColumnFileReader in;
  ASSERT_EQ(in.Open(t.app), 0);

  const PageRows first = ReadBrowserPage(in, 1);
  for (int m = 0; m < kMatches; ++m) ASSERT_EQ(first[m].size(), 24u);
  EXPECT_EQ(first[0], "1X21X21X21X21X21X21X21X2");
  EXPECT_EQ(first[1], "111XXX222111XXX222111XXX");
  EXPECT_EQ(first[13], std::string(24, '1'));

  // 25 columns: the second page holds one column on slip 4.
  const PageRows second = ReadBrowserPage(in, 25);
  EXPECT_EQ(second[0], "1" + std::string(23, ' '));
  EXPECT_EQ(second[1], "2" + std::string(23, ' '));  // column 25 is "122" and ones
  const std::vector<SlipCaption> captions = SlipCaptions(second, FirstSlipOf(25));
  ASSERT_EQ(captions.size(), 1u);
  EXPECT_EQ(captions[0].text, "Boleto 4");
  EXPECT_EQ(captions[0].x, 25);

  // Three full slips from slip 100 on: no shift for the longer numbers.
  const std::vector<SlipCaption> full = SlipCaptions(first, 100);
  ASSERT_EQ(full.size(), 3u);
  EXPECT_EQ(full[0].x, 20);
  EXPECT_EQ(full[1].x, 100);
  EXPECT_EQ(full[2].x, 180);
  EXPECT_EQ(full[2].text, "Boleto 102");

  // Going back reads the first page again.
  EXPECT_EQ(ReadBrowserPage(in, 1), first);
}

TEST(BrowserView, EachSignStandsOnTheStripOfItsColumn) {
  EXPECT_EQ(SignPlaceOf(0, 1).x, 15);
  EXPECT_EQ(SignPlaceOf(0, 1).y, 4);
  EXPECT_EQ(SignPlaceOf(0, 14).y, 4 + 18 * 13);
  EXPECT_EQ(SignPlaceOf(7, 1).x, 71);
  EXPECT_EQ(SignPlaceOf(8, 1).x, 95);   // two blanks after a slip's eighth column
  EXPECT_EQ(SignPlaceOf(23, 1).x, 231);
  for (int i = 0; i < kPageColumns; ++i) EXPECT_EQ(SignPlaceOf(i, 5).x, StripLeft(i / 8 + 1, i % 8 + 1)) << i;
  // Each slip's box starts with its first strip.
  EXPECT_EQ(SlipBoxLeft(1), 15);
  EXPECT_EQ(SlipBoxLeft(3), 175);
  EXPECT_EQ(StripLeft(3, 1), SlipBoxLeft(3));
}

// A reduction of 3^14 columns, 86 MB: the last page is read without the rest.
TEST(BrowserView, TheLastPageOfTheLargestReductionIsReadWithoutTheRest) {
  TestState t;
  constexpr long long kColumns = 4782969;
  constexpr std::int32_t kLastPage = 4782961;
  testing::WriteEnds(t.folder.File("RED0101.VTR"), kColumns, kLastPage);
  t.app.currentMatchday = 1;
  t.app.currentOrder = 1;
  ColumnFileReader in;
  ASSERT_EQ(in.Open(t.app), 0);
  ASSERT_EQ(in.ColumnCount(), kColumns);

  const long long before = BytesRead();
  const PageRows last = ReadBrowserPage(in, kLastPage);
  const long long read = BytesRead() - before;
  ASSERT_GE(before, 0);
  EXPECT_LT(read, 1 << 20);

  std::string expected;
  for (long long n = kLastPage - 1; n < kColumns; ++n) expected += ColumnNumber(n)[13];
  EXPECT_EQ(last[13], expected + std::string(15, ' '));
  const std::vector<SlipCaption> captions = SlipCaptions(last, FirstSlipOf(kLastPage));
  ASSERT_EQ(captions.size(), 2u);
  EXPECT_EQ(captions[0].text, "Boleto 597871");
  EXPECT_EQ(captions[1].text, "Boleto 597872");
}

}  // namespace
}  // namespace vetra
