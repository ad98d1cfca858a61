#pragma once
// What a reduction costs and covers, and the text of the two places that show
// it: the counter panel of the reduction screen and the summary block printed
// under a stored reduction. Texts are UTF-8.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "reductions/base_file.h"
#include "app/number_format.h"
#include "reductions/reduction_engine.h"

namespace vetra {

struct CostFigures {
  std::int32_t excludedBets = 0;
  double totalAmount = 0;
  double reducedAmount = 0;
  float factorShown = 0;                // 0 when nothing is kept
  std::optional<double> keptShare;      // percent; none without direct bets
  std::optional<double> excludedShare;  // percent; none without direct bets
};

CostFigures ComputeCostFigures(std::int32_t directBets, std::int32_t reducedBets, float reductionFactor,
                               float betPrice);

// A label and its value; an empty value is a figure that could not be
// computed. `gapAfter` marks the end of a group of the counter panel.
struct FigureLine {
  std::string label;
  std::string value;
  bool gapAfter = false;
  bool operator==(const FigureLine&) const = default;
};

// Rows of the counter panel: fourteen for the direct method, thirteen for the
// others. Labels go at x = 8 and values at x = 111; the first row lies
// CounterPanelTop(method) below the panel's top.
std::vector<FigureLine> CounterPanelRows(const BaseRecord& record, const ReductionFigures& figures, float betPrice,
                                         const NumberMarks& marks);
int CounterPanelTop(int method);

// The summary block of a stored reduction. No lines when directBets is 1 (no
// reduction loaded). The first line is one text with no value; the others
// have labels at `left` and values at left + 120.
struct SummaryBlock {
  int left = 0;
  std::vector<FigureLine> lines;
};
SummaryBlock ReductionSummary(const BaseRecord& record, float betPrice, const NumberMarks& marks);

}  // namespace vetra
