#include "app/numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vetra {

double ValueOf(std::string_view text) {
  std::string number;
  bool seenDigit = false, seenPoint = false, seenExponent = false;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
    const bool first = number.empty();
    if (c >= '0' && c <= '9') {
      seenDigit = true;
    } else if ((c == '+' || c == '-') && (first || number.back() == 'e')) {
    } else if (c == '.' && !seenPoint && !seenExponent) {
      seenPoint = true;
    } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && seenDigit && !seenExponent) {
      seenExponent = true;
      c = 'e';
    } else {
      break;
    }
    number += c;
  }
  if (!seenDigit) return 0;
  // A trailing exponent mark or sign without digits does not count.
  while (!number.empty() && (number.back() == 'e' || number.back() == '+' || number.back() == '-'))
    number.pop_back();
  return std::strtod(number.c_str(), nullptr);
}

long long RoundHalfEven(double value) { return std::llrint(std::nearbyint(value)); }

std::string ShortestDecimal(float value) {
  char buffer[32];
  // Seven significant digits are what a single-precision value carries.
  std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(value));
  std::string text = buffer;
  if (text.find('e') == std::string::npos && text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text.rfind("0.", 0) == 0) text.erase(0, 1);
  if (text.rfind("-0.", 0) == 0) text.erase(1, 1);
  return text;
}

std::string FixedWidth(std::string_view text, std::size_t width) {
  std::string out(text.substr(0, width));
  out.resize(width, ' ');
  return out;
}

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace vetra
