#pragma once
// The arithmetic of the reduction browser: pages of three slips (24 columns)
// read from a column file at any slip, the scroll button's place on its track
// for a page and the page under a dragged button, and where the captions and
// the signs of a page stand in the columns picture. Every limit comes from
// the reduction's reducedBets, never from counting the file's lines.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/number_format.h"
#include "reductions/reduction_engine.h"

namespace vetra {

class ColumnFileReader;

inline constexpr int kPageSlips = 3;
inline constexpr int kPageColumns = 24;

// floor((reducedBets + 7) / 8).
std::int32_t SlipCountOf(std::int32_t reducedBets);

// The first slip of the page that starts at `firstColumn` (24k + 1): 3k + 1.
std::int32_t FirstSlipOf(std::int32_t firstColumn);

bool HasPreviousPage(std::int32_t firstColumn);
bool HasNextPage(std::int32_t firstColumn, std::int32_t reducedBets);

// More than one page: the scroll button can be dragged.
bool ButtonDraggable(std::int32_t reducedBets);

// The range of the scroll button's left edge, in pixels of the screen.
struct ScrollTrack {
  int left = 0;
  int right = 0;
};

// PosBoton: the button's left edge for the page whose first slip is given.
// The first page puts it at the left limit, the last at the right one; a
// reduction of fewer than 24 columns leaves it in the middle.
int ButtonLeftForPage(std::int32_t reducedBets, std::int32_t firstSlip, ScrollTrack track);

// The button's new left edge when the pointer, pressed at `startX` of the
// button, is now at `x` of it: moved by the difference, kept on the track.
int DraggedButtonLeft(int buttonLeft, double x, int startX, ScrollTrack track);

// The first column of the page under a button at `buttonLeft`: the track's
// length stands for the reduction's columns.
std::int32_t FirstColumnUnderButton(int buttonLeft, std::int32_t reducedBets, ScrollTrack track);

// One text per match: the signs of the page's columns, 24 characters, a
// column beyond the end of the file as blanks.
using PageRows = std::array<std::string, kMatches>;

// Reads the page that starts at `firstColumn` from wherever the file lies:
// one seek and at most 24 lines.
PageRows ReadBrowserPage(ColumnFileReader& reader, std::int32_t firstColumn);

// "Boleto 4" over each slip of the page that holds a column, x from the
// columns picture's left edge.
struct SlipCaption {
  int x = 0;
  std::string text;
};
std::vector<SlipCaption> SlipCaptions(const PageRows& rows, std::int32_t firstSlip);

// "27 Boletos", "1 Boleto": the slip count over the columns picture.
std::string SlipCountText(std::int32_t reducedBets, const NumberMarks& marks);

// Inside the columns picture: the left edge of the box of slip `slip`
// (1..3) and of the strip of its column `column` (1..8), and the top-left
// corner of the sign of match `match` (1..14) in column `columnInPage`
// (0..23), which stands on its strip.
inline constexpr int kStripWidth = 7;
inline constexpr int kSignPitch = 8;   // a character of the fixed-pitch text
inline constexpr int kMatchPitch = 18;
int SlipBoxLeft(int slip);
int StripLeft(int slip, int column);
struct SignPlace {
  int x = 0;
  int y = 0;
};
SignPlace SignPlaceOf(int columnInPage, int match);

}  // namespace vetra
