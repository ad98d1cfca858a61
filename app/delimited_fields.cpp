#include "app/delimited_fields.h"

#include <cmath>
#include <limits>

#include "app/file_errors.h"
#include "app/numbers.h"

namespace vetra {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

bool DelimitedReader::AtEnd() const {
  for (std::size_t i = pos_; i < text_.size(); ++i)
    if (!IsBlank(text_[i]) && !IsLineEnd(text_[i])) return false;
  return true;
}

int DelimitedReader::ReadText(std::string& out) {
  if (pos_ >= text_.size()) return err::kInputPastEnd;
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  std::string field;
  if (pos_ < text_.size() && text_[pos_] == '"') {
    const std::size_t close = text_.find('"', pos_ + 1);
    const std::size_t end = close == std::string_view::npos ? text_.size() : close;
    field = text_.substr(pos_ + 1, end - pos_ - 1);
    pos_ = close == std::string_view::npos ? text_.size() : close + 1;
    // Whatever follows the closing quote up to the delimiter is dropped.
    while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
  } else {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
    field = Trimmed(text_.substr(start, pos_ - start));
    while (!field.empty() && field.back() == '\t') field.pop_back();
  }
  // Consume the delimiter: a comma, or one line end (CR LF, CR or LF).
  if (pos_ < text_.size()) {
    if (text_[pos_] == ',') {
      ++pos_;
    } else if (text_[pos_] == '\r') {
      ++pos_;
      if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    } else if (text_[pos_] == '\n') {
      ++pos_;
    }
  }
  out = std::move(field);
  return 0;
}

int DelimitedReader::ReadInt16(std::int16_t& out) {
  std::string field;
  if (int number = ReadText(field)) return number;
  for (char c : field)
    if (!(c >= '0' && c <= '9') && c != '-' && c != '+' && c != '.' && c != ' ') return err::kTypeMismatch;
  const double value = std::nearbyint(ValueOf(field));
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
    return err::kOverflow;
  out = static_cast<std::int16_t>(value);
  return 0;
}

}  // namespace vetra
