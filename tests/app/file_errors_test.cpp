#include "app/file_errors.h"

#include <gtest/gtest.h>

#include "app/file_io.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

TEST(FileErrors, MessagesFollowOnePattern) {
  const FileRoutine ljo{"LJO", "No se encuentra el fichero JORNADAS.VTR", ""};
  EXPECT_EQ(FileErrorMessage(ljo, 68, "/media/ana/USB"), "LJO ERROR 68: Unidad /media/ana/USB: no preparada");
  EXPECT_EQ(FileErrorMessage(ljo, 7, "/"), "LJO ERROR 7 : Insuficiente memoria");
  EXPECT_EQ(FileErrorMessage(ljo, 76, "/"), "LJO ERROR 76");
  EXPECT_EQ(FileErrorMessage(ljo, 6, "/"), "");  // overflow is silent but for a named file
  EXPECT_EQ(FileErrorMessage(FileRoutine{"EQUIPOS.VTR", "", "", true}, 6, "/"), "EQUIPOS.VTR ERROR 6");
}

TEST(FileErrors, SystemErrorsMapToTheProgramsNumbers) {
  EXPECT_EQ(DriveOf("/media/ana/USB/datos/BASES.VTR"), "/media/ana/USB");
  EXPECT_EQ(DriveOf("/run/media/ana/DISCO/x"), "/run/media/ana/DISCO");
  EXPECT_EQ(DriveOf("/mnt/floppy/RED0101.VTR"), "/mnt/floppy");
  EXPECT_EQ(DriveOf("/home/ana/vetra"), "/");

  testing::TempFolder t;
  std::string bytes;
  EXPECT_EQ(ReadFileBytes(t.File("NADA.VTR"), bytes), 53);
  EXPECT_EQ(ReadFileBytes(t.File("falta/NADA.VTR"), bytes), 76);
  EXPECT_EQ(ReadFileBytes("/media/vetra32-no-such-user/NO-DRIVE/BASES.VTR", bytes), 68);
  EXPECT_EQ(ReadFileBytes(t.Path(), bytes), 75);  // a folder is not a file
  // What the tests cannot provoke for real.
  for (auto [e, number] : {std::pair{std::errc::no_space_on_device, 61}, {std::errc::read_only_file_system, 70},
                           {std::errc::permission_denied, 70}, {std::errc::not_enough_memory, 7}})
    EXPECT_EQ(ErrorNumberFor(std::make_error_code(e), "/tmp/x"), number);
}

}  // namespace
}  // namespace vetra
