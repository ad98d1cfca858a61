#include "reductions/reduction_figures.h"

namespace vetra {
namespace {

std::string Amount(double value, const NumberMarks& marks) {
  return FormatNumber(value, "#,###,##0.00", marks) + " €";
}

std::string Share(const std::optional<double>& share, const NumberMarks& marks) {
  return share ? FormatNumber(*share, "##0.00", marks) + " %" : "";
}

}  // namespace

CostFigures ComputeCostFigures(std::int32_t directBets, std::int32_t reducedBets, float reductionFactor,
                               float betPrice) {
  CostFigures cost;
  cost.excludedBets = directBets - reducedBets;
  cost.totalAmount = static_cast<double>(betPrice) * directBets;
  cost.reducedAmount = static_cast<double>(betPrice) * reducedBets;
  cost.factorShown = reducedBets == 0 ? 0.0f : reductionFactor;
  if (directBets != 0) {
    // The products are 32-bit integers; only the division is in floating point.
    cost.keptShare = static_cast<double>(reducedBets * 100) / directBets;
    cost.excludedShare = static_cast<double>(cost.excludedBets * 100) / directBets;
  }
  return cost;
}

std::vector<FigureLine> CounterPanelRows(const BaseRecord& record, const ReductionFigures& f, float betPrice,
                                         const NumberMarks& marks) {
  const CostFigures cost = ComputeCostFigures(record.directBets, record.reducedBets, f.reductionFactor, betPrice);
  const auto matches = [&](int n) { return FormatNumber(n, "#0", marks); };
  const auto bets = [&](std::int32_t n) { return FormatNumber(n, "#,###,##0", marks); };
  const bool direct = record.reductionMethod == kDirectMethod;
  std::vector<FigureLine> rows = {
      {"Partidos a doble", matches(f.doublesInBase)},
      {"Partidos a triple", matches(f.triplesInBase)},
      {"Total múltiples", matches(f.doublesInBase + f.triplesInBase)},
      {"Apuest. directas", bets(record.directBets), true},
      {"Dobles a reducir", matches(f.doublesMarked)},
      {"Triples a reducir", matches(f.triplesMarked)},
      {"Múltiples a reducir", matches(f.multiplesMarked)},
      {"Apuest. aceptadas", bets(record.reducedBets)},
      {"Apuest. excluidas", bets(cost.excludedBets), true},
      {"Importe total", Amount(cost.totalAmount, marks)},
      {"Importe reducidas", Amount(cost.reducedAmount, marks), true},
      {"Factor reducción", FormatNumber(cost.factorShown, "##0.00", marks)},
      {direct ? "Probab. 14 aciertos" : "Posibil. cubiertas", Share(cost.keptShare, marks)},
  };
  if (direct) rows.push_back({"Probab. 13 aciertos", Share(cost.excludedShare, marks)});
  return rows;
}

int CounterPanelTop(int method) { return method == kDirectMethod ? 10 : 16; }

SummaryBlock ReductionSummary(const BaseRecord& record, float betPrice, const NumberMarks& marks) {
  SummaryBlock block;
  const int method = record.reductionMethod;
  block.left = method == kProbableColumnMethod ? 60 : 30;
  if (record.directBets == 1) return block;

  const CostFigures cost = ComputeCostFigures(record.directBets, record.reducedBets, 0, betPrice);
  const auto bets = [&](std::int32_t n) { return FormatNumber(n, "#,###,###", marks); };
  // The factor is worked out again from the two counts, not taken as stored.
  const std::string factor =
      record.reducedBets == 0
          ? ""
          : FormatNumber(static_cast<double>(record.directBets) / record.reducedBets, "######0.00", marks);

  block.lines.push_back({bets(record.directBets) + " apuestas reducidas a " + bets(record.reducedBets), ""});
  block.lines.push_back({"Factor de  reducción.....:", factor});
  if (method == kProbableColumnMethod)
    block.lines.push_back({"Errores permitidos.........:", "De " + FormatNumber(record.minErrors, "#0", marks) +
                                                               " a " + FormatNumber(record.maxErrors, "#0", marks)});
  block.lines.push_back({"Importe reducidas.........:", Amount(cost.reducedAmount, marks)});
  const bool direct = method == kDirectMethod;
  block.lines.push_back(
      {direct ? "Probabilidad 14 aciertos:" : "Posibilidades cubiertas.:", Share(cost.keptShare, marks)});
  if (direct) block.lines.push_back({"Probabilidad 13 aciertos:", Share(cost.excludedShare, marks)});
  return block;
}

}  // namespace vetra
