#include "app/general_data.h"

#include <algorithm>
#include <cstdint>

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/delimited_fields.h"
#include "app/file_errors.h"
#include "app/file_io.h"
#include "app/numbers.h"

namespace vetra {
namespace {

constexpr std::size_t kPriceWidth = 4;
constexpr std::size_t kDelegationWidth = 2;
constexpr std::size_t kReceptorWidth = 5;
constexpr std::size_t kSoundWidth = 2;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Reads the fields in file order; stops at the first one that fails and
// returns its error number, leaving the later fields as they were.
int ReadFields(DelimitedReader& in, AppState& app) {
  std::int16_t* before[] = {&app.currentMatchday};
  std::int16_t* after[] = {&app.currentOrder,    &app.reductionMethod, &app.printAdjust1,
                           &app.printAdjust2,    &app.printAdjust3,    &app.printAdjust4,
                           &app.printOrientation, &app.totalMatchdays};
  for (std::int16_t* field : before)
    if (int number = in.ReadInt16(*field)) return number;
  if (int number = in.ReadText(app.currentMatchdayDate)) return number;
  for (std::int16_t* field : after)
    if (int number = in.ReadInt16(*field)) return number;
  const std::pair<std::string*, std::size_t> texts[] = {{&app.betPriceText, kPriceWidth},
                                                        {&app.delegationCode, kDelegationWidth},
                                                        {&app.receptorCode, kReceptorWidth},
                                                        {&app.soundSetting, kSoundWidth}};
  for (const auto& [field, width] : texts) {
    std::string text;
    if (int number = in.ReadText(text)) return number;
    *field = FixedWidth(text, width);
  }
  return 0;
}

constexpr int kLongestSeason = 52;
constexpr int kDefaultSeason = 44;
constexpr int kOrders = 30;
constexpr int kMethods = 3;
constexpr int kOrientations = 2;

}  // namespace

std::int16_t SeasonLengthInRange(double typed) {
  if (typed < 1) return kDefaultSeason;
  if (typed > kLongestSeason) return kLongestSeason;
  return static_cast<std::int16_t>(RoundHalfEven(typed));
}

void KeepGeneralDataInRange(AppState& app) {
  app.totalMatchdays = SeasonLengthInRange(app.totalMatchdays);
  app.currentMatchday = std::clamp<std::int16_t>(app.currentMatchday, 1, app.totalMatchdays);
  app.currentOrder = std::clamp<std::int16_t>(app.currentOrder, 1, kOrders);
  if (app.reductionMethod < 1 || app.reductionMethod > kMethods) app.reductionMethod = 1;
  if (app.printOrientation < 1 || app.printOrientation > kOrientations) app.printOrientation = 1;
}

void SetGeneralDataDefaults(AppState& app) {
  app.currentMatchday = 1;
  app.currentMatchdayDate = "01/09/02";
  app.currentOrder = 1;
  app.reductionMethod = 1;
  app.printAdjust1 = app.printAdjust2 = app.printAdjust3 = app.printAdjust4 = 0;
  app.printOrientation = 1;
  app.totalMatchdays = 44;
  app.betPriceText = "0.50";
  app.delegationCode = "00";
  app.receptorCode = "00000";
  app.soundSetting = "Si";
}

std::string GeneralDataLine(const AppState& app) {
  std::string line = std::to_string(app.currentMatchday) + "," + Quoted(app.currentMatchdayDate);
  for (int value : {app.currentOrder, app.reductionMethod, app.printAdjust1, app.printAdjust2, app.printAdjust3,
                    app.printAdjust4, app.printOrientation, app.totalMatchdays})
    line += "," + std::to_string(value);
  line += "," + Quoted(FixedWidth(app.betPriceText, kPriceWidth));
  line += "," + Quoted(FixedWidth(app.delegationCode, kDelegationWidth));
  line += "," + Quoted(FixedWidth(app.receptorCode, kReceptorWidth));
  line += "," + Quoted(FixedWidth(app.soundSetting, kSoundWidth));
  return line + "\r\n";
}

void ReadGeneralData(AppState& app) {
  app.lastFileError = 0;
  const std::string missing = "No se encuentra el fichero de datos generales DATOSGEN.VTR." + app.lineBreak +
                              "Se ha procedido a crearlo automáticamente con los valores establecidos por defecto.";
  const FileRoutine routine{"LDG", missing, "No existe el fichero de datos generales DATOSGEN.VTR"};
  std::string bytes;
  if (int number = ReadFileBytes(DataFilePath(app, kGeneralDataFile), bytes)) {
    RaiseFileError(app, routine, number);
    SetGeneralDataDefaults(app);
    WriteGeneralData(app);
    if (app.lastFileError == 0) app.lastFileError = static_cast<std::int16_t>(number);
  } else {
    DelimitedReader in(bytes);
    if (int number = ReadFields(in, app)) RaiseFileError(app, routine, number);
    KeepGeneralDataInRange(app);
  }
  app.betPrice = static_cast<float>(ValueOf(app.betPriceText));
}

void WriteGeneralData(AppState& app) {
  app.lastFileError = 0;
  const FileRoutine routine{"EDG", "", "No existe la carpeta del fichero de datos generales DATOSGEN.VTR"};
  if (int number = WriteFileReplacing(DataFilePath(app, kGeneralDataFile), GeneralDataLine(app)))
    RaiseFileError(app, routine, number);
}

}  // namespace vetra
