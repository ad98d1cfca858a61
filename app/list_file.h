#pragma once
// The plain list files, the team names and the e-mail addresses: one entry
// per line, trimmed, CR LF. They are read field by field like the general
// data, so an entry holding a comma comes back as two.
#include <cstddef>
#include <string>
#include <vector>

namespace vetra {

// Every field of the file in order, empty ones left out, each cut to the
// `width` an entry can be typed with, so that a damaged file of huge lines
// cannot freeze a list. 0 or the error number.
int ReadListFile(const std::string& path, std::size_t width, std::vector<std::string>& entries);

// Replaces the file with one line per entry, trimmed; empty entries are left
// out. A failure leaves the previous file as it was.
int WriteListFile(const std::string& path, const std::vector<std::string>& entries);

}  // namespace vetra
