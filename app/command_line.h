#pragma once
// The program's command line: --data DIR, --help, --version. Every other
// argument that starts with a single "-" is left to the toolkit (-platform,
// -style, ...).
#include <string>
#include <vector>

namespace vetra {

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kError };
  Action action = Action::kRun;
  std::string dataFolder;  // --data DIR, empty when not given
  std::string error;       // what is wrong, for kError
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);  // without the program name

// The texts printed for --help and --version, in UTF-8 for the terminal.
std::string UsageText();
std::string VersionText();

}  // namespace vetra
