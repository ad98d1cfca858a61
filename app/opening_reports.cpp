#include "app/opening_reports.h"

#include "app/app_state.h"

namespace vetra {

FirstReportOnly::FirstReportOnly(AppState& app) : app_(app), shown_(app.reporter) { app_.reporter = this; }

FirstReportOnly::~FirstReportOnly() { app_.reporter = shown_; }

void FirstReportOnly::Report(const std::string& message) {
  if (reported_ || !shown_) return;
  reported_ = true;
  shown_->Report(message);
}

}  // namespace vetra
