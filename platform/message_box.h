#pragma once
#include "app/file_errors.h"

namespace vetra {

// The system message box with an OK button, for the file routines' errors.
class MessageBoxReporter : public FileErrorReporter {
 public:
  void Report(const std::string& message) override;
};

// The system message box with an information icon, for what went right.
void ShowNotice(const std::string& message);

}  // namespace vetra
