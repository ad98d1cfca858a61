#pragma once

namespace vetra {

struct AppState;

// Opens the program's help at a topic number; 0 opens the default page.
void ShowHelp(const AppState& app, int topic = 0);

}  // namespace vetra
