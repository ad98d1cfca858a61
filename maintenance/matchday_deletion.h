#pragma once
// Removes everything the program keeps for a range of matchdays: their records
// in "JORNADAS.VTR", the index entries of their reductions in "BASES.VTR" and
// their reduced-column files. There is no undo and no further question.

namespace vetra {

struct AppState;

// Order numbers the index entries are freed for; an entry above them stays,
// although its column file goes with the others of the matchday.
inline constexpr int kDeletedOrders = 30;

// For each matchday from `first` to `last`, in ascending order: its record is
// overwritten with 533 blanks (a record past the end extends the file), every
// index entry of orders 1..30 is freed, and every "RED" + matchday + "*.VTR"
// is deleted. A step that fails is skipped without a word and the next one
// runs; only FreeBase reports its own errors, once per call.
void DeleteMatchdays(AppState& app, int first, int last);

}  // namespace vetra
