#pragma once
// The numeric fields of the output screen and what a typed or committed text
// becomes in each: the slip range, the copies and the two printing offsets.
#include <string>
#include <string_view>

namespace vetra {

enum class OutputField { FirstSlip, LastSlip, Copies, LeftOffset, TopOffset };

struct OutputValues {
  long firstSlip = 1;
  long lastSlip = 1;
  int copies = 1;
  int leftOffset = 0;  // tenths of a millimetre
  int topOffset = 0;
};

// Characters a field takes while typing: a slip as many as slipCount has
// digits, the others three.
int OutputFieldLength(OutputField field, long slipCount);

// The field's text after a keystroke: digits only; a slip or a number of
// copies below 1 leaves it empty.
std::string TypedOutputText(OutputField field, std::string_view text);

// Takes the committed text over. An empty first slip counts as 1, an empty
// last slip as slipCount, both at most slipCount, and the other slip follows
// so that the first never lies after the last; empty copies count as 1 and an
// empty offset as 0.
void CommitOutputField(OutputField field, std::string_view text, long slipCount, OutputValues& values);

// The value as the field shows it.
long OutputFieldValue(OutputField field, const OutputValues& values);

}  // namespace vetra
