#pragma once
// What a click does to the base of a reduction: where it lands on the grids
// and how the touched match changes.
#include "app/app_state.h"

namespace vetra {

// A cell of a grid; 0 for a click in a gap or outside.
struct GridHit {
  int row = 0;     // match 1..14, or total 0..14 in the totals grid (then valid tells)
  int column = 0;  // sign 1..3
  bool valid = false;
};

// The base and probable-column grids: rows of 15 every 18 units from y = 3,
// sign cells of 13 every 15 units from x = 3.
GridHit QueBaseHaPulsado(int x, int y);
// The check boxes, 13 wide at x = 3: the match, or 0 unless it is a multiple.
int QueElegidaHaPulsado(const BaseGrid& grid, int x, int y);
// The totals grid: cells of 17 every 18 units from (0, 0); row is the total.
GridHit QueSignoUEDHaPulsado(int x, int y);

// Adds or removes one sign of the base. A match left with fewer than two signs
// is no longer marked; removing the probable sign clears it.
void ToggleBaseSign(BaseMatch& match, int sign);
// Marks or unmarks a multiple for reduction; false (nothing done) for a match
// of one sign. Unmarking clears the probable sign.
bool ToggleMarked(BaseMatch& match);
// Makes `sign` the probable sign, or clears it when it already was; only on a
// marked match that carries the sign (false otherwise).
bool ToggleProbable(BaseMatch& match, int sign);
// Every match a triple / every match without signs, probable sign or mark.
void SelectAllSigns(BaseGrid& grid);
void ClearAllSigns(BaseGrid& grid);

}  // namespace vetra
