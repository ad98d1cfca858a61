#pragma once
// Numbers shown and printed by the program, written by patterns of digit
// places such as "#,###,##0.00": "0" is a digit always written, "#" one
// written only when needed, a "," among the integer places asks for thousands
// grouping (over all the digits, however many), and "." marks the decimals.
// The grouping and decimal marks are given by the caller, from the regional
// settings on screen.
#include <string>
#include <string_view>

namespace vetra {

struct NumberMarks {
  std::string grouping;  // UTF-8, e.g. "." in Spain
  std::string decimal;   // e.g. ","
};

// The value is first taken to 15 significant digits, as its shortest decimal
// text would show it, and then rounded to the pattern's decimals with halves
// away from zero (3.125 → "3.13"). A negative value carries "-" unless it
// shows no digit other than zero. Zero with no "0" place gives "".
std::string FormatNumber(double value, std::string_view pattern, const NumberMarks& marks);

}  // namespace vetra
