#pragma once
// Column files whose every column tells its own number, for the browser's
// tests, and the bytes the process has read, to show what was not read.
#include <fstream>
#include <string>

#include "reductions/column_file.h"

namespace vetra::testing {

// Column n (from 0): n in base 3 over the 14 matches, match 1 fastest.
inline std::string ColumnNumber(long long n) {
  std::string column;
  for (int m = 0; m < 14; ++m, n /= 3) column += "1X2"[n % 3];
  return column;
}

// The file lines of columns `from` .. `from + count - 1`.
inline std::string NumberedLines(long long from, long long count) {
  std::string lines;
  for (long long n = from; n < from + count; ++n) lines += ColumnLine(ColumnNumber(n));
  return lines;
}

// Bytes this process has read so far ("rchar" of /proc/self/io), -1 unknown.
inline long long BytesRead() {
  std::ifstream io("/proc/self/io");
  std::string key;
  long long value = 0;
  while (io >> key >> value)
    if (key == "rchar:") return value;
  return -1;
}

}  // namespace vetra::testing
