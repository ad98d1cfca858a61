#include "app/delimited_fields.h"

#include <gtest/gtest.h>

namespace vetra {
namespace {

TEST(DelimitedReader, FieldsEndAtCommasAndLineEnds) {
  DelimitedReader in("  Real Madrid , \"Betis, S.A.\"  ,Celta\r\nSevilla\r\n\r\n");
  std::string field;
  ASSERT_EQ(in.ReadText(field), 0);
  EXPECT_EQ(field, "Real Madrid");
  ASSERT_EQ(in.ReadText(field), 0);
  EXPECT_EQ(field, "Betis, S.A.");
  ASSERT_EQ(in.ReadText(field), 0);
  EXPECT_EQ(field, "Celta");
  ASSERT_EQ(in.ReadText(field), 0);
  EXPECT_EQ(field, "Sevilla");
  EXPECT_TRUE(in.AtEnd());
}

TEST(DelimitedReader, QuotedTextKeepsItsBlanksAndAnUnclosedQuoteRunsToTheEnd) {
  DelimitedReader in("\" 0.5\",\"abc");
  std::string field;
  ASSERT_EQ(in.ReadText(field), 0);
  EXPECT_EQ(field, " 0.5");
  ASSERT_EQ(in.ReadText(field), 0);
  EXPECT_EQ(field, "abc");
  EXPECT_EQ(in.ReadText(field), 62);
}

TEST(DelimitedReader, Integers) {
  DelimitedReader in("-12, 7 ,2.5,3.5,x1,40000,,");
  std::int16_t v = 99;
  ASSERT_EQ(in.ReadInt16(v), 0);
  EXPECT_EQ(v, -12);
  ASSERT_EQ(in.ReadInt16(v), 0);
  EXPECT_EQ(v, 7);
  ASSERT_EQ(in.ReadInt16(v), 0);
  EXPECT_EQ(v, 2);
  ASSERT_EQ(in.ReadInt16(v), 0);
  EXPECT_EQ(v, 4);
  EXPECT_EQ(in.ReadInt16(v), 13);
  EXPECT_EQ(v, 4);
  EXPECT_EQ(in.ReadInt16(v), 6);
  EXPECT_EQ(v, 4);
  ASSERT_EQ(in.ReadInt16(v), 0);  // an empty field is 0
  EXPECT_EQ(v, 0);
  EXPECT_EQ(in.ReadInt16(v), 62);
}

}  // namespace
}  // namespace vetra
