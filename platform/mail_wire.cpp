#include "platform/mail_wire.h"

#include <QByteArray>
#include <QUuid>
#include <algorithm>
#include <vector>

#include "app/cp1252.h"
#include "output/mail_address.h"

namespace vetra {
namespace {

constexpr std::size_t kLineLength = 78;
// 36 bytes are 48 base64 characters: with "=?UTF-8?B?" and "?=" a word of 60,
// which leaves room for the header's name on the first line.
constexpr std::size_t kWordBytes = 36;

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Encoded words for a UTF-8 text, each cut at a character's boundary so that
// every word decodes on its own.
std::vector<std::string> EncodedWords(const std::string& utf8) {
  std::vector<std::string> words;
  for (std::size_t start = 0; start < utf8.size();) {
    std::size_t end = std::min(start + kWordBytes, utf8.size());
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
    const QByteArray part = QByteArray::fromStdString(utf8.substr(start, end - start));
    words.push_back("=?UTF-8?B?" + part.toBase64().toStdString() + "?=");
    start = end;
  }
  return words;
}

// A display name as a phrase: as it is when plain ASCII without special
// characters, quoted when it has them, encoded words otherwise.
std::vector<std::string> Phrase(const std::string& utf8) {
  if (!IsAscii(utf8)) return EncodedWords(utf8);
  if (utf8.find_first_of("()<>[]:;@\\,.\"") == std::string::npos) return {utf8};
  std::string quoted = "\"";
  for (char c : utf8) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return {quoted + "\""};
}

// "Name: " and the pieces separated by blanks, folded before a piece that
// would take the line past 78 characters.
std::string Header(const std::string& name, const std::vector<std::string>& pieces) {
  std::string header = name + ":";
  std::size_t lineLength = header.size();
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0 && lineLength + 1 + pieces[i].size() > kLineLength) {
      header += "\r\n";
      lineLength = 0;
    }
    header += " " + pieces[i];
    lineLength += 1 + pieces[i].size();
  }
  return header + "\r\n";
}

std::vector<std::string> AddressPieces(const std::string& utf8Entry) {
  std::vector<std::string> pieces = Phrase(DisplayName(utf8Entry));
  if (pieces.front().empty()) return {EnvelopeAddress(utf8Entry)};
  pieces.push_back("<" + EnvelopeAddress(utf8Entry) + ">");
  return pieces;
}

std::vector<std::string> TextPieces(const std::string& utf8) {
  return IsAscii(utf8) ? std::vector<std::string>{utf8} : EncodedWords(utf8);
}

}  // namespace

std::string MailWireText(const MailMessage& message, const std::string& sender, const QDateTime& date,
                         const std::string& messageId) {
  std::string text = Header("Date", {date.toString(Qt::RFC2822Date).toStdString()});
  text += Header("From", AddressPieces(sender));
  text += Header("To", AddressPieces(Cp1252ToUtf8(message.recipient)));
  text += Header("Subject", TextPieces(Cp1252ToUtf8(message.subject)));
  text += Header("Message-ID", {messageId});
  text += "MIME-Version: 1.0\r\n";
  text += "Content-Type: text/plain; charset=UTF-8\r\n";
  text += "Content-Transfer-Encoding: 8bit\r\n";
  text += "\r\n";
  return text + Cp1252ToUtf8(message.text);
}

std::string NewMessageId(const std::string& sender) {
  const std::string address = EnvelopeAddress(sender);
  const std::size_t at = address.rfind('@');
  const std::string domain = at == std::string::npos || at + 1 == address.size() ? "vetra32.invalid"
                                                                                 : address.substr(at + 1);
  return "<" + QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString() + "@" + domain + ">";
}

}  // namespace vetra
