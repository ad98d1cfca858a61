#pragma once
// What the e-mail output asks of a mail transport: a session signed on (the
// transport may ask the user how), one text message per recipient, and an
// error number with a description when anything fails. The numbers are those
// of the simple mail interface the program was first written against, so
// that its messages keep their meaning.
#include <string>

namespace vetra {

namespace mail {
constexpr int kUserAbort = 32001;
constexpr int kFailure = 32002;
constexpr int kLoginFail = 32003;  // also the log-on dialog closed without signing on
constexpr int kInsufficientMemory = 32005;
constexpr int kNetworkFailure = 32023;
constexpr int kNoRecipients = 32057;
}  // namespace mail

// Windows-1252 bytes, lines ended by CR LF, like the rest of the core's texts.
struct MailMessage {
  std::string recipient;  // the address as the list holds it, trimmed
  std::string subject;
  std::string text;
};

// number 0: done. Otherwise the error number and its description (UTF-8).
struct MailStatus {
  int number = 0;
  std::string description;
  bool Ok() const { return number == 0; }
};

class MailTransport {
 public:
  virtual ~MailTransport() = default;
  virtual bool SessionOpen() const = 0;
  // Signs on, asking the user for the account when needed; no mail is read.
  virtual MailStatus SignOn() = 0;
  // Sends at once, without showing anything.
  virtual MailStatus Send(const MailMessage& message) = 0;
  // Ends the session; harmless when none is open.
  virtual void SignOff() = 0;
};

}  // namespace vetra
