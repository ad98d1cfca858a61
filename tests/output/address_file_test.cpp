#include "output/address_file.h"

#include <gtest/gtest.h>

#include "app/file_io.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;
using Names = std::vector<std::string>;

TEST(AddressFile, AddressesAreWrittenTrimmedAndReadBackInFileOrder) {
  TestState t;
  WriteAddressList(t.app, {" pepe@correo.es ", "ana@peña.es", "\"Ana\" <ana@correo.es>", "a,b@c.es"});
  EXPECT_EQ(t.app.lastFileError, 0);
  EXPECT_EQ(t.folder.Read("DIRECC.VTR"),
            "pepe@correo.es\r\nana@peña.es\r\n\"Ana\" <ana@correo.es>\r\na,b@c.es\r\n");
  // Quotes and commas split or strip an address on reading.
  EXPECT_EQ(LoadAddressList(t.app), (Names{"pepe@correo.es", "ana@peña.es", "Ana", "a", "b@c.es"}));
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(AddressFile, AMissingFileIsCreatedEmptyWithoutAWord) {
  TestState t;
  EXPECT_EQ(LoadAddressList(t.app), Names{});
  EXPECT_TRUE(t.reporter.messages.empty());
  EXPECT_EQ(t.app.lastFileError, 53);
  EXPECT_TRUE(t.folder.Exists("DIRECC.VTR"));
  EXPECT_EQ(t.folder.Read("DIRECC.VTR"), "");

  LoadAddressList(t.app);
  EXPECT_EQ(t.app.lastFileError, 0);
}

TEST(AddressFile, ReadErrorsCarryTheirOwnCodes) {
  TestState t;
  t.folder.Write("DIRECC.VTR/inside", "x");
  LoadAddressList(t.app);
  t.app.dataFolder = t.folder.File("gone");
  LoadAddressList(t.app);
  EXPECT_EQ(t.reporter.messages,
            (Names{"CLDE ERROR 75", "CLD ERROR 76: No existe el fichero de direcciones DIRECC.VTR"}));
  EXPECT_EQ(t.app.lastFileError, 76);
}

TEST(AddressFile, AFailedSaveIsReportedAndKeepsThePreviousList) {
  TestState t;
  t.folder.Write("DIRECC.VTR", "pepe@correo.es\r\n");
  FileFaultsForTesting().bytesBeforeDiskFull = 5;
  WriteAddressList(t.app, {"ana@correo.es"});
  FileFaultsForTesting() = {};
  FileFaultsForTesting().readOnlyFolders = {t.folder.Path()};
  WriteAddressList(t.app, {"ana@correo.es"});
  FileFaultsForTesting() = {};
  EXPECT_EQ(t.reporter.messages, (Names{"ELD ERROR 61", "ELD ERROR 70"}));
  EXPECT_EQ(t.folder.Read("DIRECC.VTR"), "pepe@correo.es\r\n");
  EXPECT_FALSE(t.folder.Exists("DIRECC.VTR.~tmp"));
}

}  // namespace
}  // namespace vetra
