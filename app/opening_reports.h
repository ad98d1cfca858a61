#pragma once
// While a screen opens, filling its lists loads the current reduction more
// than once; a damaged file met there is reported once, not once per load.
#include <string>

#include "app/file_errors.h"

namespace vetra {

struct AppState;

// Stands in for the state's reporter while it lives: the first report goes
// through, the ones after it are dropped.
class FirstReportOnly : public FileErrorReporter {
 public:
  explicit FirstReportOnly(AppState& app);
  ~FirstReportOnly() override;
  FirstReportOnly(const FirstReportOnly&) = delete;
  FirstReportOnly& operator=(const FirstReportOnly&) = delete;
  void Report(const std::string& message) override;

 private:
  AppState& app_;
  FileErrorReporter* shown_;
  bool reported_ = false;
};

}  // namespace vetra
