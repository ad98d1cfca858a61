#include "app/file_errors.h"

#include <gtest/gtest.h>

#include "app/file_io.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TempFolder;

TEST(FileErrors, MessagesFollowOnePattern) {
  const FileRoutine ljo{"LJO", "No se encuentra el fichero JORNADAS.VTR", "No existe el fichero de jornadas"};
  EXPECT_EQ(FileErrorMessage(ljo, 68, "/media/ana/USB"), "LJO ERROR 68: Unidad /media/ana/USB: no preparada");
  EXPECT_EQ(FileErrorMessage(ljo, 76, "/"), "LJO ERROR 76: No existe el fichero de jornadas");
  EXPECT_EQ(FileErrorMessage(ljo, 7, "/"), "LJO ERROR 7 : Insuficiente memoria");
  EXPECT_EQ(FileErrorMessage(ljo, 61, "/"), "LJO ERROR 61");
  EXPECT_EQ(FileErrorMessage(ljo, 53, "/"), "No se encuentra el fichero JORNADAS.VTR");
  EXPECT_EQ(FileErrorMessage(ljo, 6, "/"), "");
  EXPECT_EQ(FileErrorMessage(ljo, 0, "/"), "");

  // The routine that opens a named file: 53 is left to its caller, 6 and 76 are numbers.
  const FileRoutine named{"EQUIPOS.VTR", "", "", true};
  EXPECT_EQ(FileErrorMessage(named, 53, "/"), "");
  EXPECT_EQ(FileErrorMessage(named, 6, "/"), "EQUIPOS.VTR ERROR 6");
  EXPECT_EQ(FileErrorMessage(named, 76, "/"), "EQUIPOS.VTR ERROR 76");
}

TEST(FileErrors, DrivesAreTheMountFoldersOfRemovableMedia) {
  EXPECT_EQ(DriveOf("/media/ana/USB/datos/BASES.VTR"), "/media/ana/USB");
  EXPECT_EQ(DriveOf("/run/media/ana/DISCO/x"), "/run/media/ana/DISCO");
  EXPECT_EQ(DriveOf("/mnt/floppy/RED0101.VTR"), "/mnt/floppy");
  EXPECT_EQ(DriveOf("/home/ana/vetra"), "/");
}

TEST(FileErrors, SystemErrorsMapToTheProgramsNumbers) {
  TempFolder t;
  std::string bytes;
  EXPECT_EQ(ReadFileBytes(t.File("NADA.VTR"), bytes), 53);
  EXPECT_EQ(ReadFileBytes(t.File("falta/NADA.VTR"), bytes), 76);
  EXPECT_EQ(ReadFileBytes("/media/vetra32-no-such-user/NO-DRIVE/BASES.VTR", bytes), 68);
  EXPECT_EQ(ReadFileBytes(t.Path(), bytes), 75);  // a folder is not a file
  auto number = [](std::errc e) { return ErrorNumberFor(std::make_error_code(e), "/tmp/x"); };
  EXPECT_EQ(number(std::errc::no_space_on_device), 61);
  EXPECT_EQ(number(std::errc::read_only_file_system), 70);
  EXPECT_EQ(number(std::errc::permission_denied), 70);
  EXPECT_EQ(number(std::errc::not_enough_memory), 7);
  EXPECT_EQ(number(std::errc::no_such_device), 68);
}

}  // namespace
}  // namespace vetra
