#pragma once
// A message as it goes over the wire: its headers valid for any text (RFC
// 2047 encoded words where a text is not plain ASCII, lines folded), a Date
// and a Message-ID, a blank line, and the text in UTF-8 with CR LF.
#include <QDateTime>
#include <string>

#include "output/mail_message.h"

namespace vetra {

// `sender` is the account's sender in UTF-8 ("Ana <ana@vetra.es>" or a bare
// address); the message's texts are Windows-1252.
std::string MailWireText(const MailMessage& message, const std::string& sender, const QDateTime& date,
                         const std::string& messageId);

// A fresh Message-ID for a message from `sender`: unique, in angle brackets,
// on the sender's domain.
std::string NewMessageId(const std::string& sender);

}  // namespace vetra
