#pragma once
// The order of the team names in the team list and in the drop-downs of the
// matchday editor (file bytes, Windows-1252): letters compared without regard
// to case or accents, "ñ" after "n" as in a Spanish dictionary, and names
// equal in that sense ordered by their bytes so that the order is total.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vetra {

bool TeamNameLess(std::string_view a, std::string_view b);

void SortTeamNames(std::vector<std::string>& names);

// Whether the list already holds `name`: outer blanks, case and accents
// aside ("Alavés" and " alaves" are the same team).
bool HasTeamName(const std::vector<std::string>& names, std::string_view name);

// Puts `name` at its sorted place, after any equal name; returns its index.
std::size_t InsertTeamName(std::vector<std::string>& names, std::string name);

}  // namespace vetra
