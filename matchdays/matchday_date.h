#pragma once
// The date of a matchday as the editor takes it from its three boxes: day,
// month and a two-digit year, each of at most two characters.
#include <string>
#include <string_view>

namespace vetra {

// A field of exactly one character gets a "0" in front ("5" → "05"); any
// other field stays as it is.
std::string PadDateField(std::string_view field);

// True when day/month/year read as a real calendar date: each field one or
// two decimal digits, month 1..12 and the day within its month. A year yy
// stands for 20yy up to 29 and for 19yy from 30 on, which decides whether
// February has 29 days.
bool IsValidMatchdayDate(std::string_view day, std::string_view month, std::string_view year);

}  // namespace vetra
