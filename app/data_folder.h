#pragma once
// The choice of the data folder at start-up.
#include <string>

namespace vetra {

struct AppState;

// The files shipped with the program, copied in this order into a new data
// folder.
inline constexpr const char* kShippedFiles[] = {"BASES.VTR",   "DATOSGEN.VTR", "DIRECC.VTR",
                                                "EQUIPOS.VTR", "JORNADAS.VTR", "RED0101.VTR",
                                                "RED0102.VTR", "RED0103.VTR",  "RED0201.VTR"};

// `folder` with "/" appended unless it already ends with one.
std::string WithSeparator(const std::string& folder);

// The full name of a data file in the data folder.
std::string DataFilePath(const AppState& app, const std::string& name);

// Whether a file can be created in `folder`: tried with the probe file
// "CSCD.WRK", which does not remain.
bool CanWriteFolder(const std::string& folder);

// Makes `folder` the data folder, creating it when missing and filling it with
// the shipped files of app.programFolder the first time it lacks DATOSGEN.VTR;
// a shipped file that cannot be copied is skipped. True when the folder can be
// written.
bool UseDataFolder(AppState& app, const std::string& folder);

}  // namespace vetra
