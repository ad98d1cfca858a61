#pragma once
// Reader of the delimited text shared by the general data, the team list and
// the address list: a field ends at a comma or at the end of its line, blanks
// around it are dropped, and a quoted field runs to the next quote (a comma
// inside the quotes belongs to the text).
#include <cstdint>
#include <string>
#include <string_view>

namespace vetra {

class DelimitedReader {
 public:
  explicit DelimitedReader(std::string_view text) : text_(text) {}

  // True when nothing but blanks and line breaks is left.
  bool AtEnd() const;

  // The next field as text; 0, or error 62 when no field is left.
  int ReadText(std::string& out);

  // The next field as a 16-bit integer (rounded, halves to even); 0, or
  // error 62 (no field left), 13 (not a number) or 6 (out of range).
  // `out` keeps its value on error.
  int ReadInt16(std::int16_t& out);

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace vetra
