#pragma once
// What a printed output needs from the screen that runs it: the status line,
// the user's cancel, warnings, and, for slips fed one at a time, the
// operator's answer after each slip. The screen serves the user's events
// inside these calls, so that its buttons keep working during the run.
#include <string>

namespace vetra {

enum class OperatorAnswer { Repeat, Next, Cancel };

class OutputRun {
 public:
  virtual ~OutputRun() = default;
  // The run has opened its columns and begins: the screen trades its options
  // for the status panel.
  virtual void Started() {}
  // A line for the status panel (UTF-8).
  virtual void ShowStatus(const std::string& text) = 0;
  // Serves the pending events; true once the user asked to cancel.
  virtual bool Cancelled() = 0;
  // A warning in the message dialog (UTF-8); returns when it is closed.
  virtual void Warn(const std::string& title, const std::string& text) = 0;
  // A job has been sent; `error` is what the printer reported, "" when
  // nothing went wrong or the output does not care.
  virtual void JobEnded(const std::string& error) = 0;
  // Individual slips: the slip about to print is the last one asked for.
  virtual void LastSlip() {}
  // Individual slips: waits until the operator repeats the slip, goes on to
  // the next or cancels.
  virtual OperatorAnswer AwaitOperator() { return OperatorAnswer::Next; }
};

}  // namespace vetra
