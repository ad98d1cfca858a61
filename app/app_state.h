#pragma once
// The one program-wide state record. Screens read what they need from it and
// from the data files when they are shown; routines pass results through its
// fields and flags (the answer flags of the message dialog, lastFileError).
#include <cstdint>
#include <string>

namespace vetra {

class FileErrorReporter;

struct AppState {
  // Folder and constants.
  std::string dataFolder;     // folder of every data file; ends with "/" when it is the fallback folder
  std::string programFolder;  // folder of the executable: help file and shipped data files
  std::string lineBreak;      // CR LF, used inside message texts
  std::int16_t systemDirectoryLength = 0;

  // Current selection (kept in the general data).
  std::int16_t currentMatchday = 0;
  std::string currentMatchdayDate;
  std::int16_t currentOrder = 0;
  std::int16_t reductionMethod = 0;

  // General settings (kept in the general data). Texts are file bytes.
  std::int16_t totalMatchdays = 0;
  std::string betPriceText;  // exactly 4 characters
  float betPrice = 0;
  std::string delegationCode;  // exactly 2 characters
  std::string receptorCode;    // exactly 5 characters
  std::string soundSetting;    // "Si" or "No", exactly 2 characters
  std::int16_t printAdjust1 = 0;
  std::int16_t printAdjust2 = 0;
  std::int16_t printAdjust3 = 0;
  std::int16_t printAdjust4 = 0;
  std::int16_t printOrientation = 0;

  // Working buffers and flags.
  std::string matchdayRecord;  // 533 bytes of the current matchday
  std::int16_t lastFileError = 0;
  std::string fileToOpen;
  bool listsFilling = false;
  bool helpPressed = false;
  bool deletePressed = false;
  bool copyPressed = false;
  bool reducePressed = false;
  std::int16_t pointerZone = 0;

  // The main menu reopens the reduction screen while this stays true.
  bool reshowReductionScreen = false;
  std::int16_t keepReductionState = 0;

  // Where the file routines report their run-time errors (never null once the
  // program or a test has set it up).
  FileErrorReporter* reporter = nullptr;
};

}  // namespace vetra
