#include "reductions/browser_view.h"

#include <algorithm>

#include "app/numbers.h"
#include "reductions/column_file.h"

namespace vetra {
namespace {

constexpr int kSlipColumnsShown = 8;
constexpr int kSlipPitch = 80;     // pixels from one slip to the next in the picture
constexpr int kTextLeft = 15;      // of each match's line of signs
constexpr int kTextTop = 4;
constexpr int kStripOrigin = 7;   // column c of a slip starts 8c further
constexpr int kSlipGap = 2;        // blanks between the slips in a line
constexpr int kCaptionLeft = 20;
constexpr int kShortCaptionShift = 5;  // numbers below 100 are narrower

// Floor division, for column numbers that may reach 0 or below.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

std::int32_t SlipCountOf(std::int32_t reducedBets) {
  return static_cast<std::int32_t>((static_cast<std::int64_t>(reducedBets) + kSlipColumnsShown - 1) /
                                   kSlipColumnsShown);
}

std::int32_t FirstSlipOf(std::int32_t firstColumn) { return SlipCountOf(firstColumn); }

bool HasPreviousPage(std::int32_t firstColumn) { return firstColumn != 1; }

bool HasNextPage(std::int32_t firstColumn, std::int32_t reducedBets) {
  return static_cast<std::int64_t>(firstColumn) + kPageColumns <= reducedBets;
}

bool ButtonDraggable(std::int32_t reducedBets) { return reducedBets > kPageColumns; }

int ButtonLeftForPage(std::int32_t reducedBets, std::int32_t firstSlip, ScrollTrack track) {
  const std::int32_t pages = (SlipCountOf(reducedBets) + kPageSlips - 1) / kPageSlips;
  const std::int32_t steps = pages - 1;
  const std::int32_t page = (firstSlip - 1) / kPageSlips;
  const double span = track.right - track.left;
  double x = track.left;
  if (reducedBets < kPageColumns)
    x = track.left + span / 2;
  else if (steps > 0)
    x = track.left + span / steps * page;
  return static_cast<int>(RoundHalfEven(x));
}

int DraggedButtonLeft(int buttonLeft, double x, int startX, ScrollTrack track) {
  if (x > startX) return static_cast<int>(std::min<long long>(RoundHalfEven(x - startX + buttonLeft), track.right));
  if (x < startX) return static_cast<int>(std::max<long long>(RoundHalfEven(buttonLeft - (startX - x)), track.left));
  return buttonLeft;
}

std::int32_t FirstColumnUnderButton(int buttonLeft, std::int32_t reducedBets, ScrollTrack track) {
  if (track.right == track.left) return 1;
  const long long f =
      RoundHalfEven(static_cast<double>(reducedBets) * (buttonLeft - track.left) / (track.right - track.left));
  const std::int64_t first = FloorDiv(f - 1, kPageColumns) * kPageColumns + 1;
  return static_cast<std::int32_t>(std::max<std::int64_t>(first, 1));
}

PageRows ReadBrowserPage(ColumnFileReader& reader, std::int32_t firstColumn) {
  PageRows rows;
  for (std::string& row : rows) row.reserve(kPageColumns);
  reader.SeekColumn(firstColumn);
  std::string column;
  bool more = true;
  for (int i = 0; i < kPageColumns; ++i) {
    if (more) more = reader.Next(column);
    const std::string signs = FixedWidth(more ? column : std::string(), kColumnLength);
    for (int m = 0; m < kMatches; ++m) rows[m] += signs[m];
  }
  return rows;
}

std::vector<SlipCaption> SlipCaptions(const PageRows& rows, std::int32_t firstSlip) {
  std::vector<SlipCaption> captions;
  const int shift = firstSlip < 100 ? kShortCaptionShift : 0;
  for (int s = 0; s < kPageSlips; ++s)
    if (rows[0][kSlipColumnsShown * s] != ' ')
      captions.push_back({kCaptionLeft + kSlipPitch * s + shift, "Boleto " + std::to_string(firstSlip + s)});
  return captions;
}

std::string SlipCountText(std::int32_t reducedBets, const NumberMarks& marks) {
  const bool one = reducedBets < kSlipColumnsShown + 1;
  return FormatNumber(SlipCountOf(reducedBets), "###,###", marks) + (one ? " Boleto" : " Boletos");
}

int SlipBoxLeft(int slip) { return kSlipPitch * (slip - 1) + kTextLeft; }

int StripLeft(int slip, int column) { return kSlipPitch * (slip - 1) + kStripOrigin + kSignPitch * column; }

SignPlace SignPlaceOf(int columnInPage, int match) {
  // The line of a match is its three slips' signs with two blanks between them.
  const int character = columnInPage + kSlipGap * (columnInPage / kSlipColumnsShown);
  return {kTextLeft + kSignPitch * character, kTextTop + kMatchPitch * (match - 1)};
}

}  // namespace vetra
