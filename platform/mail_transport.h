#pragma once
// The e-mail output's transport: SMTP through libcurl. Signing on asks for the
// account (the log-on dialog) and opens one connection that every message of
// the session reuses; curl's failures become the mail error numbers.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "output/mail_message.h"
#include "platform/mail_logon.h"

class QWidget;

namespace vetra {

class CurlMailTransport : public MailTransport {
 public:
  // `ask` gives the account to sign on with, or nothing when the user
  // cancelled.
  explicit CurlMailTransport(std::function<std::optional<MailAccount>()> ask);
  ~CurlMailTransport() override;
  CurlMailTransport(const CurlMailTransport&) = delete;
  CurlMailTransport& operator=(const CurlMailTransport&) = delete;

  bool SessionOpen() const override;
  MailStatus SignOn() override;
  MailStatus Send(const MailMessage& message) override;
  void SignOff() override;

 private:
  std::function<std::optional<MailAccount>()> ask_;
  MailAccount account_;
  void* curl_ = nullptr;  // the session's easy handle
};

// The message as it goes over the wire: headers, a blank line and the text in
// UTF-8, lines ended by CR LF. `date` is the Date header's value.
std::string MailWireText(const MailMessage& message, const std::string& sender, const std::string& date);

// The envelope address of a list entry: the part between "<" and ">" when it
// has one, else the whole entry.
std::string EnvelopeAddress(const std::string& entry);

// The transport of the e-mail output: the curl one with the log-on dialog
// over `parent`, unless a test has set another.
std::unique_ptr<MailTransport> MakeMailTransport(QWidget* parent);
void SetMailTransportForTesting(std::function<std::unique_ptr<MailTransport>()> make);

}  // namespace vetra
