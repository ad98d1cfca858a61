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

}  // namespace vetra
