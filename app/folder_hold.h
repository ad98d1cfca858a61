#pragma once
// One program at a time writes in a data folder.

namespace vetra {

struct AppState;
class FolderLock;

// Takes the data folder for this program. When another program holds it,
// says who and since when and lets the user open it for reading only (then
// file_io refuses every write into it) or leave; another machine's hold may be
// taken over after a clear question. False when the user leaves.
bool HoldDataFolder(AppState& app, FolderLock& lock);

}  // namespace vetra
