#pragma once
// The hold of one program on its data folder: a lock file in the folder
// ("VETRA32.LCK"), so that a second program, on this machine or on another
// one sharing the folder, finds it taken and writes nothing there.
#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <string>

namespace vetra {

inline constexpr char kLockFileName[] = "VETRA32.LCK";

// Who holds a data folder.
struct FolderHolder {
  QString user;
  QString machine;
  QDateTime since;
  bool thisMachine = true;
};

class FolderLock {
 public:
  explicit FolderLock(const std::string& dataFolder);

  // Takes the folder, waiting a moment for a program that is just ending. A
  // lock left by a program of this machine that no longer runs is taken over
  // at once; one from another machine is never taken without TakeOver.
  bool Take();
  // Who holds the folder, after a failed Take.
  FolderHolder Holder() const;
  // Removes another machine's lock and takes the folder: only after the user
  // has confirmed that the program there no longer runs.
  bool TakeOver();

 private:
  QString path_;
  QLockFile lock_;
};

}  // namespace vetra
