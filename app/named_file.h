#pragma once
#include <string>

namespace vetra {

struct AppState;

// Reads the whole file that app.fileToOpen names in the data folder. Sets
// lastFileError; a missing file (53) is left to the caller to report in its
// own words, every other error is reported under the file's name.
std::string OpenNamedFile(AppState& app);

}  // namespace vetra
