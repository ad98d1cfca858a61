#pragma once
// The choice of the data folder at start-up.
#include <string>

namespace vetra {

struct AppState;

// The files shipped beside the program, copied in this order into a fresh
// fallback folder.
inline constexpr const char* kShippedFiles[] = {"BASES.VTR",   "DATOSGEN.VTR", "DIRECC.VTR",
                                                "EQUIPOS.VTR", "JORNADAS.VTR", "RED0101.VTR",
                                                "RED0102.VTR", "RED0103.VTR",  "RED0201.VTR"};

// `folder` with "/" appended unless it already ends with one.
std::string WithSeparator(const std::string& folder);

// The full name of a data file in the data folder.
std::string DataFilePath(const AppState& app, const std::string& name);

// Keeps the program folder (app.dataFolder on entry) as the data folder when a
// probe file can be created there; otherwise switches to the fallback folder
// "Temp/Zyrd/" under `systemDirectory` and fills it with the shipped files the
// first time it lacks DATOSGEN.VTR. Every failure is ignored.
void PrepareDataFolder(AppState& app, const std::string& systemDirectory);

}  // namespace vetra
