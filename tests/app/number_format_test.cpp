#include "app/number_format.h"

#include <gtest/gtest.h>

namespace vetra {
namespace {

const NumberMarks kSpanish{".", ","};
const NumberMarks kEnglish{",", "."};

TEST(NumberFormat, AmountsAndCountsWithBothMarks) {
  EXPECT_EQ(FormatNumber(1234567.891, "#,###,##0.00", kSpanish), "1.234.567,89");
  EXPECT_EQ(FormatNumber(1234567.891, "#,###,##0.00", kEnglish), "1,234,567.89");
  EXPECT_EQ(FormatNumber(0, "#,###,##0.00", kSpanish), "0,00");
  EXPECT_EQ(FormatNumber(0.5, "#,###,##0.00", kEnglish), "0.50");
  EXPECT_EQ(FormatNumber(-1234.5, "#,###,##0.00", kSpanish), "-1.234,50");
  EXPECT_EQ(FormatNumber(999.999, "#,###,##0.00", kSpanish), "1.000,00");
  // More digits than the pattern has places: grouping goes on.
  EXPECT_EQ(FormatNumber(12345678901.0, "#,###,##0.00", kSpanish), "12.345.678.901,00");
  EXPECT_EQ(FormatNumber(123456789, "###,###", kEnglish), "123,456,789");
  EXPECT_EQ(FormatNumber(4782969, "#,###,###", kSpanish), "4.782.969");
  EXPECT_EQ(FormatNumber(4782969, "#,###,###", kEnglish), "4,782,969");
  EXPECT_EQ(FormatNumber(-4782969, "#,###,###", kSpanish), "-4.782.969");
  EXPECT_EQ(FormatNumber(999, "#,###,###", kSpanish), "999");
  EXPECT_EQ(FormatNumber(1000, "#,###,###", kSpanish), "1.000");
  EXPECT_EQ(FormatNumber(999.6, "###,###", kSpanish), "1.000");
  // No "0" place: zero writes nothing.
  EXPECT_EQ(FormatNumber(0, "#,###,###", kSpanish), "");
  EXPECT_EQ(FormatNumber(0.4, "###,###", kEnglish), "");
  // A grouping mark of several bytes (a narrow no-break space).
  EXPECT_EQ(FormatNumber(1234567, "#,###,###", {"\u202f", ","}), "1\u202f234\u202f567");
}

TEST(NumberFormat, FactorsSharesAndSmallCounts) {
  EXPECT_EQ(FormatNumber(9, "##0.00", kSpanish), "9,00");
  EXPECT_EQ(FormatNumber(1234.5, "##0.00", kSpanish), "1234,50");
  EXPECT_EQ(FormatNumber(900.0 / 81, "##0.00", kSpanish), "11,11");
  EXPECT_EQ(FormatNumber(7200.0 / 81, "##0.00", kEnglish), "88.89");
  EXPECT_EQ(FormatNumber(0.001, "##0.00", kSpanish), "0,00");
  EXPECT_EQ(FormatNumber(2841.9305, "######0.00", kSpanish), "2841,93");
  EXPECT_EQ(FormatNumber(123456789.125, "######0.00", kEnglish), "123456789.13");
  EXPECT_EQ(FormatNumber(0, "######0.00", kEnglish), "0.00");
  EXPECT_EQ(FormatNumber(5.33f, "##0.00", kSpanish), "5,33");
  EXPECT_EQ(FormatNumber(0, "#0", kSpanish), "0");
  EXPECT_EQ(FormatNumber(14, "#0", kSpanish), "14");
  EXPECT_EQ(FormatNumber(1234, "#0", kSpanish), "1234");
  EXPECT_EQ(FormatNumber(-3, "#0", kSpanish), "-3");
}

TEST(NumberFormat, HalvesRoundAwayFromZeroAtTheDecimalsShown) {
  EXPECT_EQ(FormatNumber(3.125, "##0.00", kSpanish), "3,13");   // 100 / 32
  EXPECT_EQ(FormatNumber(-3.125, "##0.00", kSpanish), "-3,13");
  EXPECT_EQ(FormatNumber(2.5, "#0", kSpanish), "3");
  EXPECT_EQ(FormatNumber(0.5, "#0", kSpanish), "1");
  // Read as its decimal text, 4.505 is a half, though its binary value lies below.
  EXPECT_EQ(FormatNumber(4.505, "#,###,##0.00", kSpanish), "4,51");
  EXPECT_EQ(FormatNumber(1.005, "##0.00", kEnglish), "1.01");
  // A price held in single precision times a count.
  EXPECT_EQ(FormatNumber(static_cast<double>(0.35f) * 3, "#,###,##0.00", kSpanish), "1,05");
  // Negative values that show as zero carry no sign.
  EXPECT_EQ(FormatNumber(-0.004, "##0.00", kSpanish), "0,00");
  EXPECT_EQ(FormatNumber(-0.4, "#,###,###", kSpanish), "");
}

}  // namespace
}  // namespace vetra
