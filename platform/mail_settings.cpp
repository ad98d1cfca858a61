#include "platform/mail_settings.h"

#include <QFile>
#include <QSettings>
#include <algorithm>

#include "platform/password_keyring.h"

namespace vetra {
namespace {

const QString kGroup = QStringLiteral("Correo");
const QString kKeyringKey = QStringLiteral("correo");
// Where versions before the keyring wrote the password in plain text.
const QString kOldPassword = QStringLiteral("contrasena");

// The settings file names the account's server and user: its owner alone
// reads it.
class AccountSettings : public QSettings {
 public:
  AccountSettings() : QSettings(QStringLiteral("Vetra32"), QStringLiteral("Vetra32")) { beginGroup(kGroup); }
  ~AccountSettings() override {
    sync();
    QFile::setPermissions(fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  }
};

QString CertificateKey(const MailAccount& account) {
  return QStringLiteral("certificado_%1_%2").arg(account.server).arg(account.port);
}

// A password left in the file by an older version moves to the keyring, or
// is dropped when no keyring takes it: it must not stay on disk.
void MoveOldPassword(AccountSettings& settings) {
  if (!settings.contains(kOldPassword)) return;
  const bool kept = MailKeyring().Write(kKeyringKey, settings.value(kOldPassword).toString());
  settings.setValue(QStringLiteral("recordar"), kept);
  settings.remove(kOldPassword);
}

}  // namespace

int DefaultMailPort(MailSecurity security) {
  switch (security) {
    case MailSecurity::None: return 25;
    case MailSecurity::Ssl: return 465;
    default: return 587;
  }
}

MailAccount SavedMailAccount() {
  AccountSettings settings;
  MoveOldPassword(settings);
  MailAccount account;
  account.server = settings.value(QStringLiteral("servidor")).toString();
  const int security = std::clamp(settings.value(QStringLiteral("seguridad"), 1).toInt(), 0, 2);
  account.security = static_cast<MailSecurity>(security);
  account.port = settings.value(QStringLiteral("puerto"), DefaultMailPort(account.security)).toInt();
  account.user = settings.value(QStringLiteral("usuario")).toString();
  account.sender = settings.value(QStringLiteral("remitente")).toString();
  account.keepPassword = settings.value(QStringLiteral("recordar"), false).toBool();
  if (account.keepPassword) account.password = MailKeyring().Read(kKeyringKey).password;
  return account;
}

bool SaveMailAccount(const MailAccount& account) {
  AccountSettings settings;
  settings.setValue(QStringLiteral("servidor"), account.server);
  settings.setValue(QStringLiteral("puerto"), account.port);
  settings.setValue(QStringLiteral("seguridad"), static_cast<int>(account.security));
  settings.setValue(QStringLiteral("usuario"), account.user);
  settings.setValue(QStringLiteral("remitente"), account.sender);
  settings.remove(QStringLiteral("revisar"));
  const bool kept = account.keepPassword && MailKeyring().Write(kKeyringKey, account.password);
  if (!account.keepPassword) MailKeyring().Remove(kKeyringKey);
  settings.setValue(QStringLiteral("recordar"), kept);
  return kept == account.keepPassword;
}

void MarkMailAccountFailed() { AccountSettings().setValue(QStringLiteral("revisar"), true); }

bool MailAccountFailed() { return AccountSettings().value(QStringLiteral("revisar"), false).toBool(); }

QString AcceptedCertificate(const MailAccount& account) {
  return AccountSettings().value(CertificateKey(account)).toString();
}

void AcceptCertificate(const MailAccount& account, const QString& pin) {
  AccountSettings().setValue(CertificateKey(account), pin);
}

}  // namespace vetra
