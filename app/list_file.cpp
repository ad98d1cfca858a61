#include "app/list_file.h"

#include "app/delimited_fields.h"
#include "app/file_io.h"
#include "app/numbers.h"

namespace vetra {

int ReadListFile(const std::string& path, std::size_t width, std::vector<std::string>& entries) {
  entries.clear();
  std::string bytes;
  if (int number = ReadFileBytes(path, bytes)) return number;
  DelimitedReader in(bytes);
  std::string field;
  // Field after field to the end: empty ones (blank lines) are skipped as
  // they come, so that millions of them cost no more than their bytes.
  while (in.ReadText(field) == 0)
    if (!field.empty()) entries.push_back(field.substr(0, width));
  return 0;
}

int WriteListFile(const std::string& path, const std::vector<std::string>& entries) {
  std::string bytes;
  for (const std::string& entry : entries) {
    const std::string trimmed = Trimmed(entry);
    if (!trimmed.empty()) bytes += trimmed + "\r\n";
  }
  return WriteFileReplacing(path, bytes);
}

}  // namespace vetra
