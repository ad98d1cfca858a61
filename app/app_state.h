#pragma once
// The one program-wide state record. Screens read what they need from it and
// from the data files when they are shown; routines pass results through its
// fields and flags (the answer flags of the message dialog, lastFileError).
#include <array>
#include <cstdint>
#include <string>

namespace vetra {

class FileErrorReporter;

// One match of a reduction's base.
struct BaseMatch {
  std::array<std::int16_t, 3> signs{};  // sign 1, X, 2 marked (0/1)
  std::int16_t signCount = 0;           // 1, 2 or 3: single, double or triple
  std::int16_t marked = 0;              // 1: its multiple takes part in the reduction
  std::int16_t probable = 0;            // probable sign: 0 none, 1 "1", 2 "X", 3 "2"
  bool operator==(const BaseMatch&) const = default;
};
using BaseGrid = std::array<BaseMatch, 14>;
// [sign 1, X, 2][total 0..14]: 1 when a kept column may hold exactly that
// many of that sign among the marked matches.
using AllowedTotals = std::array<std::array<std::int16_t, 15>, 3>;

struct AppState {
  // Folder and constants.
  std::string dataFolder;     // folder of every data file; ends with "/" when it is the fallback folder
  std::string programFolder;  // folder of the executable: help file and shipped data files
  std::string lineBreak;      // CR LF, used inside message texts

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
  bool historyPicked = false;  // a line was picked in the history window

  // The current reduction: with currentMatchday, currentOrder and
  // reductionMethod, the fields of its line in the index of reductions.
  std::int16_t minErrors = 0;  // errors allowed against the probable column
  std::int16_t maxErrors = 0;
  std::int32_t directBets = 0;   // columns of the base
  std::int32_t reducedBets = 0;  // columns the reduction keeps
  BaseGrid baseGrid{};
  AllowedTotals allowedTotals{};
  std::string description;  // file bytes, at most 35, trimmed

  // The matchday and order lists of the section screens.
  std::int16_t matchdayListTop = 0;  // top of the matchday panel; the list opens 31 below it
  std::int16_t orderListLeft = 0;    // left of the order panel
  std::int16_t sheetTextLeft = 0;    // where the reduction sheet prints the matchday date
  bool matchdayPanelOpen = false;
  bool orderPanelOpen = false;

  // The main menu reopens the reduction screen while this stays true.
  bool reshowReductionScreen = false;
  std::int16_t keepReductionState = 0;

  // Where the file routines report their run-time errors (never null once the
  // program or a test has set it up).
  FileErrorReporter* reporter = nullptr;

  // The output section: the kind of output the chooser's button asked for
  // (0 basic data, 1 individual slips, 2 relation of slips, 3 disk copy,
  // 4 continuous paper, 5 e-mail) and the slips of the loaded reduction.
  std::int16_t outputType = 0;
  std::int32_t slipCount = 0;  // floor((reducedBets + 7) / 8)

  // The reduction browser's scroll track, set by its layout: the range of the
  // scroll button's left edge and the height of the track's line, from which
  // the line is drawn on the sheet.
  std::int16_t scrollTrackLeft = 0;
  std::int16_t scrollTrackRight = 0;
  std::int16_t scrollTrackTop = 0;
};

}  // namespace vetra
