#include "platform/system_folders.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace vetra {

std::string UserDataFolder() {
  // Under the user's home, never shared with other users nor emptied by the
  // system's cleaning of temporary files.
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  const QString folder = base + QStringLiteral("/Vetra32");
  if (!QDir(folder).exists() && QDir().mkpath(base) && QDir().mkdir(folder))
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  return QFile::encodeName(folder).toStdString() + "/";
}

}  // namespace vetra
