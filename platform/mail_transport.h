#pragma once
// The e-mail output's transport: SMTP through libcurl. Signing on takes the
// account (the log-on dialog when it must be asked); every message is one
// exchange with the server. curl's failures become the mail error numbers with
// a Spanish description, curl's own words after it in parentheses.
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "output/mail_message.h"
#include "platform/mail_settings.h"

class QWidget;

namespace vetra {

class CurlMailTransport : public MailTransport {
 public:
  // The account to sign on with, or nothing when the user cancelled.
  using Ask = std::function<std::optional<MailAccount>()>;
  // Whether to trust a server certificate no authority vouches for, given the
  // server and the certificate's SHA-256 fingerprint.
  using Trust = std::function<bool(const QString& server, const QString& fingerprint)>;

  CurlMailTransport(Ask ask, Trust trust);
  ~CurlMailTransport() override;
  CurlMailTransport(const CurlMailTransport&) = delete;
  CurlMailTransport& operator=(const CurlMailTransport&) = delete;

  bool SessionOpen() const override;
  MailStatus SignOn() override;
  // A certificate the server's authority does not vouch for is offered to
  // `trust` once; when trusted it is pinned for the server and the message
  // goes again.
  MailStatus Send(const MailMessage& message) override;
  void SignOff() override;

 private:
  MailStatus Deliver(const MailMessage& message, bool& untrusted);
  bool TrustServerCertificate();

  Ask ask_;
  Trust trust_;
  MailAccount account_;
  void* curl_ = nullptr;  // the session's easy handle
};

// The transport of the e-mail output: the curl one with the log-on dialog
// and the certificate question over `parent`, unless a test has set another.
std::unique_ptr<MailTransport> MakeMailTransport(QWidget* parent);
void SetMailTransportForTesting(std::function<std::unique_ptr<MailTransport>()> make);

}  // namespace vetra
