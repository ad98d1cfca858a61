#include "matchdays/matchday_date.h"

namespace vetra {
namespace {

// The value of a field of one or two decimal digits; -1 for anything else.
int FieldValue(std::string_view field) {
  if (field.empty() || field.size() > 2) return -1;
  int value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int month, int year) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::string PadDateField(std::string_view field) {
  return field.size() == 1 ? "0" + std::string(field) : std::string(field);
}

bool IsValidMatchdayDate(std::string_view day, std::string_view month, std::string_view year) {
  const int d = FieldValue(day);
  const int m = FieldValue(month);
  const int yy = FieldValue(year);
  if (d < 1 || m < 1 || m > 12 || yy < 0) return false;
  const int fullYear = yy <= 29 ? 2000 + yy : 1900 + yy;
  return d <= DaysInMonth(m, fullYear);
}

}  // namespace vetra
