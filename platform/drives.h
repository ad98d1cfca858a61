#pragma once
// The drives a copy can go to: the mounted removable media, then the user's
// home. Each is its folder ending with "/", so that it goes right in front of
// a file name.
#include <string>
#include <vector>

namespace vetra {

std::vector<std::string> DriveList();

// Tests list their own folders; an empty list gives the system's drives back.
void SetDrivesForTesting(std::vector<std::string> drives);

}  // namespace vetra
