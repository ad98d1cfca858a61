#include "platform/mail_logon.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/cp1252.h"
#include "output/mail_address.h"
#include "platform/mail_transport.h"

namespace vetra {
namespace {

// An account the dialog can accept: a server, and a sender whose address a
// server takes.
bool Usable(const MailAccount& account) {
  return !account.server.isEmpty() && IsPlainAddress(EnvelopeAddress(account.sender.toStdString()));
}

const QString kSenderHint = QStringLiteral(
    "La dirección del remitente solo admite letras sin acentos ni eñes, cifras y signos como @ . - _, sin espacios.");

}  // namespace

MailLogon::MailLogon(const MailAccount& account, const QString& notice, QWidget* parent) : QDialog(parent) {
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
  notice_ = new QLabel(notice, this);
  notice_->setObjectName(QStringLiteral("aviso"));
  notice_->setWordWrap(true);

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
  QPushButton* test = buttons->addButton(QStringLiteral("Enviar mensaje de prueba"), QDialogButtonBox::ActionRole);
  test->setObjectName(QStringLiteral("prueba"));
  test_ = test;
  accept_ = buttons->button(QDialogButtonBox::Ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(notice_);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(test, &QPushButton::clicked, this, &MailLogon::SendTestMessage);
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

// Without a server or a sender a server takes there is nothing to sign on to.
void MailLogon::UpdateAccept() {
  const bool usable = Usable(Account());
  accept_->setEnabled(usable);
  test_->setEnabled(usable);
  if (!usable && !sender_->text().trimmed().isEmpty())
    notice_->setText(kSenderHint);
  else if (notice_->text() == kSenderHint)
    notice_->clear();
}

// A message to the sender's own address with the account as it stands in the
// dialog, so that the user sees it work before sending a reduction.
void MailLogon::SendTestMessage() {
  const MailAccount account = Account();
  const std::string to = Utf8ToCp1252(account.sender.toStdString());
  const MailMessage message{to, "Mensaje de prueba de Vetra32",
                            Utf8ToCp1252("Este mensaje comprueba la cuenta de correo de Vetra32: si lo lee, la "
                                         "cuenta funciona.\r\n")};
  QApplication::setOverrideCursor(Qt::WaitCursor);
  CurlMailTransport transport([account] { return account; },
                              [this](const QString& server, const QString& fingerprint) {
                                return TrustMailCertificate(this, server, fingerprint);
                              });
  MailStatus status = transport.SignOn();
  if (status.Ok()) status = transport.Send(message);
  transport.SignOff();
  QApplication::restoreOverrideCursor();
  notice_->setText(status.Ok() ? QStringLiteral("Se ha enviado un mensaje de prueba a %1: compruebe que ha llegado.")
                                     .arg(QString::fromStdString(EnvelopeAddress(account.sender.toStdString())))
                               : QStringLiteral("No se ha podido enviar el mensaje de prueba: %1")
                                     .arg(QString::fromStdString(status.description)));
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
  const MailAccount kept = SavedMailAccount();
  const bool failed = MailAccountFailed();
  const bool passwordKnown = kept.user.isEmpty() || !kept.password.isEmpty();
  if (kept.keepPassword && passwordKnown && !failed && Usable(kept)) return kept;
  QString notice;
  if (failed)
    notice = QStringLiteral("El último envío con esta cuenta ha fallado: revise los datos.");
  else if (kept.keepPassword && !passwordKnown)
    notice = QStringLiteral("No se ha podido leer la contraseña del depósito de contraseñas del sistema: "
                            "escríbala de nuevo.");
  MailLogon dialog(kept, notice, parent);
  // The sending shows the busy pointer; the dialog wants the ordinary one.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int answer = dialog.exec();
  QApplication::restoreOverrideCursor();
  if (answer != QDialog::Accepted) return std::nullopt;
  const MailAccount account = dialog.Account();
  if (!SaveMailAccount(account))
    QMessageBox::warning(parent, QStringLiteral("Vetra32"),
                         QStringLiteral("No hay ningún depósito de contraseñas del sistema disponible (Secret "
                                        "Service o KWallet), así que la contraseña no se guarda en ningún sitio: "
                                        "se pedirá en cada envío."));
  return account;
}

bool TrustMailCertificate(QWidget* parent, const QString& server, const QString& fingerprint) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Vetra32"),
                  QStringLiteral("El servidor %1 presenta un certificado que ninguna autoridad de confianza "
                                 "respalda. Acéptelo solo si sabe que es el de su servidor de correo.\n\n"
                                 "Huella SHA-256:\n%2\n\n¿Acepta este certificado para este servidor?")
                      .arg(server, fingerprint),
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setObjectName(QStringLiteral("certificado"));
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Aceptar el certificado"));
  box.button(QMessageBox::No)->setText(QStringLiteral("Rechazar"));
  box.setDefaultButton(QMessageBox::No);
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  const bool accepted = box.exec() == QMessageBox::Yes;
  QApplication::restoreOverrideCursor();
  return accepted;
}

}  // namespace vetra
