#pragma once
// The prediction of a reduction: the counts of the base and the number of
// columns each method keeps, computed by counting, never by generating them,
// so that the reduction screen can refresh them on every click.
#include <array>
#include <tuple>
#include <cstdint>

#include "app/app_state.h"
#include "reductions/base_file.h"
#include "reductions/reduction_tables.h"

namespace vetra {

inline constexpr int kMatches = 14;

static_assert(std::tuple_size_v<BaseGrid> == kMatches);

// What follows from a reduction's base and method, besides its two bet counts.
struct ReductionFigures {
  std::int16_t doublesInBase = 0;
  std::int16_t triplesInBase = 0;
  std::int16_t doublesMarked = 0;
  std::int16_t triplesMarked = 0;
  std::int16_t multiplesMarked = 0;
  std::array<std::int16_t, 3> signCapacity{};  // marked matches carrying 1, X, 2
  float reductionFactor = 1;
  // The direct method's current table; kept as it was while no table applies.
  ReductionTable table;
};

// Number of signs marked in the base for that match, from its three flags
// (the stored sign count is not read).
int SignsOf(const BaseMatch& match);

// Binomial coefficient as a product of quotients in double precision,
// rounded; k = 0 gives 1, k > n gives 0. Exact for n up to 14.
std::int16_t Combinations(int n, int k);

// Ways to give every marked match one of its base signs so that a of them get
// "1", b get "X" and c get "2".
std::int32_t CountSignTotals(const BaseGrid& grid, int a, int b, int c);

// Recomputes the record's direct and reduced bets and every figure. Also
// clears the allowed totals no column can reach and, for the probable-column
// method, lowers minErrors and maxErrors to the number of marked matches. A
// failed division leaves the factor at 1.
void RecomputeFigures(BaseRecord& record, ReductionFigures& figures);

}  // namespace vetra
