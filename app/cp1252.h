#pragma once
// The data files hold Windows-1252 bytes; texts shown on screen and written in
// the program's messages are UTF-8. These two functions are the only bridge.
#include <string>
#include <string_view>

namespace vetra {

// Every byte maps to one character; the five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of
// the same number, so that any file survives a round trip.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters outside Windows-1252 become "?"; malformed UTF-8 bytes likewise.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace vetra
