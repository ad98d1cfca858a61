#pragma once
// The log-on dialog of the e-mail output: the mail account, asked for when
// none is kept with its password or when the kept one last failed, with a
// test message to the sender to check it.
#include <QDialog>
#include <QString>
#include <optional>

#include "platform/mail_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace vetra {

class MailLogon : public QDialog {
  Q_OBJECT
 public:
  // `notice` says why the dialog is shown again; empty the first time.
  MailLogon(const MailAccount& account, const QString& notice, QWidget* parent);
  MailAccount Account() const;

 private:
  void SecurityChosen(int index);
  void UpdateAccept();
  void SendTestMessage();

  QLineEdit* server_;
  QSpinBox* port_;
  QComboBox* security_;
  QLineEdit* user_;
  QLineEdit* password_;
  QLineEdit* sender_;
  QCheckBox* keepPassword_;
  QLabel* notice_;
  QWidget* accept_ = nullptr;
  QWidget* test_ = nullptr;
};

// The account to sign on with: the kept one without a word when its password
// is kept (or it needs none) and it did not fail last time; otherwise the
// dialog filled with it, whose answers are kept. Nothing when cancelled.
std::optional<MailAccount> AskMailAccount(QWidget* parent);

// Asks whether to trust a server certificate no authority vouches for, as a
// mail program does; `fingerprint` is its SHA-256 digest in hexadecimal.
bool TrustMailCertificate(QWidget* parent, const QString& server, const QString& fingerprint);

}  // namespace vetra
