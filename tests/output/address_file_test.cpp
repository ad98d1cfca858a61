#include "output/address_file.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;
using Names = std::vector<std::string>;

TEST(AddressFile, WrittenTrimmedOnePerLineAndReadAsDelimitedItems) {
  TestState t;
  // A missing file is created empty without a word.
  EXPECT_EQ(LoadAddressList(t.app), Names{});
  EXPECT_EQ(t.app.lastFileError, 53);
  EXPECT_EQ(t.folder.Read("DIRECC.VTR"), "");

  WriteAddressList(t.app, {" pepe@correo.es ", "ana@peña.es", "\"Ana\" <ana@correo.es>", "a,b@c.es"});
  EXPECT_EQ(t.folder.Read("DIRECC.VTR"),
            "pepe@correo.es\r\nana@peña.es\r\n\"Ana\" <ana@correo.es>\r\na,b@c.es\r\n");
  // Quotes and commas split or strip an address on reading.
  EXPECT_EQ(LoadAddressList(t.app), (Names{"pepe@correo.es", "ana@peña.es", "Ana", "a", "b@c.es"}));
  EXPECT_EQ(t.app.lastFileError, 0);
  EXPECT_TRUE(t.reporter.messages.empty());

  // A damaged file of one huge line and many empty ones: an entry is cut to
  // the width an address can be typed with.
  t.folder.Write("DIRECC.VTR", std::string(2000000, '\r') + std::string(10000000, 'a') + "\r\nb@c.es\r\n");
  EXPECT_EQ(LoadAddressList(t.app), (Names{std::string(50, 'a'), "b@c.es"}));
}

}  // namespace
}  // namespace vetra
