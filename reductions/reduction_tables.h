#pragma once
// The fixed reduction tables of the direct method, the catalogue that picks
// one of them from the numbers of marked triples and doubles, and the names of
// the three methods. All constant.
#include <array>
#include <cstdint>
#include <string_view>

namespace vetra {

// Values of reductionMethod.
inline constexpr int kDirectMethod = 1;
inline constexpr int kProbableColumnMethod = 2;
inline constexpr int kSignSelectionMethod = 3;

inline constexpr int kTableStringCount = 56;

// A run of consecutive table strings: strings offset + 1 .. offset + triples +
// doubles, the triples' first. Character r of a string is the sign (1, 2 or 3:
// first, second or third marked sign of the match) of that multiple in row r.
struct ReductionTable {
  std::int16_t offset = 0;
  std::int16_t rows = 0;
  std::int16_t triples = 0;  // triples reduced
  std::int16_t doubles = 0;  // doubles reduced
  float factor = 0;          // combinations covered / rows
  bool operator==(const ReductionTable&) const = default;
};

struct TableCatalogueRecord {
  std::int16_t triplesMarked = 0;
  std::int16_t doublesMarked = 0;
  ReductionTable table;
};

// String 1..56.
std::string_view TableString(int number);

// Tables A to L, in that order.
const std::array<ReductionTable, 12>& ReductionTables();

// Records 1..23 as entries 0..22.
const std::array<TableCatalogueRecord, 23>& TableCatalogue();

// The table for that many marked triples and doubles, or null when none
// applies (nothing marked): the caller then keeps its current table and factor.
const ReductionTable* SelectReductionTable(int triplesMarked, int doublesMarked);

// Method 1..3; UTF-8, blank-padded to 29 and 19 characters. Any other number
// gives an empty name.
std::string_view LongMethodName(int method);
std::string_view ShortMethodName(int method);

}  // namespace vetra
