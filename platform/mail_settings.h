#pragma once
// The mail account the e-mail output signs on with, kept in the user's
// settings (a file readable by its owner alone) with the password in the
// system's keyring, and the server certificates the user has accepted.
#include <QString>

namespace vetra {

enum class MailSecurity { None = 0, StartTls = 1, Ssl = 2 };

struct MailAccount {
  QString server;
  int port = 587;
  MailSecurity security = MailSecurity::StartTls;
  QString user;
  QString password;
  QString sender;        // "Ana <ana@vetra.es>" or a bare address
  bool keepPassword = false;  // "Recordar la contraseña"
};

// The usual port of each kind of security: 25, 587, 465.
int DefaultMailPort(MailSecurity security);

// The kept account, with its password read from the keyring when the user
// asked to keep it (empty when the keyring could not give it).
MailAccount SavedMailAccount();

// Keeps the account; the password goes to the keyring when keepPassword is
// set and a kept one is forgotten otherwise. False when the password was to be
// kept but no keyring took it: it is then kept nowhere.
bool SaveMailAccount(const MailAccount& account);

// A sending failed for the account's sake (log-on refused, server not
// reached): the next sign-on asks again even with the password kept. Cleared
// by the next SaveMailAccount.
void MarkMailAccountFailed();
bool MailAccountFailed();

// The pinned public key ("sha256//...") of the certificate the user accepted
// for the account's server and port; empty when none.
QString AcceptedCertificate(const MailAccount& account);
void AcceptCertificate(const MailAccount& account, const QString& pin);

}  // namespace vetra
