#pragma once
// "DATOSGEN.VTR": the one line of general data kept from run to run.
#include <cstdint>
#include <string>

namespace vetra {

struct AppState;

inline constexpr const char* kGeneralDataFile = "DATOSGEN.VTR";

// Fills the 14 persisted fields from the file, or creates the file with the
// defaults when it cannot be opened; then derives betPrice. Sets lastFileError.
void ReadGeneralData(AppState& app);

// Writes the 14 persisted fields, replacing the file. A failure (read-only
// folder, full disk) is reported, sets lastFileError and leaves the previous
// file as it was.
void WriteGeneralData(AppState& app);

// The season length the general data screen keeps: below 1 the default 44,
// above 52 the 52 matchdays of the longest season.
std::int16_t SeasonLengthInRange(double typed);

// Brings values a damaged file may hold back into the ranges the screens
// keep them in (season, matchday within it, order 1 to 30, method, slip
// position), by the rules the screens apply to typed values.
void KeepGeneralDataInRange(AppState& app);

// The 14 fields set to their defaults.
void SetGeneralDataDefaults(AppState& app);

// The file's line, CR LF included, for the current values.
std::string GeneralDataLine(const AppState& app);

}  // namespace vetra
