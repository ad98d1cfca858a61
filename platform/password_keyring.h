#pragma once
// Where the mail password is kept: the system's keyring (Secret Service or
// KWallet, through QtKeychain), never a file. The program takes the system's
// one; tests put one of their own in its place.
#include <QString>

namespace vetra {

class PasswordKeyring {
 public:
  enum class State { Kept, NotKept, Unavailable };  // Unavailable: no keyring service answered
  struct Answer {
    State state = State::NotKept;
    QString password;
  };

  virtual ~PasswordKeyring() = default;
  virtual Answer Read(const QString& key) = 0;
  // False when the keyring cannot be reached: the password is then kept nowhere.
  virtual bool Write(const QString& key, const QString& password) = 0;
  virtual void Remove(const QString& key) = 0;
};

// The system's keyring, or the one a test has set (nullptr restores the
// system's).
PasswordKeyring& MailKeyring();
void SetMailKeyringForTesting(PasswordKeyring* keyring);

}  // namespace vetra
