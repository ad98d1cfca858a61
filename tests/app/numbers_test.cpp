#include "app/numbers.h"

#include <gtest/gtest.h>

namespace vetra {
namespace {

TEST(Numbers, LeadingValuesShortestDecimalsAndHalvesToEven) {
  EXPECT_DOUBLE_EQ(ValueOf(" 1 .5x"), 1.5);  // blanks are skipped
  EXPECT_DOUBLE_EQ(ValueOf("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(ValueOf("2e"), 2);
  EXPECT_DOUBLE_EQ(ValueOf("abc"), 0);
  EXPECT_EQ(ShortestDecimal(0.1f), ".1");
  EXPECT_EQ(ShortestDecimal(12.5f), "12.5");
  EXPECT_EQ(ShortestDecimal(3.0f), "3");
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
}

}  // namespace
}  // namespace vetra
