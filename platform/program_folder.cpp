#include "platform/program_folder.h"

#include <QCoreApplication>

namespace vetra {

std::string ProgramFolder() { return QCoreApplication::applicationDirPath().toStdString(); }

}  // namespace vetra
