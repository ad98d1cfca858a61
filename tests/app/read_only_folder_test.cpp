#include <gtest/gtest.h>

#include "app/file_errors.h"
#include "app/file_io.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TempFolder;

// Every way a file changes is refused inside the protected folder, and only
// there.
TEST(ProtectFolder, NoWriteChangesAByteOfTheProtectedFolder) {
  TempFolder data, other;
  data.Write("BASES.VTR", "index");
  data.Write("sub/RED0101.VTR", "columns");
  ProtectFolder(data.Path() + "/");
  const std::string base = data.File("BASES.VTR");
  EXPECT_EQ(WriteFileReplacing(base, "x"), err::kReadOnlyFolder);
  EXPECT_EQ(WriteFileAt(base, 0, "x"), err::kReadOnlyFolder);
  EXPECT_EQ(WriteFileAt(data.File("NEW.VTR"), 0, "x"), err::kReadOnlyFolder);
  EXPECT_EQ(WriteFileReplacing(data.File("sub/RED0101.VTR"), "x"), err::kReadOnlyFolder);
  EXPECT_EQ(RemoveFile(base), err::kReadOnlyFolder);
  EXPECT_EQ(CreateFolder(data.File("copia")), err::kReadOnlyFolder);
  EXPECT_EQ(CopyFileTo(other.File("none"), base), err::kFileNotFound);
  other.Write("A.TXT", "a");
  EXPECT_EQ(CopyFileTo(other.File("A.TXT"), data.File("A.TXT")), err::kReadOnlyFolder);
  ReplacingFileWriter writer;
  EXPECT_EQ(writer.Open(base), err::kReadOnlyFolder);
  EXPECT_NE(writer.Commit(), 0);

  // Reading and copying out are free.
  std::string bytes;
  EXPECT_EQ(ReadFileBytes(base, bytes), 0);
  EXPECT_EQ(CopyFileTo(base, other.File("BASES.VTR")), 0);
  EXPECT_EQ(WriteFileReplacing(data.Path() + "-other/X.VTR", "x"), err::kPathNotFound);  // a name that only begins alike
  ProtectFolder("");
  EXPECT_EQ(data.Read("BASES.VTR"), "index");
  EXPECT_EQ(data.Read("sub/RED0101.VTR"), "columns");
  EXPECT_FALSE(data.Exists("NEW.VTR") || data.Exists("A.TXT") || data.Exists("copia") ||
               data.Exists("BASES.VTR.~tmp"));
  EXPECT_EQ(WriteFileReplacing(base, "new"), 0);
}

}  // namespace
}  // namespace vetra
