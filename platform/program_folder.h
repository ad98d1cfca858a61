#pragma once
#include <string>

namespace vetra {

// The folder that holds the program file, without a trailing separator.
std::string ProgramFolder();

}  // namespace vetra
