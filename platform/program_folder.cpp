#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace vetra {

std::string ProgramFolder() { return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString(); }

std::string ShippedFolder(const std::string& programFolder) {
  // VETRA_INSTALLED_SHIPPED_FOLDER is the share folder relative to the
  // installed bin folder, so that an installation can be moved whole.
  const QDir installed(QFile::decodeName(programFolder.c_str()) + QStringLiteral("/" VETRA_INSTALLED_SHIPPED_FOLDER));
  if (installed.exists(QStringLiteral("VETRA32.CHM"))) return QFile::encodeName(installed.absolutePath()).toStdString();
  return programFolder;
}

}  // namespace vetra
