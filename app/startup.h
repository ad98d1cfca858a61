#pragma once

namespace vetra {

// The program: chooses the data folder, shows the main menu and lives in its
// event loop until the user leaves through the menu's exit.
int Main(int argc, char** argv);

}  // namespace vetra
