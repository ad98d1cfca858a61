#include "platform/mail_logon.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace vetra {
namespace {

const QString kGroup = QStringLiteral("Correo");

}  // namespace

int DefaultMailPort(MailSecurity security) {
  switch (security) {
    case MailSecurity::None: return 25;
    case MailSecurity::Ssl: return 465;
    default: return 587;
  }
}

MailAccount SavedMailAccount() {
  QSettings settings(QStringLiteral("Vetra32"), QStringLiteral("Vetra32"));
  settings.beginGroup(kGroup);
  MailAccount account;
  account.server = settings.value(QStringLiteral("servidor")).toString();
  const int security = std::clamp(settings.value(QStringLiteral("seguridad"), 1).toInt(), 0, 2);
  account.security = static_cast<MailSecurity>(security);
  account.port = settings.value(QStringLiteral("puerto"), DefaultMailPort(account.security)).toInt();
  account.user = settings.value(QStringLiteral("usuario")).toString();
  account.sender = settings.value(QStringLiteral("remitente")).toString();
  account.keepPassword = settings.contains(QStringLiteral("contrasena"));
  account.password = settings.value(QStringLiteral("contrasena")).toString();
  return account;
}

void SaveMailAccount(const MailAccount& account) {
  QSettings settings(QStringLiteral("Vetra32"), QStringLiteral("Vetra32"));
  settings.beginGroup(kGroup);
  settings.setValue(QStringLiteral("servidor"), account.server);
  settings.setValue(QStringLiteral("puerto"), account.port);
  settings.setValue(QStringLiteral("seguridad"), static_cast<int>(account.security));
  settings.setValue(QStringLiteral("usuario"), account.user);
  settings.setValue(QStringLiteral("remitente"), account.sender);
  if (account.keepPassword)
    settings.setValue(QStringLiteral("contrasena"), account.password);
  else
    settings.remove(QStringLiteral("contrasena"));
}

MailLogon::MailLogon(const MailAccount& account, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("mail_logon"));
  setWindowTitle(QStringLiteral("Inicio de sesión de correo"));
  const auto line = [this](const char* name, const QString& text) {
    auto* box = new QLineEdit(text, this);
    box->setObjectName(QString::fromLatin1(name));
    return box;
  };
  server_ = line("servidor", account.server);
  port_ = new QSpinBox(this);
  port_->setObjectName(QStringLiteral("puerto"));
  port_->setRange(1, 65535);
  port_->setValue(account.port);
  security_ = new QComboBox(this);
  security_->setObjectName(QStringLiteral("seguridad"));
  security_->addItems({QStringLiteral("Ninguna"), QStringLiteral("STARTTLS"), QStringLiteral("SSL/TLS")});
  security_->setCurrentIndex(static_cast<int>(account.security));
  user_ = line("usuario", account.user);
  password_ = line("contrasena", account.password);
  password_->setEchoMode(QLineEdit::Password);
  sender_ = line("remitente", account.sender);
  keepPassword_ = new QCheckBox(QStringLiteral("Recordar la contraseña"), this);
  keepPassword_->setObjectName(QStringLiteral("recordar"));
  keepPassword_->setChecked(account.keepPassword);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Servidor SMTP:"), server_);
  form->addRow(QStringLiteral("Puerto:"), port_);
  form->addRow(QStringLiteral("Seguridad:"), security_);
  form->addRow(QStringLiteral("Usuario:"), user_);
  form->addRow(QStringLiteral("Contraseña:"), password_);
  form->addRow(QString(), keepPassword_);
  form->addRow(QStringLiteral("Remitente:"), sender_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("aceptar"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelar"));
  accept_ = buttons->button(QDialogButtonBox::Ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(security_, &QComboBox::currentIndexChanged, this, &MailLogon::SecurityChosen);
  connect(server_, &QLineEdit::textChanged, this, &MailLogon::UpdateAccept);
  connect(sender_, &QLineEdit::textChanged, this, &MailLogon::UpdateAccept);
  UpdateAccept();
  // With the account known, only the password may be missing.
  (account.server.isEmpty() ? server_ : password_)->setFocus();
}

// A port left at the usual one of the previous security follows the new one.
void MailLogon::SecurityChosen(int index) {
  for (int s = 0; s < 3; ++s)
    if (port_->value() == DefaultMailPort(static_cast<MailSecurity>(s))) {
      port_->setValue(DefaultMailPort(static_cast<MailSecurity>(index)));
      return;
    }
}

// Without a server or a sender there is nothing to sign on to.
void MailLogon::UpdateAccept() {
  accept_->setEnabled(!server_->text().trimmed().isEmpty() && !sender_->text().trimmed().isEmpty());
}

MailAccount MailLogon::Account() const {
  MailAccount account;
  account.server = server_->text().trimmed();
  account.port = port_->value();
  account.security = static_cast<MailSecurity>(security_->currentIndex());
  account.user = user_->text().trimmed();
  account.password = password_->text();
  account.sender = sender_->text().trimmed();
  account.keepPassword = keepPassword_->isChecked();
  return account;
}

std::optional<MailAccount> AskMailAccount(QWidget* parent) {
  MailLogon dialog(SavedMailAccount(), parent);
  // The sending shows the busy pointer; the dialog wants the ordinary one.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int answer = dialog.exec();
  QApplication::restoreOverrideCursor();
  if (answer != QDialog::Accepted) return std::nullopt;
  const MailAccount account = dialog.Account();
  SaveMailAccount(account);
  return account;
}

}  // namespace vetra
