#pragma once
#include <string>

namespace vetra {

// The folder that holds the program file, without a trailing separator.
std::string ProgramFolder();

// The folder of the help file and the shipped data files for a program lying
// in `programFolder`: that folder itself (the build tree, or a copy of it), or
// for an installed program the read-only share folder beside its bin folder.
std::string ShippedFolder(const std::string& programFolder);

}  // namespace vetra
