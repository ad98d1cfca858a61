#include "platform/drives.h"

#include <QDir>
#include <QStorageInfo>

namespace vetra {
namespace {

std::vector<std::string>& TestDrives() {
  static std::vector<std::string> drives;
  return drives;
}

// Where the system mounts removable media; the same places DriveOf knows.
bool IsRemovableMount(const QString& root) {
  for (const char* place : {"/media/", "/run/media/", "/mnt/"})
    if (root.startsWith(QLatin1String(place))) return true;
  return false;
}

std::string AsDrive(const QString& folder) {
  QString drive = QDir::cleanPath(folder);
  if (!drive.endsWith(QLatin1Char('/'))) drive += QLatin1Char('/');
  return drive.toStdString();
}

}  // namespace

std::vector<std::string> DriveList() {
  if (!TestDrives().empty()) return TestDrives();
  std::vector<std::string> drives;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (volume.isValid() && volume.isReady() && IsRemovableMount(volume.rootPath()))
      drives.push_back(AsDrive(volume.rootPath()));
  drives.push_back(AsDrive(QDir::homePath()));
  return drives;
}

void SetDrivesForTesting(std::vector<std::string> drives) { TestDrives() = std::move(drives); }

}  // namespace vetra
