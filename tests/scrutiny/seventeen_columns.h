#pragma once
// The small reduction whose scrutiny the engine and screen tests work out by
// hand: 17 columns against the winning column 1, X, 2, 1, X, 2, ...
#include <string>

namespace vetra::testing {

inline const std::string kWinning = "1X21X21X21X21X";

inline std::string QuotedColumn(const std::string& column) { return "\"" + column + "\"\r\n"; }

// Slip 1 holds one column of 14 hits, one of 13 (match 14 missed) and six of
// 4 (all "2", which meets matches 3, 6, 9 and 12); slip 2 eight more of 4
// hits; slip 3 a single column of 12 (matches 1 and 14 missed).
inline std::string SeventeenColumns() {
  std::string file = QuotedColumn(kWinning) + QuotedColumn("1X21X21X21X211");
  for (int i = 0; i < 14; ++i) file += QuotedColumn("22222222222222");
  return file + QuotedColumn("2X21X21X21X211");
}

}  // namespace vetra::testing
