#pragma once
#include <string>

namespace vetra {

struct AppState;

// The per-machine writable folder that stands for the system's own folder
// (under it lies the fallback data folder), always ending with "/". Stores
// the length of the name in systemDirectoryLength.
std::string SystemDirectory(AppState& app);

}  // namespace vetra
