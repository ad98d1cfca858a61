#pragma once
// "DIRECC.VTR": the e-mail addresses, one per line (file bytes).
#include <cstddef>
#include <string>
#include <vector>

namespace vetra {

struct AppState;

inline constexpr const char* kAddressFile = "DIRECC.VTR";
inline constexpr std::size_t kAddressLength = 50;  // the most a new address can be typed with

// The addresses in file order. A missing file is created empty without a
// word; other errors are reported as "CLD" (or "CLDE"). Sets lastFileError.
std::vector<std::string> LoadAddressList(AppState& app);

// Replaces the file with the addresses, trimmed, one per line. A failure is
// reported as "ELD", sets lastFileError and keeps the previous file.
void WriteAddressList(AppState& app, const std::vector<std::string>& addresses);

}  // namespace vetra
