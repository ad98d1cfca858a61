#pragma once
// A mail transport that keeps what it is asked to do and fails when told. A
// copy keeps it all in the original, so that a copy handed to a screen that
// drops it leaves its record behind.
#include <string>
#include <vector>

#include "output/mail_message.h"

namespace vetra::testing {

class RecordingMailTransport : public MailTransport {
 public:
  bool SessionOpen() const override { return open; }
  MailStatus SignOn() override {
    log->calls.push_back("signon");
    open = signOnResult.Ok();
    return signOnResult;
  }
  MailStatus Send(const MailMessage& message) override {
    log->calls.push_back("send " + message.recipient);
    if (static_cast<int>(log->sent.size()) == failAtSend) return sendFailure;
    log->sent.push_back(message);
    return {};
  }
  void SignOff() override {
    log->calls.push_back("signoff");
    open = false;
  }

  bool open = false;
  MailStatus signOnResult;
  int failAtSend = -1;  // the send with this index (0-based) fails with sendFailure
  MailStatus sendFailure;
  std::vector<std::string> calls;
  std::vector<MailMessage> sent;
  RecordingMailTransport* log = this;  // where calls and sent go: the original of a copy
};

}  // namespace vetra::testing
