#pragma once
// The drives a copy can go to: the media the user plugged in, then the
// user's home, then disks mounted by hand under /mnt. Each is its folder
// ending with "/", so that it goes right in front of a file name.
#include <string>
#include <vector>

namespace vetra {

std::vector<std::string> DriveList();

// Tests list their own folders; an empty list gives the system's drives back.
void SetDrivesForTesting(std::vector<std::string> drives);

}  // namespace vetra
