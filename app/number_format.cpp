#include "app/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vetra {
namespace {

struct Pattern {
  int minIntegerDigits = 0;  // places from the first "0" of the integer part on
  bool grouped = false;
  bool hasPoint = false;
  int requiredDecimals = 0;  // up to the last "0" after the point
  int decimals = 0;          // all places after the point
};

Pattern Parse(std::string_view text) {
  Pattern p;
  const std::size_t point = text.find('.');
  const std::string_view integer = text.substr(0, point);
  bool zeroSeen = false;
  for (char c : integer) {
    if (c == ',') p.grouped = true;
    zeroSeen = zeroSeen || c == '0';
    if (zeroSeen && (c == '0' || c == '#')) ++p.minIntegerDigits;
  }
  if (point != std::string_view::npos) {
    p.hasPoint = true;
    for (char c : text.substr(point + 1)) {
      if (c != '0' && c != '#') continue;
      ++p.decimals;
      if (c == '0') p.requiredDecimals = p.decimals;
    }
  }
  return p;
}

// The digits of |value| to 15 significant places, rounded half away from zero
// to `decimals` places: the value is 0.digits × 10^point.
void RoundedDigits(double value, int decimals, std::string& digits, int& point) {
  if (value == 0) {
    digits.clear();
    point = 0;
    return;
  }
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);
  digits.assign(1, buffer[0]);
  digits.append(buffer + 2, 14);
  point = std::atoi(std::strchr(buffer, 'e') + 1) + 1;

  const int keep = point + decimals;
  if (keep >= static_cast<int>(digits.size())) return;
  const bool up = keep >= 0 && digits[keep] >= '5';
  digits.resize(std::max(keep, 0));
  if (!up) return;
  int i = keep - 1;
  while (i >= 0 && digits[i] == '9') digits[i--] = '0';
  if (i < 0) {
    digits.insert(0, 1, '1');
    ++point;
  } else {
    ++digits[i];
  }
}

}  // namespace

std::string FormatNumber(double value, std::string_view patternText, const NumberMarks& marks) {
  if (!std::isfinite(value)) return "";
  const Pattern pattern = Parse(patternText);
  std::string digits;
  int point = 0;
  RoundedDigits(std::fabs(value), pattern.decimals, digits, point);

  std::string integer, fraction;
  if (point > 0) {
    integer = digits.substr(0, point);
    integer.resize(point, '0');
  }
  if (point < 0) fraction.assign(-point, '0');
  if (static_cast<int>(digits.size()) > std::max(point, 0)) fraction += digits.substr(std::max(point, 0));
  fraction.resize(pattern.decimals, '0');
  while (static_cast<int>(fraction.size()) > pattern.requiredDecimals && fraction.back() == '0') fraction.pop_back();

  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
  if (static_cast<int>(integer.size()) < pattern.minIntegerDigits)
    integer.insert(0, pattern.minIntegerDigits - integer.size(), '0');
  if (pattern.grouped)
    for (int at = static_cast<int>(integer.size()) - 3; at > 0; at -= 3) integer.insert(at, marks.grouping);

  const bool nonZero = std::any_of(digits.begin(), digits.end(), [](char c) { return c != '0'; });
  std::string text = value < 0 && nonZero ? "-" : "";
  text += integer;
  if (pattern.hasPoint) text += marks.decimal + fraction;
  return text;
}

}  // namespace vetra
