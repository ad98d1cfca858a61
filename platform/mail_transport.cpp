#include "platform/mail_transport.h"

#include <curl/curl.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QSslCertificate>
#include <QSslKey>
#include <algorithm>
#include <cstring>
#include <mutex>

#include "output/mail_address.h"
#include "platform/mail_logon.h"
#include "platform/mail_wire.h"

namespace vetra {
namespace {

constexpr long kConnectSeconds = 30;
constexpr long kStalledSeconds = 60;  // a transfer slower than 1 byte/s this long fails

CURL* Handle(void* curl) { return static_cast<CURL*>(curl); }

void InitialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
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

bool Untrusted(CURLcode code) {
  return code == CURLE_PEER_FAILED_VERIFICATION || code == CURLE_SSL_PINNEDPUBKEYNOTMATCH;
}

// Failures that the account's data may cause: the dialog comes back next time.
bool AccountFailure(CURLcode code) {
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_USE_SSL_FAILED:
    case CURLE_LOGIN_DENIED:
      return true;
    default:
      return Untrusted(code);
  }
}

MailStatus StatusOf(CURLcode code, long response, const char* detail, const MailAccount& account) {
  const std::string server = "«" + account.server.toStdString() + "»";
  std::string description;
  int number = mail::kNetworkFailure;
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
      description = "No se encuentra el servidor de correo " + server;
      break;
    case CURLE_COULDNT_CONNECT:
      description = "No se puede conectar con el servidor de correo " + server + " en el puerto " +
                    std::to_string(account.port);
      break;
    case CURLE_OPERATION_TIMEDOUT:
      description = "El servidor de correo " + server + " no responde";
      break;
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
      description = "Se ha cortado la conexión con el servidor de correo " + server;
      break;
    case CURLE_SSL_CONNECT_ERROR:
      description = "No se ha podido establecer una conexión segura con el servidor de correo " + server;
      break;
    case CURLE_USE_SSL_FAILED:
      description = "El servidor de correo " + server + " no ofrece conexión segura (STARTTLS)";
      break;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
      description = "El certificado del servidor de correo " + server + " no es de confianza y no se ha aceptado";
      break;
    case CURLE_LOGIN_DENIED:
      number = mail::kFailure;
      description = "El servidor de correo no ha aceptado el usuario o la contraseña";
      break;
    case CURLE_OUT_OF_MEMORY:
      number = mail::kInsufficientMemory;
      description = "Memoria insuficiente";
      break;
    case CURLE_SEND_ERROR:
      // Also a refusal of the server, which comes with its reply code.
      if (response < 400) {
        description = "Se ha cortado la conexión con el servidor de correo " + server;
        break;
      }
      [[fallthrough]];
    default:
      number = mail::kFailure;
      description = response >= 400 ? "El servidor de correo ha rechazado el mensaje (respuesta " +
                                           std::to_string(response) + ")"
                                     : "Fallo no especificado";
  }
  if (detail && *detail) description += std::string(" (") + detail + ")";
  return {number, description};
}

// The options every exchange with the account's server shares.
void SetServer(CURL* curl, const MailAccount& account, const std::string& url, char* detail) {
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_USE_SSL,
                   account.security == MailSecurity::StartTls ? CURLUSESSL_ALL : CURLUSESSL_NONE);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, detail);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kStalledSeconds);
}

std::string ServerUrl(const MailAccount& account) {
  return (account.security == MailSecurity::Ssl ? "smtps://" : "smtp://") + account.server.toStdString() + ":" +
         std::to_string(account.port);
}

// The certificate the server presents, read over a connection that checks
// nothing and sends nothing but the greeting: its SHA-256 fingerprint and the
// pin of its public key.
struct ServerCertificate {
  QString fingerprint;
  QString pin;
};

std::optional<ServerCertificate> PresentedCertificate(const MailAccount& account) {
  CURL* curl = curl_easy_init();
  if (!curl) return std::nullopt;
  char detail[CURL_ERROR_SIZE] = "";
  const std::string url = ServerUrl(account);
  SetServer(curl, account, url, detail);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
  curl_easy_setopt(curl, CURLOPT_CERTINFO, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECT_ONLY, 1L);
  std::optional<ServerCertificate> presented;
  curl_certinfo* chain = nullptr;
  if (curl_easy_perform(curl) == CURLE_OK && curl_easy_getinfo(curl, CURLINFO_CERTINFO, &chain) == CURLE_OK &&
      chain && chain->num_of_certs > 0) {
    for (curl_slist* field = chain->certinfo[0]; field; field = field->next)
      if (std::strncmp(field->data, "Cert:", 5) == 0) {
        const QSslCertificate certificate(QByteArray(field->data + 5));
        const QByteArray key = certificate.publicKey().toDer();
        if (certificate.isNull() || key.isEmpty()) break;
        presented = ServerCertificate{
            QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper()),
            QStringLiteral("sha256//") +
                QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toBase64())};
      }
  }
  curl_easy_cleanup(curl);
  return presented;
}

std::function<std::unique_ptr<MailTransport>()>& TransportMaker() {
  static std::function<std::unique_ptr<MailTransport>()> make;
  return make;
}

}  // namespace

CurlMailTransport::CurlMailTransport(Ask ask, Trust trust) : ask_(std::move(ask)), trust_(std::move(trust)) {}

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
  bool untrusted = false;
  MailStatus status = Deliver(message, untrusted);
  if (untrusted && TrustServerCertificate()) status = Deliver(message, untrusted);
  return status;
}

MailStatus CurlMailTransport::Deliver(const MailMessage& message, bool& untrusted) {
  CURL* curl = Handle(curl_);
  curl_easy_reset(curl);
  const std::string url = ServerUrl(account_);
  const std::string user = account_.user.toStdString(), password = account_.password.toStdString();
  const std::string sender = account_.sender.toStdString();
  const std::string from = "<" + EnvelopeAddress(sender) + ">";
  const std::string to = "<" + EnvelopeAddress(message.recipient) + ">";
  const std::string wire = MailWireText(message, sender, QDateTime::currentDateTime(), NewMessageId(sender));
  const std::string pin = AcceptedCertificate(account_).toStdString();
  Upload upload{&wire};
  char detail[CURL_ERROR_SIZE] = "";
  curl_slist* recipients = curl_slist_append(nullptr, to.c_str());

  SetServer(curl, account_, url, detail);
  // A certificate the user accepted stands for itself: its key must match.
  if (!pin.empty() && account_.security != MailSecurity::None) {
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(curl, CURLOPT_PINNEDPUBLICKEY, pin.c_str());
  }
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

  const CURLcode code = curl_easy_perform(curl);
  long response = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response);
  curl_slist_free_all(recipients);
  untrusted = Untrusted(code);
  if (code == CURLE_OK) return {};
  if (AccountFailure(code)) MarkMailAccountFailed();
  return StatusOf(code, response, detail, account_);
}

// Offers the server's certificate to the user; an accepted one is pinned.
bool CurlMailTransport::TrustServerCertificate() {
  const std::optional<ServerCertificate> presented = PresentedCertificate(account_);
  if (!presented || !trust_ || !trust_(account_.server, presented->fingerprint)) return false;
  AcceptCertificate(account_, presented->pin);
  return true;
}

void CurlMailTransport::SignOff() {
  if (curl_) curl_easy_cleanup(Handle(curl_));
  curl_ = nullptr;
}

std::unique_ptr<MailTransport> MakeMailTransport(QWidget* parent) {
  if (TransportMaker()) return TransportMaker()();
  return std::make_unique<CurlMailTransport>(
      [parent] { return AskMailAccount(parent); },
      [parent](const QString& server, const QString& fingerprint) {
        return TrustMailCertificate(parent, server, fingerprint);
      });
}

void SetMailTransportForTesting(std::function<std::unique_ptr<MailTransport>()> make) {
  TransportMaker() = std::move(make);
}

}  // namespace vetra
