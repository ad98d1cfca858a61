#include "app/cp1252.h"

#include <gtest/gtest.h>

namespace vetra {
namespace {

TEST(Cp1252, RoundTripSpanishTextAndUnmappableCharacters) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Utf8ToCp1252("Año 2€ Método"), "A\xF1o 2\x80 M\xE9todo");
  EXPECT_EQ(Cp1252ToUtf8("REDUCCI\xD3N \x93" "1\x94"), "REDUCCIÓN “1”");
  // Outside the code page, and broken UTF-8, become "?".
  EXPECT_EQ(Utf8ToCp1252("€ ⚽ \xC3"), "\x80 ? ?");
}

}  // namespace
}  // namespace vetra
