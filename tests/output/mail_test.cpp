// The e-mail output on screen and on the wire: the address list's editing,
// Pic_Enviar with a recording transport, the account kept with its password
// in a keyring and nowhere on disk, and the curl transport against a small
// SMTP server on 127.0.0.1, in clear and with STARTTLS.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <map>

#include "app/cp1252.h"
#include "output/listados.h"
#include "output/mail_dispatch.h"
#include "platform/mail_logon.h"
#include "platform/mail_transport.h"
#include "platform/password_keyring.h"
#include "tests/output/output_test_support.h"
#include "tests/output/recording_mail_transport.h"
#include "tests/output/smtp_responder.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

using testing::GuiState;
using testing::SmtpResponder;

template <typename T = QWidget>
T* Child(QWidget* screen, const char* name) {
  return screen->findChild<T*>(QString::fromLatin1(name));
}

QStringList Texts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

// Keeps passwords in memory; `available` false stands for a machine without
// a keyring service.
class RecordingKeyring : public PasswordKeyring {
 public:
  Answer Read(const QString& key) override {
    if (!available) return {State::Unavailable, {}};
    const auto kept = passwords.find(key);
    return kept == passwords.end() ? Answer{} : Answer{State::Kept, kept->second};
  }
  bool Write(const QString& key, const QString& password) override {
    if (available) passwords[key] = password;
    return available;
  }
  void Remove(const QString& key) override { passwords.erase(key); }

  bool available = true;
  std::map<QString, QString> passwords;
};

// Closes the message boxes shown while it lives, and the log-on dialog too
// when told so; keeps the names of the dialogs shown and the boxes' texts.
class ModalWatch {
 public:
  explicit ModalWatch(bool closeLogon = true) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this, closeLogon] {
      auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!modal || modal == last_) return;
      last_ = modal;
      shown << modal->objectName();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) texts << box->text();
      if (closeLogon || qobject_cast<QMessageBox*>(modal)) modal->reject();
    });
    timer_.start();
  }
  QStringList shown;
  QStringList texts;

 private:
  QTimer timer_;
  QPointer<QDialog> last_;
};

void FillLogon(QWidget* dialog, const MailAccount& account) {
  Child<QLineEdit>(dialog, "servidor")->setText(account.server);
  Child<QComboBox>(dialog, "seguridad")->setCurrentIndex(static_cast<int>(account.security));
  Child<QSpinBox>(dialog, "puerto")->setValue(account.port);
  Child<QLineEdit>(dialog, "usuario")->setText(account.user);
  Child<QLineEdit>(dialog, "contrasena")->setText(account.password);
  Child<QLineEdit>(dialog, "remitente")->setText(account.sender);
  Child<QCheckBox>(dialog, "recordar")->setChecked(account.keepPassword);
}

// Fills the log-on dialog when it shows and accepts it.
void AnswerLogon(const MailAccount& account) {
  testing::WhenModal([account](QWidget* dialog) {
    FillLogon(dialog, account);
    QTest::mouseClick(Child(dialog, "aceptar"), Qt::LeftButton);
  });
}

MailAccount LocalAccount(quint16 port, MailSecurity security = MailSecurity::None) {
  return {QStringLiteral("127.0.0.1"), port, security, {}, {}, QStringLiteral("Vetra <yo@vetra.es>"), false};
}

CurlMailTransport LocalTransport(const MailAccount& account, CurlMailTransport::Trust trust = {}) {
  return CurlMailTransport([account] { return account; }, std::move(trust));
}

// The headers of the last message the server received: the raw block and
// each header unfolded with its encoded words decoded.
struct Headers {
  QByteArray raw;
  std::map<QString, QString> decoded;
};

Headers LastHeaders(const QByteArray& received) {
  const qsizetype start = received.lastIndexOf("DATA\r\n") + 6;
  Headers headers;
  headers.raw = received.mid(start, received.indexOf("\r\n\r\n", start) - start);
  QString text = QString::fromLatin1(headers.raw).replace(QStringLiteral("\r\n "), QStringLiteral(" "));
  // Blanks between two encoded words belong to neither.
  text.replace(QRegularExpression(QStringLiteral("\\?=\\s+=\\?")), QStringLiteral("?==?"));
  static const QRegularExpression word(QStringLiteral("=\\?UTF-8\\?B\\?([^?]*)\\?="));
  for (const QString& line : text.split(QStringLiteral("\r\n"))) {
    QString value;
    qsizetype done = line.indexOf(QLatin1Char(':')) + 2;
    for (auto match = word.globalMatch(line, done); match.hasNext();) {
      const QRegularExpressionMatch m = match.next();
      value += line.mid(done, m.capturedStart() - done);
      value += QString::fromUtf8(QByteArray::fromBase64(m.captured(1).toLatin1()));  // each word on its own
      done = m.capturedEnd();
    }
    headers.decoded[line.left(line.indexOf(QLatin1Char(':')))] = value + line.mid(done);
  }
  return headers;
}

// A self-signed certificate and its key made with the openssl command in
// `folder`; empty when the machine cannot make one.
std::pair<QSslCertificate, QSslKey> SelfSignedCertificate(const testing::TempFolder& folder, const QString& name) {
  const QString key = QString::fromStdString(folder.File(name.toStdString() + ".key"));
  const QString cert = QString::fromStdString(folder.File(name.toStdString() + ".pem"));
  QProcess openssl;
  openssl.start(QStringLiteral("openssl"),
                {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                 QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                 QStringLiteral("-keyout"), key, QStringLiteral("-out"), cert, QStringLiteral("-days"),
                 QStringLiteral("30"), QStringLiteral("-subj"), QStringLiteral("/CN=") + name});
  if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0) return std::pair<QSslCertificate, QSslKey>();
  QFile keyFile(key), certFile(cert);
  if (!keyFile.open(QIODevice::ReadOnly) || !certFile.open(QIODevice::ReadOnly)) return std::pair<QSslCertificate, QSslKey>();
  return {QSslCertificate(certFile.readAll()), QSslKey(keyFile.readAll(), QSsl::Ec)};
}

// Every file under the folders whose bytes contain `secret`.
QStringList FilesHolding(const QStringList& folders, const QByteArray& secret) {
  QStringList holding;
  for (const QString& folder : folders)
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
      QFile file(it.next());
      if (file.open(QIODevice::ReadOnly) && file.readAll().contains(secret)) holding << file.fileName();
    }
  return holding;
}

}  // namespace

class MailTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    settingsFolder_ = std::make_unique<testing::TempFolder>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, SettingsFolder());
    keyring_ = RecordingKeyring();
    SetMailKeyringForTesting(&keyring_);
  }
  void cleanup() {
    SetMailTransportForTesting(nullptr);
    SetMailKeyringForTesting(nullptr);
  }

  void TheAddressesAreEditedSentToWhenSelectedAndSavedOnLeaving() {
    GuiState t;
    testing::StoreTestColumns(t, 9);
    t.app.outputType = 5;
    t.folder.Write("DIRECC.VTR", "b@vetra.es\r\na@vetra.es\r\n");
    testing::RecordingMailTransport kept;
    // The screen makes a transport for every sending; copies record into `kept`.
    SetMailTransportForTesting([&kept] { return std::make_unique<testing::RecordingMailTransport>(kept); });
    Listados screen(t.app, nullptr);
    screen.show();
    auto* list = Child<QListWidget>(&screen, "Lis_Direcciones");
    auto* box = Child<QLineEdit>(&screen, "Tex_NuevaDireccion");
    QCOMPARE(list->selectedItems().size(), 2);
    QCOMPARE(Texts(list), (QStringList{QStringLiteral("a@vetra.es"), QStringLiteral("b@vetra.es")}));
    // The longest choice of what to send is not cut at the screen's edge.
    QVERIFY(screen.rect().contains(Child<QWidget>(&screen, "Chk_MailBase")->geometry()));

    // Enter adds the typed address at its sorted place, selected; blanks alone add nothing.
    list->clearSelection();
    QTest::keyClicks(box, QStringLiteral("  0@vetra.es "));
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, QStringLiteral("   "));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(Texts(list), (QStringList{QStringLiteral("  0@vetra.es "), QStringLiteral("a@vetra.es"),
                                       QStringLiteral("b@vetra.es")}));
    box->clear();

    // A double click takes an entry into the box; Enter puts it back corrected, selected.
    const QRect b = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, b.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, b.center());
    QCOMPARE(box->text(), QStringLiteral("b@vetra.es"));
    QTest::keyClicks(box, QStringLiteral("x"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(list->item(2)->text(), QStringLiteral("b@vetra.esx"));
    QVERIFY(list->item(0)->isSelected() && !list->item(1)->isSelected() && list->item(2)->isSelected());

    // Only the selected addresses, trimmed, get what is ticked; then the user
    // is told how many went and to whom.
    Child<QCheckBox>(&screen, "Chk_MailBase")->setChecked(false);
    Child<QCheckBox>(&screen, "Chk_MailColumnas")->setChecked(true);
    {
      ModalWatch watch;
      QTest::mouseClick(Child(&screen, "Pic_Enviar"), Qt::LeftButton);
      QCOMPARE(watch.texts.size(), 1);
      QVERIFY(watch.texts[0].contains(QLatin1String(" 2 ")) && watch.texts[0].contains(QLatin1String("0@vetra.es")) &&
              watch.texts[0].contains(QLatin1String("b@vetra.esx")));
    }
    QCOMPARE(kept.calls, (std::vector<std::string>{"signon", "send 0@vetra.es", "send b@vetra.esx", "signoff"}));
    QVERIFY(kept.sent[0].text.starts_with("Apuesta nro.    1  "));

    QTest::mouseClick(Child(&screen, "Pic_Salir"), Qt::LeftButton);
    QCOMPARE(t.folder.Read("DIRECC.VTR"), std::string("0@vetra.es\r\na@vetra.es\r\nb@vetra.esx\r\n"));
  }

  void ThePasswordLivesInTheKeyringAndTheKeptAccountIsNotAskedAgain() {
    MailAccount account = LocalAccount(25);
    account.user = QStringLiteral("ana");
    account.password = QStringLiteral("secreto");

    // A sender a server would refuse cannot be accepted.
    {
      MailAccount accented = account;
      accented.sender = QStringLiteral("Ana <año@vetra.es>");
      MailLogon dialog(accented, {}, nullptr);
      QVERIFY(!Child(&dialog, "aceptar")->isEnabled() && !Child(&dialog, "prueba")->isEnabled());
      Child<QLineEdit>(&dialog, "remitente")->setText(QStringLiteral("Año <ano@vetra.es>"));
      QVERIFY(Child(&dialog, "aceptar")->isEnabled());
    }

    // A password an older version left in the file moves to the keyring.
    {
      QSettings old(QStringLiteral("Vetra32"), QStringLiteral("Vetra32"));
      old.setValue(QStringLiteral("Correo/servidor"), QStringLiteral("127.0.0.1"));
      old.setValue(QStringLiteral("Correo/contrasena"), QStringLiteral("antiguo"));
    }
    QCOMPARE(SavedMailAccount().password, QStringLiteral("antiguo"));
    QVERIFY(FilesHolding({SettingsFolder()}, "antiguo").isEmpty());

    // Not kept: asked every time, and the keyring forgets it.
    AnswerLogon(account);
    QCOMPARE(AskMailAccount(nullptr).value().password, QStringLiteral("secreto"));
    QVERIFY(keyring_.passwords.empty());
    {
      ModalWatch watch;
      QVERIFY(!AskMailAccount(nullptr));
      QCOMPARE(watch.shown, QStringList{QStringLiteral("mail_logon")});
    }

    // Kept: in the keyring, and the next sign-on asks nothing.
    account.keepPassword = true;
    AnswerLogon(account);
    QVERIFY(AskMailAccount(nullptr));
    QCOMPARE(keyring_.passwords.size(), 1u);
    {
      ModalWatch watch;
      QCOMPARE(AskMailAccount(nullptr).value().password, QStringLiteral("secreto"));
      QVERIFY(watch.shown.isEmpty());
      // Until the kept account fails: then the dialog comes back, saying why.
      MarkMailAccountFailed();
      QVERIFY(!AskMailAccount(nullptr));
      QCOMPARE(watch.shown, QStringList{QStringLiteral("mail_logon")});
    }
    QVERIFY(FilesHolding({SettingsFolder()}, "secreto").isEmpty());
    const QString settingsFile = QSettings(QStringLiteral("Vetra32"), QStringLiteral("Vetra32")).fileName();
    QCOMPARE(std::filesystem::status(settingsFile.toStdString()).permissions(),
             std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    // Without a keyring the user is told, nothing is written, and the
    // password is asked at every sending.
    keyring_ = RecordingKeyring();
    keyring_.available = false;
    AnswerLogon(account);
    {
      ModalWatch watch(false);
      QCOMPARE(AskMailAccount(nullptr).value().password, QStringLiteral("secreto"));
      QCOMPARE(watch.texts.size(), 1);  // the warning
    }
    {
      ModalWatch watch;
      QVERIFY(!AskMailAccount(nullptr));
      QCOMPARE(watch.shown, QStringList{QStringLiteral("mail_logon")});
    }
    QVERIFY(FilesHolding({SettingsFolder()}, "secreto").isEmpty());
  }

  void TheWireCarriesValidHeadersAndSpanishFailures() {
    GuiState t;
    testing::SetUpReduction(t.app, 2);
    SmtpResponder server;
    MailAccount account = LocalAccount(server.Port());
    account.sender = QStringLiteral("José Pérez, S.L. <yo@vetra.es>");
    CurlMailTransport transport = LocalTransport(account);
    // Long enough for two encoded words, cut where "á" would be split.
    const std::string recipient = "Sr. \xD1u\xF1oa Pe\xF1\x61lol\xE9n G\xFC\x65ll Ib\xE1\xF1\x65z Mu\xF1oz <ana@vetra.es>";
    const std::vector<std::string> sent =
        SendReductionMail(t.app, transport, {recipient, " Vetra S.L. <luis@vetra.es>"}, {}, testing::kSpanish);
    QCOMPARE(sent, (std::vector<std::string>{recipient, "Vetra S.L. <luis@vetra.es>"}));
    const QByteArray wire = server.Received();
    QVERIFY(wire.contains("MAIL FROM:<yo@vetra.es>\r\nRCPT TO:<ana@vetra.es>\r\nDATA\r\n"));
    // The last message's headers decode back to the texts, and every line fits.
    const Headers headers = LastHeaders(wire.left(wire.lastIndexOf("RCPT TO:<luis")));
    for (const QByteArray& line : headers.raw.split('\n')) QVERIFY2(line.size() <= 79, line.constData());
    QCOMPARE(headers.decoded.at(QStringLiteral("From")), QStringLiteral("José Pérez, S.L. <yo@vetra.es>"));
    QCOMPARE(headers.decoded.at(QStringLiteral("To")),
             QStringLiteral("Sr. Ñuñoa Peñalolén Güell Ibáñez Muñoz <ana@vetra.es>"));
    QCOMPARE(headers.decoded.at(QStringLiteral("Subject")),
             QString::fromStdString(Cp1252ToUtf8(MailSubject(t.app))));
    QVERIFY(QDateTime::fromString(headers.decoded.at(QStringLiteral("Date")), Qt::RFC2822Date).isValid());
    static const QRegularExpression messageId(QStringLiteral("^<[^@<> ]+@vetra\\.es>$"));
    const QString firstId = headers.decoded.at(QStringLiteral("Message-ID"));
    QVERIFY(messageId.match(firstId).hasMatch());
    const Headers second = LastHeaders(wire);
    QCOMPARE(second.decoded.at(QStringLiteral("To")), QStringLiteral("\"Vetra S.L.\" <luis@vetra.es>"));
    QVERIFY(messageId.match(second.decoded.at(QStringLiteral("Message-ID"))).hasMatch());
    QVERIFY(second.decoded.at(QStringLiteral("Message-ID")) != firstId);

    // A refusal of the server, then no server at all: Spanish first, curl's
    // words after it in parentheses, and the kept account asked again.
    const MailMessage message{"ana@vetra.es", "Asunto", "Texto\r\n"};
    server.SetRcptReply("550 No such user");
    QVERIFY(transport.SignOn().Ok());
    QCOMPARE(transport.Send(message).number, 32002);
    QVERIFY(!MailAccountFailed());
    server.Stop();
    const MailStatus refused = transport.Send(message);
    QCOMPARE(refused.number, 32023);
    const std::string spanish = refused.description.substr(0, refused.description.find(" ("));
    QVERIFY2(spanish.find("Failed") == std::string::npos && refused.description.ends_with(")"),
             refused.description.c_str());
    QVERIFY(MailAccountFailed());
  }

  void ASendingThroughTheScreenLeavesThePasswordOnlyInTheKeyring() {
    GuiState t;
    testing::StoreTestColumns(t, 3);
    t.app.outputType = 5;
    t.folder.Write("DIRECC.VTR", "ana@vetra.es\r\n");
    SmtpResponder server;
    MailAccount account = LocalAccount(server.Port());
    account.user = QStringLiteral("ana");
    account.password = QStringLiteral("clave-Ñ-9");
    account.keepPassword = true;
    Listados screen(t.app, nullptr);
    screen.show();

    // The test message from the log-on dialog reaches the sender; then the
    // account is accepted and the reduction goes.
    QString testNotice;
    testing::WhenModal([&](QWidget* dialog) {
      FillLogon(dialog, account);
      QTest::mouseClick(Child(dialog, "prueba"), Qt::LeftButton);
      testNotice = Child<QLabel>(dialog, "aviso")->text();
      QTest::mouseClick(Child(dialog, "aceptar"), Qt::LeftButton);
    });
    {
      ModalWatch summary(false);
      QTest::mouseClick(Child(&screen, "Pic_Enviar"), Qt::LeftButton);
    }
    QVERIFY(server.Received().contains("RCPT TO:<yo@vetra.es>\r\n"));  // the test message
    QVERIFY(testNotice.contains(QLatin1String("yo@vetra.es")));
    QVERIFY(server.Received().contains("RCPT TO:<ana@vetra.es>\r\n"));
    const QByteArray plain = QByteArray("\0ana\0", 5) + account.password.toUtf8();
    QVERIFY(server.Received().contains(plain.toBase64() + "\r\n"));
    QTest::mouseClick(Child(&screen, "Pic_Salir"), Qt::LeftButton);

    QCOMPARE(keyring_.passwords.begin()->second, account.password);
    const QStringList folders{SettingsFolder(), QString::fromStdString(t.folder.Path())};
    for (const QByteArray& form : {account.password.toUtf8(), account.password.toLatin1(), plain.toBase64()})
      QVERIFY2(FilesHolding(folders, form).isEmpty(), form.constData());
  }

  void StartTlsTakesASelfSignedCertificateOnlyWhenTheUserAcceptsIt() {
    if (!QSslSocket::supportsSsl()) QSKIP("Qt has no TLS backend on this machine to serve STARTTLS");
    const auto [certificate, key] = SelfSignedCertificate(*settingsFolder_, QStringLiteral("localhost"));
    if (certificate.isNull()) QSKIP("the openssl command could not make a test certificate");
    SmtpResponder server;
    server.OfferTls(certificate, key);
    const MailAccount account = LocalAccount(server.Port(), MailSecurity::StartTls);
    const MailMessage message{"ana@vetra.es", "Asunto", "Texto cifrado\r\n"};
    QStringList offered;
    bool accept = false;
    const auto trust = [&](const QString&, const QString& fingerprint) {
      offered << fingerprint;
      return accept;
    };
    const QString expected = QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper());

    // Refused: nothing goes.
    CurlMailTransport refusing = LocalTransport(account, trust);
    QVERIFY(refusing.SignOn().Ok());
    QCOMPARE(refusing.Send(message).number, 32023);
    QCOMPARE(offered, QStringList{expected});
    QVERIFY(!server.Received().contains("DATA"));

    // Accepted: the message goes over TLS, and the certificate is not asked
    // about again.
    accept = true;
    CurlMailTransport accepting = LocalTransport(account, trust);
    QVERIFY(accepting.SignOn().Ok());
    QVERIFY(accepting.Send(message).Ok());
    QVERIFY(accepting.Send(message).Ok());
    QCOMPARE(offered.size(), 2);
    QCOMPARE(server.Received().count("STARTTLS\r\n"), server.Connections());
    QCOMPARE(server.Received().count("\r\nTexto cifrado\r\n.\r\n"), 2);

    // Another certificate on that server is another question.
    const auto [other, otherKey] = SelfSignedCertificate(*settingsFolder_, QStringLiteral("otro"));
    server.OfferTls(other, otherKey);
    accept = false;
    CurlMailTransport later = LocalTransport(account, trust);
    QVERIFY(later.SignOn().Ok());
    QCOMPARE(later.Send(message).number, 32023);
    QCOMPARE(offered.size(), 3);
    QCOMPARE(server.Received().count("\r\nTexto cifrado\r\n.\r\n"), 2);
  }

 private:
  QString SettingsFolder() const { return QString::fromStdString(settingsFolder_->Path()); }

  std::unique_ptr<testing::TempFolder> settingsFolder_;
  RecordingKeyring keyring_;
};

}  // namespace vetra

QTEST_MAIN(vetra::MailTest)
#include "mail_test.moc"
