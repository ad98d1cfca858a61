#include "platform/mail_transport.h"

#include <curl/curl.h>

#include <QDateTime>
#include <QString>
#include <algorithm>
#include <cstring>
#include <mutex>

#include "app/cp1252.h"

namespace vetra {
namespace {

constexpr long kConnectSeconds = 30;
constexpr long kStalledSeconds = 60;  // a transfer slower than 1 byte/s this long fails

CURL* Handle(void* curl) { return static_cast<CURL*>(curl); }

void InitialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// A header value: as it is when plain ASCII, else an encoded word.
std::string HeaderText(const std::string& utf8) {
  if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return utf8;
  const QByteArray base64 = QByteArray::fromStdString(utf8).toBase64();
  return "=?UTF-8?B?" + base64.toStdString() + "?=";
}

struct Upload {
  const std::string* text;
  std::size_t sent = 0;
};

std::size_t ReadUpload(char* buffer, std::size_t size, std::size_t count, void* data) {
  auto* upload = static_cast<Upload*>(data);
  const std::size_t n = std::min(size * count, upload->text->size() - upload->sent);
  std::memcpy(buffer, upload->text->data() + upload->sent, n);
  upload->sent += n;
  return n;
}

MailStatus StatusOf(CURLcode code, long response, const char* detail) {
  std::string description;
  int number = mail::kFailure;
  switch (code) {
    case CURLE_LOGIN_DENIED:
      number = mail::kLoginFail;
      description = "Fallo en el inicio de sesión";
      break;
    case CURLE_OUT_OF_MEMORY:
      number = mail::kInsufficientMemory;
      description = "Memoria insuficiente";
      break;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_USE_SSL_FAILED:
      number = mail::kNetworkFailure;
      description = "Fallo de la red";
      break;
    default:
      // A refusal of the server comes with its reply code.
      if (response >= 400) {
        description = "El servidor ha rechazado el mensaje (" + std::to_string(response) + ")";
      } else if (code == CURLE_SEND_ERROR) {
        number = mail::kNetworkFailure;
        description = "Fallo de la red";
      } else {
        description = "Fallo no especificado";
      }
  }
  if (detail && *detail) description += std::string(": ") + detail;
  return {number, description};
}

std::function<std::unique_ptr<MailTransport>()>& TransportMaker() {
  static std::function<std::unique_ptr<MailTransport>()> make;
  return make;
}

}  // namespace

std::string EnvelopeAddress(const std::string& entry) {
  const std::size_t open = entry.rfind('<');
  const std::size_t close = entry.rfind('>');
  if (open != std::string::npos && close != std::string::npos && open < close)
    return entry.substr(open + 1, close - open - 1);
  return entry;
}

std::string MailWireText(const MailMessage& message, const std::string& sender, const std::string& date) {
  std::string text = "Date: " + date + "\r\n";
  text += "From: " + sender + "\r\n";
  // A display name may need encoding; the address in brackets never does.
  const std::string to = Cp1252ToUtf8(message.recipient);
  const std::size_t bracket = to.rfind('<');
  if (bracket == std::string::npos || bracket == 0) {
    text += "To: " + HeaderText(to) + "\r\n";
  } else {
    const std::string name = to.substr(0, to.find_last_not_of(' ', bracket - 1) + 1);
    text += "To: " + HeaderText(name) + " " + to.substr(bracket) + "\r\n";
  }
  text += "Subject: " + HeaderText(Cp1252ToUtf8(message.subject)) + "\r\n";
  text += "MIME-Version: 1.0\r\n";
  text += "Content-Type: text/plain; charset=UTF-8\r\n";
  text += "Content-Transfer-Encoding: 8bit\r\n";
  text += "\r\n";
  return text + Cp1252ToUtf8(message.text);
}

CurlMailTransport::CurlMailTransport(std::function<std::optional<MailAccount>()> ask) : ask_(std::move(ask)) {}

CurlMailTransport::~CurlMailTransport() { SignOff(); }

bool CurlMailTransport::SessionOpen() const { return curl_ != nullptr; }

MailStatus CurlMailTransport::SignOn() {
  SignOff();
  const std::optional<MailAccount> account = ask_ ? ask_() : std::nullopt;
  if (!account) return {mail::kLoginFail, "Inicio de sesión cancelado"};
  InitialiseCurlOnce();
  CURL* curl = curl_easy_init();
  if (!curl) return {mail::kFailure, "Fallo no especificado"};
  account_ = *account;
  curl_ = curl;
  return {};
}

MailStatus CurlMailTransport::Send(const MailMessage& message) {
  if (!curl_) return {mail::kFailure, "No hay ninguna sesión abierta"};
  CURL* curl = Handle(curl_);
  curl_easy_reset(curl);

  const bool ssl = account_.security == MailSecurity::Ssl;
  const std::string url = (ssl ? "smtps://" : "smtp://") + account_.server.toStdString() + ":" +
                          std::to_string(account_.port);
  const std::string user = account_.user.toStdString(), password = account_.password.toStdString();
  const std::string sender = account_.sender.toStdString();
  const std::string from = "<" + EnvelopeAddress(sender) + ">";
  const std::string to = "<" + EnvelopeAddress(message.recipient) + ">";
  const std::string wire =
      MailWireText(message, sender, QDateTime::currentDateTime().toString(Qt::RFC2822Date).toStdString());
  Upload upload{&wire};
  char detail[CURL_ERROR_SIZE] = "";
  curl_slist* recipients = curl_slist_append(nullptr, to.c_str());

  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_USE_SSL, account_.security == MailSecurity::StartTls ? CURLUSESSL_ALL : CURLUSESSL_NONE);
  if (!user.empty()) {
    curl_easy_setopt(curl, CURLOPT_USERNAME, user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password.c_str());
  }
  curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.c_str());
  curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl, CURLOPT_READFUNCTION, ReadUpload);
  curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
  curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(wire.size()));
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, detail);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kStalledSeconds);

  const CURLcode code = curl_easy_perform(curl);
  long response = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response);
  curl_slist_free_all(recipients);
  if (code == CURLE_OK) return {};
  return StatusOf(code, response, detail);
}

void CurlMailTransport::SignOff() {
  if (curl_) curl_easy_cleanup(Handle(curl_));
  curl_ = nullptr;
}

std::unique_ptr<MailTransport> MakeMailTransport(QWidget* parent) {
  if (TransportMaker()) return TransportMaker()();
  return std::make_unique<CurlMailTransport>([parent] { return AskMailAccount(parent); });
}

void SetMailTransportForTesting(std::function<std::unique_ptr<MailTransport>()> make) {
  TransportMaker() = std::move(make);
}

}  // namespace vetra
