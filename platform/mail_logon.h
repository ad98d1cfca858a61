#pragma once
// The mail account the e-mail output signs on with, asked for in a log-on
// dialog whose answers are kept in the user's settings. The password is kept
// only when the user ticks "Recordar la contraseña".
#include <QDialog>
#include <QString>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace vetra {

enum class MailSecurity { None = 0, StartTls = 1, Ssl = 2 };

struct MailAccount {
  QString server;
  int port = 587;
  MailSecurity security = MailSecurity::StartTls;
  QString user;
  QString password;
  QString sender;
  bool keepPassword = false;
};

// The usual port of each kind of security: 25, 587, 465.
int DefaultMailPort(MailSecurity security);

// The account kept in the settings, and keeping one (its password only when
// keepPassword is set; otherwise a kept one is forgotten).
MailAccount SavedMailAccount();
void SaveMailAccount(const MailAccount& account);

class MailLogon : public QDialog {
  Q_OBJECT
 public:
  MailLogon(const MailAccount& account, QWidget* parent);
  MailAccount Account() const;

 private:
  void SecurityChosen(int index);
  void UpdateAccept();

  QLineEdit* server_;
  QSpinBox* port_;
  QComboBox* security_;
  QLineEdit* user_;
  QLineEdit* password_;
  QLineEdit* sender_;
  QCheckBox* keepPassword_;
  QWidget* accept_ = nullptr;
};

// Shows the dialog filled with the kept account; on acceptance keeps the
// answers and returns them, on cancel returns nothing.
std::optional<MailAccount> AskMailAccount(QWidget* parent);

}  // namespace vetra
