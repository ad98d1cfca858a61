#include "platform/drives.h"

#include <QDir>
#include <QStorageInfo>

namespace vetra {
namespace {

std::vector<std::string>& TestDrives() {
  static std::vector<std::string> drives;
  return drives;
}

bool Under(const QString& root, std::initializer_list<const char*> places) {
  for (const char* place : places)
    if (root.startsWith(QLatin1String(place))) return true;
  return false;
}

// Where the desktop mounts the media a user plugs in, in a folder named after
// the medium's label.
bool IsUserMedium(const QStorageInfo& volume) { return Under(volume.rootPath(), {"/media/", "/run/media/"}); }

// A disk mounted by hand under /mnt; the system's own mounts there (memory,
// bound folders) have no device file.
bool IsMountedDisk(const QStorageInfo& volume) {
  return Under(volume.rootPath(), {"/mnt/"}) && volume.device().startsWith("/dev/");
}

std::string AsDrive(const QString& folder) {
  QString drive = QDir::cleanPath(folder);
  if (!drive.endsWith(QLatin1Char('/'))) drive += QLatin1Char('/');
  return drive.toStdString();
}

}  // namespace

std::vector<std::string> DriveList() {
  if (!TestDrives().empty()) return TestDrives();
  std::vector<std::string> drives, disks;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    if (IsUserMedium(volume)) drives.push_back(AsDrive(volume.rootPath()));
    if (IsMountedDisk(volume)) disks.push_back(AsDrive(volume.rootPath()));
  }
  drives.push_back(AsDrive(QDir::homePath()));
  drives.insert(drives.end(), disks.begin(), disks.end());
  return drives;
}

void SetDrivesForTesting(std::vector<std::string> drives) { TestDrives() = std::move(drives); }

}  // namespace vetra
