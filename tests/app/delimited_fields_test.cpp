#include "app/delimited_fields.h"

#include <gtest/gtest.h>

namespace vetra {
namespace {

TEST(DelimitedReader, TextFieldsEndAtCommasAndLineEnds) {
  DelimitedReader in("  Real Madrid , \"Betis, S.A.\"  ,\" 0.5\"\r\nSevilla\r\n\r\n\"abc");
  std::vector<std::string> fields;
  for (std::string field; in.ReadText(field) == 0;) fields.push_back(field);
  // Quotes keep commas and blanks; an unclosed one runs to the end.
  EXPECT_EQ(fields, (std::vector<std::string>{"Real Madrid", "Betis, S.A.", " 0.5", "Sevilla", "", "abc"}));
}

TEST(DelimitedReader, IntegersRoundHalvesToEvenAndStopAtBadFields) {
  DelimitedReader in("-12, 7 ,2.5,3.5,x1,40000,,");
  std::int16_t v = 99;
  for (int expected : {-12, 7, 2, 4}) {
    ASSERT_EQ(in.ReadInt16(v), 0);
    EXPECT_EQ(v, expected);
  }
  EXPECT_EQ(in.ReadInt16(v), 13);  // type mismatch, the value untouched
  EXPECT_EQ(in.ReadInt16(v), 6);   // overflow
  EXPECT_EQ(v, 4);
  ASSERT_EQ(in.ReadInt16(v), 0);  // an empty field is 0
  EXPECT_EQ(v, 0);
  EXPECT_EQ(in.ReadInt16(v), 62);  // input past end
}

}  // namespace
}  // namespace vetra
