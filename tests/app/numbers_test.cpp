#include "app/numbers.h"

#include <gtest/gtest.h>

namespace vetra {
namespace {

TEST(Numbers, ValueOfReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(ValueOf("0.50"), 0.5);
  EXPECT_DOUBLE_EQ(ValueOf(" 1 .5x"), 1.5);
  EXPECT_DOUBLE_EQ(ValueOf(".75"), 0.75);
  EXPECT_DOUBLE_EQ(ValueOf("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(ValueOf("-3"), -3);
  EXPECT_DOUBLE_EQ(ValueOf("2e"), 2);
  EXPECT_DOUBLE_EQ(ValueOf(""), 0);
  EXPECT_DOUBLE_EQ(ValueOf("abc"), 0);
  EXPECT_DOUBLE_EQ(ValueOf("."), 0);
}

TEST(Numbers, ShortestDecimalDropsTheLeadingZero) {
  EXPECT_EQ(ShortestDecimal(0.5f), ".5");
  EXPECT_EQ(ShortestDecimal(1.25f), "1.25");
  EXPECT_EQ(ShortestDecimal(0.75f), ".75");
  EXPECT_EQ(ShortestDecimal(3.0f), "3");
  EXPECT_EQ(ShortestDecimal(0.1f), ".1");
  EXPECT_EQ(ShortestDecimal(0.0f), "0");
  EXPECT_EQ(ShortestDecimal(12.5f), "12.5");
}

TEST(Numbers, RoundingAndWidths) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(FixedWidth("1.5", 4), "1.5 ");
  EXPECT_EQ(FixedWidth("123456", 5), "12345");
  EXPECT_EQ(Trimmed("  a b  "), "a b");
  EXPECT_EQ(Trimmed("   "), "");
}

}  // namespace
}  // namespace vetra
