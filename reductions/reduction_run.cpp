#include "reductions/reduction_run.h"

#include <algorithm>

#include "app/numbers.h"

namespace vetra {
namespace {

const char* const kBaseTitle = "ERROR EN LA QUINIELA BASE";

std::string RightAligned(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

Refusal MissingProbableSigns(int count) {
  const std::string head =
      count == 1 ? std::string("Hay  1  partido  múltiple  a  reducir de  la   Quiniela  Base  del ")
                 : "Hay  " + std::to_string(count) + " partidos múltiples a reducir de la Quiniela Base de los";
  return {kBaseTitle,
          head + " que no se ha seleccionado ningun signo en la  Columna  Base.   Debe seleccionar  en  la   "
                 "Columna Base  un  signo  de  cada  partido  a reducir antes de efectuar la reducción."};
}

std::optional<Refusal> CheckMethod(const BaseRecord& reduction) {
  if (reduction.reductionMethod == kProbableColumnMethod) {
    const auto missing = std::count_if(reduction.baseGrid.begin(), reduction.baseGrid.end(),
                                       [](const BaseMatch& m) { return m.marked && m.probable == 0; });
    if (missing > 0) return MissingProbableSigns(static_cast<int>(missing));
    if (reduction.minErrors > reduction.maxErrors)
      return Refusal{"NO CONCUERDAN LOS ERRORES PERMITIDOS",
                     "El mínimo de errores permitidos es superior al máximo de errores permitidos. El mínimo "
                     "debe ser igual o inferior al máximo. Debe corregir estos parámetros antes de efectuar la "
                     "reducción."};
  }
  if (reduction.reductionMethod == kSignSelectionMethod) {
    for (const auto& totals : reduction.allowedTotals)
      if (std::none_of(totals.begin(), totals.end(), [](std::int16_t flag) { return flag != 0; }))
        return Refusal{"ERROR EN TOTALES DE CADA SIGNO",
                       "Tiene que marcar como mínimo un valor en cada una de las tres columnas que indican el "
                       "total de signos 1, X y 2 que deben tener las apuestas reducidas."};
  }
  return std::nullopt;
}

}  // namespace

const char* const kRunFinishedLine = "Ha finalizado el proceso de reducción";
const char* const kRunCancelledLine = "El proceso de reducción ha sido cancelado";
const char* const kRunFailedLine = "La reducción no se ha podido guardar";

std::optional<Refusal> CheckRun(const BaseRecord& reduction, const ReductionFigures& figures) {
  if (auto refusal = CheckMethod(reduction)) return refusal;
  if (std::any_of(reduction.baseGrid.begin(), reduction.baseGrid.end(),
                  [](const BaseMatch& m) { return SignsOf(m) == 0; }))
    return Refusal{kBaseTitle,
                   "Hay  algún  partido  de  la  Quiniela Base  que  no tiene marcado ningún signo. Debe "
                   "seleccionar en la Quiniela Base al menos un signo de cada partido antes de efectuar la "
                   "reducción."};
  if (figures.multiplesMarked == 0)
    return Refusal{"MULTIPLES A REDUCIR",
                   "No ha seleccionado ningún múltiple a reducir. Seleccione los múltiples que desea reducir "
                   "antes de iniciar la reducción."};
  if (reduction.reducedBets == 0)
    return Refusal{"NO HAY APUESTAS REDUCIDAS",
                   "La combinación  de  la  quiniela base y los factores de reducción actuales   da   lugar   a   "
                   "que  la  totalidad  de  las  apuestas  sean rechazadas.  Modifique  estos  factores hasta que "
                   "haya al menos una apuesta aceptada para poder efectuar una reducción válida."};
  return std::nullopt;
}

Refusal ReductionExistsQuestion() {
  return {"REDUCCIÓN YA EXISTE",
          "Ya existe una reducción correspondiente a esa jornada  y  con ese número de orden. Si desea conservar "
          "la reducción existente, pulse Salir ,cambie el número de orden de la reducción actual y vuelva a "
          "realizar la reducción. Si no desea conservar la que ya existe, pulse Reducir para que continue el "
          "proceso de reducción."};
}

void ResetUnusedParameters(BaseRecord& reduction) {
  if (reduction.reductionMethod != kProbableColumnMethod) reduction.minErrors = reduction.maxErrors = 0;
  if (reduction.reductionMethod != kSignSelectionMethod) reduction.allowedTotals = AllowedTotals{};
}

std::string BetCountsLine(std::int32_t directBets, std::int32_t reducedBets) {
  return RightAligned(std::to_string(directBets), 9) + " apuestas reducidas a " +
         FixedWidth(std::to_string(reducedBets), 7);
}

int ProgressPercent(std::int64_t done, std::int64_t total) {
  return total > 0 ? static_cast<int>(done * 100 / total) : 0;
}

std::string ProgressLine(int percent) {
  return "Se ha realizado el " + RightAligned(std::to_string(percent), 3) + " % de la reducción ";
}

}  // namespace vetra
