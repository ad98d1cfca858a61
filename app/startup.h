#pragma once
#include <string>

namespace vetra {

struct AppState;

// Chooses the data folder of a program lying in `programFolder`: the folder
// named on the command line (`chosen`, unless empty), else the program folder
// when it holds the shipped files and can be written, else the user's own.
// Sets app.programFolder to the folder of the help file and the shipped files.
// False when the chosen folder cannot be written; other failures are ignored.
bool PrepareDataFolder(AppState& app, const std::string& programFolder, const std::string& chosen);

// The program: chooses the data folder, shows the main menu and lives in its
// event loop until the user leaves through the menu's exit.
int Main(int argc, char** argv);

}  // namespace vetra
