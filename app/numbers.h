#pragma once
// Number conversions shared by every screen and file of the program.
#include <string>
#include <string_view>

namespace vetra {

// The value of the longest leading part of `text` that reads as a decimal
// number with "." as separator; blanks and tabs are skipped wherever they
// stand. No number gives 0.
double ValueOf(std::string_view text);

// Rounds to the nearest integer, halves to the even one.
long long RoundHalfEven(double value);

// The shortest decimal form of a single-precision value, "." as separator and
// no leading zero before it: 0.5 → ".5", 1.25 → "1.25", 3 → "3".
std::string ShortestDecimal(float value);

// `text` padded on the right with blanks or cut to `width` characters.
std::string FixedWidth(std::string_view text, std::size_t width);

// `text` without blanks at either end.
std::string Trimmed(std::string_view text);

}  // namespace vetra
