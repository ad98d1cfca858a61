#include "platform/folder_lock.h"

#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

namespace vetra {
namespace {

// Long enough for a program that is writing its last files on leaving.
constexpr int kWaitMilliseconds = 1500;

}  // namespace

FolderLock::FolderLock(const std::string& dataFolder)
    : path_(QFile::decodeName(dataFolder.c_str()) + QStringLiteral("/") + QLatin1String(kLockFileName)),
      lock_(path_) {
  // A lock is stale only when its program is known to be gone: its age says
  // nothing, a program may stay open for days.
  lock_.setStaleLockTime(0);
}

bool FolderLock::Take() {
  if (lock_.tryLock(kWaitMilliseconds)) return true;
  // A folder where no lock file can be made (read-only media) cannot be
  // written by any other program either.
  return lock_.error() != QLockFile::LockFailedError;
}

FolderHolder FolderLock::Holder() const {
  FolderHolder holder;
  qint64 pid = 0;
  QString application;
  lock_.getLockInfo(&pid, &holder.machine, &application);
  // The lock file is the holder's own: its owner and its time of creation.
  const QFileInfo file(path_);
  holder.user = file.owner();
  holder.since = file.lastModified();
  holder.thisMachine = holder.machine.isEmpty() || holder.machine == QSysInfo::machineHostName();
  return holder;
}

bool FolderLock::TakeOver() { return lock_.removeStaleLockFile() && lock_.tryLock(0); }

}  // namespace vetra
