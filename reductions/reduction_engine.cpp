#include "reductions/reduction_engine.h"

#include <algorithm>

#include "app/numbers.h"

namespace vetra {

int SignsOf(const BaseMatch& match) {
  return (match.signs[0] != 0) + (match.signs[1] != 0) + (match.signs[2] != 0);
}

std::int16_t Combinations(int n, int k) {
  if (k < 0 || n < 0 || k > n) return 0;
  double numerator = 1, denominator = 1;
  for (int i = 0; i < k; ++i) {
    numerator *= n - i;
    denominator *= k - i;
  }
  return static_cast<std::int16_t>(RoundHalfEven(numerator / denominator));
}

// The count goes through every choice of the matches that get the first sign
// s1 and, for each, counts the ways to place the second sign s2 among the rest;
// a rest match that holds exactly s1 and s2 is forced to s2, one that holds s2
// and s3 is free, one that holds s1 and s3 (or neither) takes s3. Choices that
// pick the same number of matches of each kind give the same term, so the sum
// runs over those numbers with the choices counted by binomials.
std::int32_t CountSignTotals(const BaseGrid& grid, int a, int b, int c) {
  const int count[3] = {a, b, c};
  const int s1 = c > 0 ? 2 : b > 0 ? 1 : 0;
  const int s2 = s1 == 0 ? 2 : s1 == 1 ? 0 : (b == 0 && a > 0 ? 0 : 1);
  int forceable = 0;  // s1 and s2, two signs: s1 when chosen, else forced to s2
  int both = 0;       // s1 and s2 and more: s1 when chosen, else free
  int onlyFirst = 0;  // s1 without s2: s1 when chosen, else s3
  int onlySecond = 0; // s2 without s1: always free
  for (const BaseMatch& match : grid) {
    if (!match.marked) continue;
    const bool has1 = match.signs[s1] != 0, has2 = match.signs[s2] != 0;
    if (has1 && has2)
      ++(SignsOf(match) == 2 ? forceable : both);
    else if (has1)
      ++onlyFirst;
    else if (has2)
      ++onlySecond;
  }
  const int n1 = count[s1], n2 = count[s2];
  long long total = 0;
  for (int p = 0; p <= std::min(forceable, n1); ++p) {
    const int need = n2 - (forceable - p);
    if (need < 0) continue;
    for (int q = 0; q <= std::min(both, n1 - p); ++q) {
      const int r = n1 - p - q;
      if (r > onlyFirst) continue;
      const long long choices = static_cast<long long>(Combinations(forceable, p)) *
                                Combinations(both, q) * Combinations(onlyFirst, r);
      total += choices * Combinations(onlySecond + both - q, need);
    }
  }
  return static_cast<std::int32_t>(total);
}

namespace {

void SetFactor(const BaseRecord& record, ReductionFigures& figures) {
  if (record.reducedBets != 0)
    figures.reductionFactor = static_cast<float>(static_cast<double>(record.directBets) / record.reducedBets);
}

// Product of the signs of the matches that take no part in the reduction.
std::int32_t UnmarkedExpansion(const BaseGrid& grid) {
  std::int32_t product = 1;
  for (const BaseMatch& match : grid)
    if (!match.marked && SignsOf(match) > 1) product *= SignsOf(match);
  return product;
}

void PredictProbableColumn(BaseRecord& reduction, const ReductionFigures& figures) {
  reduction.minErrors = std::min(reduction.minErrors, figures.multiplesMarked);
  reduction.maxErrors = std::min(reduction.maxErrors, figures.multiplesMarked);
  double kept = 0;
  for (int i = 0; i <= figures.triplesMarked; ++i)
    for (int j = 0; j <= figures.doublesMarked; ++j)
      if (reduction.minErrors <= i + j && i + j <= reduction.maxErrors) {
        // A marked triple misses its probable sign in two ways, a double in one.
        const double ways = Combinations(figures.triplesMarked, i) * static_cast<double>(1 << i) *
                            Combinations(figures.doublesMarked, j);
        kept = static_cast<double>(RoundHalfEven(kept + ways));
      }
  reduction.reducedBets = static_cast<std::int32_t>(kept) * UnmarkedExpansion(reduction.baseGrid);
}

void PredictSignSelection(BaseRecord& reduction, const ReductionFigures& figures) {
  const auto& allowed = reduction.allowedTotals;
  const auto& capacity = figures.signCapacity;
  std::int32_t kept = 0;
  for (int a = 0; a <= capacity[0]; ++a)
    for (int b = 0; b <= capacity[1]; ++b)
      for (int c = 0; c <= capacity[2]; ++c)
        if (allowed[0][a] && allowed[1][b] && allowed[2][c] && a + b + c == figures.multiplesMarked)
          kept += CountSignTotals(reduction.baseGrid, a, b, c);
  reduction.reducedBets = kept * UnmarkedExpansion(reduction.baseGrid);
}

}  // namespace

void RecomputeFigures(BaseRecord& reduction, ReductionFigures& figures) {
  const ReductionTable table = figures.table;
  figures = ReductionFigures{};
  figures.table = table;
  reduction.directBets = 1;
  reduction.reducedBets = 0;

  for (const BaseMatch& match : reduction.baseGrid) {
    const int signs = SignsOf(match);
    reduction.directBets *= signs;
    if (signs == 2) {
      ++figures.doublesInBase;
      if (match.marked) ++figures.doublesMarked;
    } else if (signs == 3) {
      ++figures.triplesInBase;
      if (match.marked) ++figures.triplesMarked;
    }
    if (match.marked) {
      ++figures.multiplesMarked;
      for (int k = 0; k < 3; ++k) figures.signCapacity[k] += match.signs[k] != 0;
    }
  }

  // A total that no column can reach is never left allowed.
  for (int k = 0; k < 3; ++k)
    for (int j = figures.signCapacity[k] + 1; j <= kMatches; ++j) reduction.allowedTotals[k][j] = 0;

  switch (reduction.reductionMethod) {
    case kDirectMethod:
      if (const ReductionTable* chosen = SelectReductionTable(figures.triplesMarked, figures.doublesMarked)) {
        figures.table = *chosen;
        figures.reductionFactor = chosen->factor;
      }
      reduction.reducedBets = static_cast<std::int32_t>(
          RoundHalfEven(static_cast<double>(reduction.directBets) / static_cast<double>(figures.reductionFactor)));
      break;
    case kProbableColumnMethod:
      PredictProbableColumn(reduction, figures);
      SetFactor(reduction, figures);
      break;
    case kSignSelectionMethod:
      PredictSignSelection(reduction, figures);
      SetFactor(reduction, figures);
      break;
    default:
      break;
  }
}

}  // namespace vetra
