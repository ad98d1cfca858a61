#pragma once
// "EQUIPOS.VTR": the user's team names, one per line (file bytes).
#include <string>
#include <vector>

namespace vetra {

struct AppState;

inline constexpr const char* kTeamFile = "EQUIPOS.VTR";

// The names for the team list screen, in file order. A file that cannot be
// read is reported as "CLE" and, when missing, created empty. Sets
// lastFileError.
std::vector<std::string> LoadTeamList(AppState& app);

// The names for the drop-downs of the matchday editor: reported as "CCE", and
// a missing file is not created. Sets lastFileError.
std::vector<std::string> ReadTeamNames(AppState& app);

// Replaces the file with the names, trimmed, one per line. A failure is
// reported as "ELE", sets lastFileError and keeps the previous file.
void WriteTeamList(AppState& app, const std::vector<std::string>& names);

}  // namespace vetra
