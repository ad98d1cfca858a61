#include "app/number_format.h"

#include <gtest/gtest.h>

namespace vetra {
namespace {

const NumberMarks kSpanish{".", ","};
const NumberMarks kEnglish{",", "."};

TEST(NumberFormat, GroupingGoesOnPastThePatternAndZeroMayWriteNothing) {
  EXPECT_EQ(FormatNumber(-1234.5, "#,###,##0.00", kEnglish), "-1,234.50");
  EXPECT_EQ(FormatNumber(999.999, "#,###,##0.00", kSpanish), "1.000,00");
  EXPECT_EQ(FormatNumber(12345678901.0, "#,###,##0.00", kSpanish), "12.345.678.901,00");
  EXPECT_EQ(FormatNumber(1234.5, "##0.00", kSpanish), "1234,50");
  EXPECT_EQ(FormatNumber(0, "#0", kSpanish), "0");
  EXPECT_EQ(FormatNumber(0.4, "###,###", kEnglish), "");  // no "0" place
  // A grouping mark of several bytes (a narrow no-break space).
  EXPECT_EQ(FormatNumber(1234567, "#,###,###", {"\u202f", ","}), "1\u202f234\u202f567");
}

TEST(NumberFormat, HalvesRoundAwayFromZeroAtTheDecimalsShown) {
  EXPECT_EQ(FormatNumber(-3.125, "##0.00", kSpanish), "-3,13");
  EXPECT_EQ(FormatNumber(2.5, "#0", kSpanish), "3");
  // Read as its decimal text, 4.505 is a half, though its binary value lies below.
  EXPECT_EQ(FormatNumber(4.505, "#,###,##0.00", kSpanish), "4,51");
  // A price held in single precision times a count.
  EXPECT_EQ(FormatNumber(static_cast<double>(0.35f) * 3, "#,###,##0.00", kSpanish), "1,05");
  EXPECT_EQ(FormatNumber(5.33f, "##0.00", kSpanish), "5,33");
  // Negative values that show as zero carry no sign.
  EXPECT_EQ(FormatNumber(-0.004, "##0.00", kSpanish), "0,00");
  EXPECT_EQ(FormatNumber(-0.4, "#,###,###", kSpanish), "");
}

}  // namespace
}  // namespace vetra
