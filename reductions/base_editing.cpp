#include "reductions/base_editing.h"

namespace vetra {
namespace {

constexpr int kMargin = 3;
constexpr int kPitch = 18;
constexpr int kRowHeight = 15;
constexpr int kSignPitch = 15;
constexpr int kSignWidth = 13;
constexpr int kTotalsPitch = 18;

// The 1-based slot of `v` in a run of `count` slots of `size` every `pitch`
// from `start`, or 0 in a gap or outside.
int Slot(int v, int start, int pitch, int size, int count) {
  if (v < start) return 0;
  const int slot = (v - start) / pitch;
  return ((v - start) % pitch < size && slot < count) ? slot + 1 : 0;
}

void Recount(BaseMatch& match) {
  match.signCount = static_cast<std::int16_t>(match.signs[0] + match.signs[1] + match.signs[2]);
  if (match.signCount < 2) match.marked = 0;
}

}  // namespace

GridHit QueBaseHaPulsado(int x, int y) {
  const int match = Slot(y, kMargin, kPitch, kRowHeight, 14);
  const int sign = Slot(x, kMargin, kSignPitch, kSignWidth, 3);
  if (!match || !sign) return {};
  return {match, sign, true};
}

int QueElegidaHaPulsado(const BaseGrid& grid, int x, int y) {
  const int match = Slot(y, kMargin, kPitch, kRowHeight, 14);
  if (!match || !Slot(x, kMargin, kSignWidth, kSignWidth, 1)) return 0;
  return grid[match - 1].signCount >= 2 ? match : 0;
}

GridHit QueSignoUEDHaPulsado(int x, int y) {
  const int total = Slot(y, 0, kTotalsPitch, kTotalsPitch - 1, 15);
  const int sign = Slot(x, 0, kTotalsPitch, kTotalsPitch - 1, 3);
  if (!total || !sign) return {};
  return {total - 1, sign, true};
}

void ToggleBaseSign(BaseMatch& match, int sign) {
  auto& flag = match.signs[sign - 1];
  flag = flag ? 0 : 1;
  if (!flag && match.probable == sign) match.probable = 0;
  Recount(match);
  if (!match.marked) match.probable = 0;
}

bool ToggleMarked(BaseMatch& match) {
  if (match.signCount < 2) return false;
  match.marked = match.marked ? 0 : 1;
  if (!match.marked) match.probable = 0;
  return true;
}

bool ToggleProbable(BaseMatch& match, int sign) {
  if (!match.marked || !match.signs[sign - 1]) return false;
  match.probable = static_cast<std::int16_t>(match.probable == sign ? 0 : sign);
  return true;
}

void SelectAllSigns(BaseGrid& grid) {
  for (BaseMatch& m : grid) {
    m.signs = {1, 1, 1};
    Recount(m);
  }
}

void ClearAllSigns(BaseGrid& grid) {
  for (BaseMatch& m : grid) {
    m.signs = {0, 0, 0};
    m.probable = 0;
    Recount(m);
  }
}

}  // namespace vetra
