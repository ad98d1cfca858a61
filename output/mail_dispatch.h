#pragma once
// The e-mail output: the subject and text of the message of the current
// reduction and the sending of one message to each chosen address.
#include <string>
#include <string_view>
#include <vector>

#include "app/number_format.h"
#include "output/mail_message.h"

namespace vetra {

struct AppState;

// "Datos de la jornada 7. Reducción nro. 1" (Windows-1252).
std::string MailSubject(const AppState& app);

struct MailContents {
  bool base = true;      // the base, the fixtures and the figures
  bool columns = false;  // every reduced column, numbered
  std::string guarantee{};  // the guarantee's text, added at the end; empty when not asked for
};

// The message text (Windows-1252, CR LF); empty when nothing is asked for.
// The columns are read from the reduction's column file; when it cannot be
// opened their part is left out.
std::string MailText(AppState& app, MailContents contents, const NumberMarks& marks);

// What the user is told of a failure (UTF-8).
std::string MailErrorMessage(const MailStatus& status);

// Signs on when no session is open, sends one message to each address in
// turn and signs off. The first failure is reported through the state's
// reporter and ends the sending; what was sent stays sent. Nothing is sent,
// and the session is not even opened, when no address is chosen or one of
// them is not plain ASCII: the reporter says which. Returns the addresses the
// messages went to (trimmed entries).
std::vector<std::string> SendReductionMail(AppState& app, MailTransport& transport,
                                           const std::vector<std::string>& addresses, MailContents contents,
                                           const NumberMarks& marks);

// What the user is told when the sending ends: how many messages went and to
// whom, one address a line (UTF-8).
std::string MailSentSummary(const std::vector<std::string>& sent);

}  // namespace vetra
