#pragma once
// The data files shipped beside the program: two matchdays of the 2002/03
// season with their fixtures, the clubs of the top two divisions, an empty
// address list, and four reductions made by the engine itself, so that every
// screen has something real to show on a first start.
#include <string_view>

namespace vetra {

struct AppState;

// Writes JORNADAS.VTR, EQUIPOS.VTR, DIRECC.VTR, a new BASES.VTR and the column
// files RED0101, RED0102, RED0103 and RED0201 into the data folder. Returns 0
// or the first file error (also reported).
int WriteSampleData(AppState& app);

// Runs, in order, the reductions whose index lines `index` holds (the bytes of
// a BASES.VTR), as the reduction screen does: figures recomputed from the
// base, index line stored, columns written. Returns 0 or the first file error,
// or 13 when a line cannot be read.
int RunReductionsOf(AppState& app, std::string_view index);

}  // namespace vetra
