#include "reductions/reduction_tables.h"

namespace vetra {
namespace {

constexpr std::array<std::string_view, kTableStringCount> kStrings = {
    // A: four triples.
    "123123123", "123231312", "321132213", "111222333",
    // B: three triples, three doubles.
    "123123123123123123123123", "123231312123123231312123", "123312231123123312231123",
    "111222111222222111222111", "111222222111222111111222", "111111111111222222222222",
    // C: seven doubles.
    "1212121212121212", "1122112211221122", "1111222211112222", "1111111122222222",
    "1122221122111122", "1212212121211212", "1221122121122112",
    // D: one triple, two doubles.
    "123", "212", "121",
    // E: two triples, five doubles.
    "111122221111222233333333111122223333", "111111112222222211112222333333333333",
    "121212121212121212121212121212121212", "112211221122112211221122112211221122",
    "112222112211112211222211112222111122", "121221212121121212122121121221211212",
    "122112212112211212212112122112211221",
    // F: two triples, three doubles.
    "123123123123", "123321321123", "121212121212", "121121212212", "111222111222",
    // G: one triple, six doubles.
    "111111112222222233333333", "121212121212121212121212", "112211221122112211221122",
    "111122221111222211112222", "112222112211112211222211", "121221212121121212122121",
    "122112212112211212211221",
    // H: one triple, five doubles.
    "111211221222333333", "111121212222121222", "111112122222112222", "211222111221211221",
    "121222111212211212", "112222111122211122",
    // I: six doubles.
    "111211221222", "111121212222", "111112122222", "211222111221", "121222111212",
    "112222111122",
    // J: three doubles.
    "12", "21", "12",
    // K: one triple.
    "2",
    // L: one double.
    "2",
};

// The factor of H and I is the single-precision value nearest 5.33, not 16/3.
constexpr std::array<ReductionTable, 12> kTables = {{
    {0, 9, 4, 0, 9.0f},      // A
    {4, 24, 3, 3, 9.0f},     // B
    {10, 16, 0, 7, 8.0f},    // C
    {17, 3, 1, 2, 4.0f},     // D
    {20, 36, 2, 5, 8.0f},    // E
    {27, 12, 2, 3, 6.0f},    // F
    {32, 24, 1, 6, 8.0f},    // G
    {39, 18, 1, 5, 5.33f},   // H
    {45, 12, 0, 6, 5.33f},   // I
    {51, 2, 0, 3, 4.0f},     // J
    {54, 1, 1, 0, 3.0f},     // K
    {55, 1, 0, 1, 2.0f},     // L
}};

constexpr ReductionTable kA = kTables[0], kB = kTables[1], kC = kTables[2], kD = kTables[3],
                         kE = kTables[4], kF = kTables[5], kG = kTables[6], kH = kTables[7],
                         kI = kTables[8], kJ = kTables[9], kK = kTables[10], kL = kTables[11];

constexpr std::array<TableCatalogueRecord, 23> kCatalogue = {{
    {3, 2, kD}, {3, 1, kK}, {3, 0, kK}, {2, 6, kE}, {2, 5, kE}, {2, 4, kF}, {2, 3, kF}, {2, 2, kD},
    {2, 1, kK}, {2, 0, kK}, {1, 6, kG}, {1, 5, kH}, {1, 4, kD}, {1, 3, kD}, {1, 2, kD}, {1, 1, kK},
    {1, 0, kK}, {0, 6, kI}, {0, 5, kJ}, {0, 4, kJ}, {0, 3, kJ}, {0, 2, kL}, {0, 1, kL},
}};

constexpr std::array<std::string_view, 3> kLongNames = {
    "Método Directo               ", "Método de Columna Probable   ", "Método de Selección de Signos"};
constexpr std::array<std::string_view, 3> kShortNames = {
    "Directo            ", "Columna Probable   ", "Selección de Signos"};

}  // namespace

std::string_view TableString(int number) {
  if (number < 1 || number > kTableStringCount) return {};
  return kStrings[number - 1];
}

const std::array<ReductionTable, 12>& ReductionTables() { return kTables; }

const std::array<TableCatalogueRecord, 23>& TableCatalogue() { return kCatalogue; }

const ReductionTable* SelectReductionTable(int triplesMarked, int doublesMarked) {
  if (triplesMarked >= 4) return &kTables[0];
  if (triplesMarked == 3 && doublesMarked >= 3) return &kTables[1];
  if (doublesMarked >= 7) return &kTables[2];  // the marked triples, two at most, are expanded
  for (const auto& record : kCatalogue)
    if (record.triplesMarked == triplesMarked && record.doublesMarked == doublesMarked) return &record.table;
  return nullptr;
}

std::string_view LongMethodName(int method) {
  return method >= 1 && method <= 3 ? kLongNames[method - 1] : std::string_view{};
}

std::string_view ShortMethodName(int method) {
  return method >= 1 && method <= 3 ? kShortNames[method - 1] : std::string_view{};
}

}  // namespace vetra
