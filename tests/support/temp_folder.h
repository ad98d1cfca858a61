#pragma once
// A fresh folder for one test, removed afterwards, and small file helpers.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/file_errors.h"

namespace vetra::testing {

class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("vetra32-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path() const { return path_.string(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  void Write(const std::string& name, const std::string& bytes) const {
    std::filesystem::create_directories((path_ / name).parent_path());
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

 private:
  std::filesystem::path path_;
};

// Keeps every message a file routine reports.
class RecordingReporter : public FileErrorReporter {
 public:
  void Report(const std::string& message) override { messages.push_back(message); }
  std::vector<std::string> messages;
};

// An AppState working on its own temporary data folder.
struct TestState {
  TempFolder folder;
  RecordingReporter reporter;
  AppState app;
  TestState() {
    app.dataFolder = folder.Path();
    app.programFolder = folder.Path();
    app.lineBreak = "\r\n";
    app.reporter = &reporter;
  }
};

}  // namespace vetra::testing
