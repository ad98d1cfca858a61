#include "output/output_fields.h"

#include <algorithm>

#include "app/number_format.h"
#include "app/numbers.h"

namespace vetra {
namespace {

bool IsSlip(OutputField field) { return field == OutputField::FirstSlip || field == OutputField::LastSlip; }

}  // namespace

int OutputFieldLength(OutputField field, long slipCount) {
  if (!IsSlip(field)) return 3;
  return std::max(1, static_cast<int>(FormatNumber(static_cast<double>(slipCount), "######", {}).size()));
}

std::string TypedOutputText(OutputField field, std::string_view text) {
  const bool countsFromOne = field != OutputField::LeftOffset && field != OutputField::TopOffset;
  // A minus makes the offset negative, which empties the box.
  if (!countsFromOne && text.find('-') != std::string_view::npos) return {};
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9') digits += c;
  if (countsFromOne && !digits.empty() && ValueOf(digits) < 1) digits.clear();
  return digits;
}

void CommitOutputField(OutputField field, std::string_view text, long slipCount, OutputValues& values) {
  const bool empty = Trimmed(text).empty();
  const auto value = static_cast<long>(ValueOf(text));
  switch (field) {
    case OutputField::FirstSlip:
      values.firstSlip = std::min(empty ? 1 : value, slipCount);
      values.lastSlip = std::max(values.lastSlip, values.firstSlip);
      break;
    case OutputField::LastSlip:
      values.lastSlip = std::min(empty ? slipCount : value, slipCount);
      values.firstSlip = std::min(values.firstSlip, values.lastSlip);
      break;
    case OutputField::Copies: values.copies = empty ? 1 : static_cast<int>(value); break;
    case OutputField::LeftOffset: values.leftOffset = empty ? 0 : static_cast<int>(value); break;
    case OutputField::TopOffset: values.topOffset = empty ? 0 : static_cast<int>(value); break;
  }
}

long OutputFieldValue(OutputField field, const OutputValues& values) {
  switch (field) {
    case OutputField::FirstSlip: return values.firstSlip;
    case OutputField::LastSlip: return values.lastSlip;
    case OutputField::Copies: return values.copies;
    case OutputField::LeftOffset: return values.leftOffset;
    default: return values.topOffset;
  }
}

}  // namespace vetra
