#pragma once
#include <string>

namespace vetra {

// The user's own data folder for Vetra32 ($XDG_DATA_HOME/Vetra32, normally
// ~/.local/share/Vetra32), ending with "/": the data folder when the program
// folder cannot be written. Created readable by its owner alone when missing.
std::string UserDataFolder();

}  // namespace vetra
