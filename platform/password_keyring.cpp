#include "platform/password_keyring.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>

namespace vetra {
namespace {

const QString kService = QStringLiteral("Vetra32");

// Runs a keyring job to its end; the keyring answers over D-Bus, so the
// screens keep being drawn meanwhile.
void Finish(QKeychain::Job& job) {
  job.setAutoDelete(false);
  QEventLoop loop;
  bool done = false;
  QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
    done = true;
    loop.quit();
  });
  job.start();
  if (!done) loop.exec();
}

bool Reachable(QKeychain::Error error) {
  return error != QKeychain::NoBackendAvailable && error != QKeychain::AccessDenied &&
         error != QKeychain::AccessDeniedByUser && error != QKeychain::OtherError;
}

class SystemKeyring : public PasswordKeyring {
 public:
  Answer Read(const QString& key) override {
    QKeychain::ReadPasswordJob job(kService);
    job.setKey(key);
    Finish(job);
    if (job.error() == QKeychain::NoError) return {State::Kept, job.textData()};
    return {Reachable(job.error()) ? State::NotKept : State::Unavailable, {}};
  }
  bool Write(const QString& key, const QString& password) override {
    QKeychain::WritePasswordJob job(kService);
    job.setKey(key);
    job.setTextData(password);
    Finish(job);
    return job.error() == QKeychain::NoError;
  }
  void Remove(const QString& key) override {
    QKeychain::DeletePasswordJob job(kService);
    job.setKey(key);
    Finish(job);
  }
};

PasswordKeyring*& TestKeyring() {
  static PasswordKeyring* keyring = nullptr;
  return keyring;
}

}  // namespace

PasswordKeyring& MailKeyring() {
  static SystemKeyring system;
  return TestKeyring() ? *TestKeyring() : system;
}

void SetMailKeyringForTesting(PasswordKeyring* keyring) { TestKeyring() = keyring; }

}  // namespace vetra
