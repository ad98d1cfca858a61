// The e-mail output on screen and on the wire: the address list's editing,
// Pic_Enviar with a recording transport, the log-on dialog's settings, and
// the curl transport against a small SMTP responder on 127.0.0.1.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <atomic>
#include <functional>
#include <thread>

#include "app/general_data.h"
#include "output/listados.h"
#include "platform/mail_logon.h"
#include "platform/mail_transport.h"
#include "reductions/base_file.h"
#include "reductions/column_file.h"
#include "tests/output/output_test_support.h"
#include "tests/output/recording_mail_transport.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

using testing::GuiState;

template <typename T = QWidget>
T* Child(QWidget* screen, const char* name) {
  return screen->findChild<T*>(QString::fromLatin1(name));
}

// Output type 5 of matchday 1, order 1: a direct reduction of `columns`
// columns, and the addresses of DIRECC.VTR.
struct Fixture {
  explicit Fixture(int columns, const std::string& addresses) {
    testing::WriteGeneralDataLine(t.folder, "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"");
    ReadGeneralData(t.app);
    BaseRecord record = EmptyBaseRecord();
    record.matchday = 1;
    record.orderNumber = 1;
    record.reductionMethod = 1;
    record.directBets = 81;
    record.reducedBets = columns;
    t.folder.Write("BASES.VTR", BaseLine(record) + "\r\n");
    std::string lines;
    for (int n = 1; n <= columns; ++n) lines += ColumnLine(testing::TestColumn(n));
    t.folder.Write(ColumnFileName(1, 1), lines);
    LoadBase(t.app, 1, 1);
    t.app.slipCount = (columns + 7) / 8;
    t.app.outputType = 5;
    t.folder.Write("DIRECC.VTR", addresses);
  }
  GuiState t;
};

QStringList Texts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

// Speaks enough SMTP for curl, one client at a time; answers RCPT with
// `rcptReply`. Keeps the commands and the data received.
class SmtpResponder : public QObject {
 public:
  explicit SmtpResponder(QByteArray rcptReply = "250 OK") : rcptReply_(std::move(rcptReply)) {
    server_.listen(QHostAddress::LocalHost);
    QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
      QTcpSocket* socket = server_.nextPendingConnection();
      socket->write("220 localhost ESMTP\r\n");
      QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Serve(socket); });
    });
  }
  quint16 Port() const { return server_.serverPort(); }
  QList<QByteArray> commands;
  QByteArray data;

 private:
  void Serve(QTcpSocket* socket) {
    buffer_ += socket->readAll();
    for (;;) {
      if (inData_) {
        const int end = buffer_.indexOf("\r\n.\r\n");
        if (end < 0) return;
        data += buffer_.left(end + 2);
        buffer_.remove(0, end + 5);
        inData_ = false;
        socket->write("250 OK\r\n");
        continue;
      }
      const int end = buffer_.indexOf("\r\n");
      if (end < 0) return;
      const QByteArray command = buffer_.left(end);
      buffer_.remove(0, end + 2);
      commands << command;
      if (command.startsWith("EHLO")) socket->write("250 localhost\r\n");
      else if (command.startsWith("RCPT")) socket->write(rcptReply_ + "\r\n");
      else if (command.startsWith("DATA")) {
        socket->write("354 Go ahead\r\n");
        inData_ = true;
      } else if (command.startsWith("QUIT")) {
        socket->write("221 Bye\r\n");
        socket->disconnectFromHost();
      } else socket->write("250 OK\r\n");
    }
  }
  QTcpServer server_;
  QByteArray rcptReply_;
  QByteArray buffer_;
  bool inData_ = false;
};

MailAccount LocalAccount(quint16 port) {
  MailAccount account;
  account.server = QStringLiteral("127.0.0.1");
  account.port = port;
  account.security = MailSecurity::None;
  account.sender = QStringLiteral("Vetra <yo@vetra.es>");
  return account;
}

// Runs `talk` on a thread of its own, so that the responder keeps answering
// here.
void Served(const std::function<void()>& talk) {
  std::atomic<bool> done = false;
  std::thread talker([&] {
    talk();
    done = true;
  });
  const bool finished = QTest::qWaitFor([&] { return done.load(); }, 20000);
  talker.join();
  if (!finished) qWarning("the transport did not end in time");
}

MailStatus SendServed(CurlMailTransport& transport, const MailMessage& message) {
  MailStatus status;
  Served([&] { status = transport.Send(message); });
  return status;
}

}  // namespace

class MailTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    settingsFolder_ = std::make_unique<testing::TempFolder>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settingsFolder_->Path()));
  }
  void cleanup() { SetMailTransportForTesting(nullptr); }

  void TheAddressListIsEditedOnScreenAndSavedOnLeaving() {
    Fixture f(9, "b@vetra.es\r\na@vetra.es\r\n");
    Listados screen(f.t.app, nullptr);
    screen.show();
    auto* list = Child<QListWidget>(&screen, "Lis_Direcciones");
    auto* box = Child<QLineEdit>(&screen, "Tex_NuevaDireccion");
    QCOMPARE(box->maxLength(), 50);
    QCOMPARE(Texts(list), (QStringList{QStringLiteral("a@vetra.es"), QStringLiteral("b@vetra.es")}));

    // Enter adds the typed address at its sorted place; blanks alone add nothing.
    f.t.sounds.clear();
    QTest::keyClicks(box, QStringLiteral("  0@vetra.es "));
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, QStringLiteral("   "));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(Texts(list), (QStringList{QStringLiteral("  0@vetra.es "), QStringLiteral("a@vetra.es"),
                                       QStringLiteral("b@vetra.es")}));
    QCOMPARE(f.t.sounds, std::vector<int>{9});
    box->clear();

    // A double click takes an entry into the box; Enter puts it back corrected.
    const QRect b = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, b.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, b.center());
    QCOMPARE(box->text(), QStringLiteral("b@vetra.es"));
    QCOMPARE(box->cursorPosition(), 10);
    QCOMPARE(list->count(), 2);
    QTest::keyClicks(box, QStringLiteral("x"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(list->item(2)->text(), QStringLiteral("b@vetra.esx"));
    QCOMPARE(f.t.sounds, (std::vector<int>{9, 9, 9}));

    QTest::mouseClick(Child(&screen, "Pic_Salir"), Qt::LeftButton);
    QCOMPARE(f.t.folder.Read("DIRECC.VTR"), std::string("0@vetra.es\r\na@vetra.es\r\nb@vetra.esx\r\n"));
  }

  void PicEnviarSendsToTheSelectedAddressesWhatIsTicked() {
    Fixture f(9, "b@vetra.es\r\na@vetra.es\r\nc@vetra.es\r\n");
    testing::RecordingMailTransport kept;
    kept.failAtSend = 1;
    kept.sendFailure = {32023, "Fallo de la red"};
    // The screen makes a transport for every sending; this one reports back.
    struct Reporting : testing::RecordingMailTransport {
      explicit Reporting(testing::RecordingMailTransport& into) : into_(into) {
        failAtSend = into.failAtSend;
        sendFailure = into.sendFailure;
      }
      ~Reporting() override {
        into_.calls = calls;
        into_.sent = sent;
      }
      testing::RecordingMailTransport& into_;
    };
    SetMailTransportForTesting([&kept] { return std::make_unique<Reporting>(kept); });

    Listados screen(f.t.app, nullptr);
    screen.show();
    auto* list = Child<QListWidget>(&screen, "Lis_Direcciones");
    list->item(1)->setSelected(false);  // b@vetra.es
    Child<QCheckBox>(&screen, "Chk_MailBase")->setChecked(false);
    Child<QCheckBox>(&screen, "Chk_MailColumnas")->setChecked(true);
    f.t.sounds.clear();
    QTest::mouseClick(Child(&screen, "Pic_Enviar"), Qt::LeftButton);

    QCOMPARE(f.t.sounds, std::vector<int>{9});
    QCOMPARE(kept.calls, (std::vector<std::string>{"signon", "send a@vetra.es", "send c@vetra.es", "signoff"}));
    QCOMPARE(kept.sent.size(), std::size_t{1});
    QCOMPARE(kept.sent[0].subject, std::string("Datos de la jornada 1. Reducci\xF3n nro. 1"));
    std::string columns;
    for (int n = 1; n <= 9; ++n) columns += "Apuesta nro.    " + std::to_string(n) + "  " + testing::TestColumn(n) + "\r\n";
    QCOMPARE(kept.sent[0].text, columns);
    QCOMPARE(f.t.reporter.messages, std::vector<std::string>{"Error MAPI:  32023Fallo de la red"});
  }

  void TheLogonDialogKeepsItsAnswersAndThePasswordOnlyWhenAsked() {
    MailAccount typed;
    const auto answer = [&typed](bool keep, bool accept) {
      testing::WhenModal([&typed, keep, accept](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("mail_logon"));
        typed.server = Child<QLineEdit>(dialog, "servidor")->text();
        typed.password = Child<QLineEdit>(dialog, "contrasena")->text();
        Child<QLineEdit>(dialog, "servidor")->setText(QStringLiteral("smtp.vetra.es"));
        Child<QLineEdit>(dialog, "usuario")->setText(QStringLiteral("ana"));
        Child<QLineEdit>(dialog, "contrasena")->setText(QStringLiteral("secreto"));
        Child<QLineEdit>(dialog, "remitente")->setText(QStringLiteral("ana@vetra.es"));
        Child<QCheckBox>(dialog, "recordar")->setChecked(keep);
        QTest::mouseClick(Child(dialog, accept ? "aceptar" : "cancelar"), Qt::LeftButton);
      });
    };
    answer(false, true);
    std::optional<MailAccount> account = AskMailAccount(nullptr);
    QVERIFY(account);
    QCOMPARE(account->password, QStringLiteral("secreto"));
    QCOMPARE(account->port, 587);
    QCOMPARE(typed.server, QString());
    QCOMPARE(SavedMailAccount().server, QStringLiteral("smtp.vetra.es"));
    QCOMPARE(SavedMailAccount().user, QStringLiteral("ana"));
    QCOMPARE(SavedMailAccount().password, QString());

    answer(true, true);
    QVERIFY(AskMailAccount(nullptr));
    QCOMPARE(typed.server, QStringLiteral("smtp.vetra.es"));  // shown as kept
    QCOMPARE(typed.password, QString());
    QCOMPARE(SavedMailAccount().password, QStringLiteral("secreto"));

    answer(true, false);
    QVERIFY(!AskMailAccount(nullptr));
    CurlMailTransport cancelled([] { return std::optional<MailAccount>(); });
    QCOMPARE(cancelled.SignOn().number, 32003);
    QVERIFY(!cancelled.SessionOpen());
  }

  void TheCurlTransportSpeaksSmtpAndMapsItsFailures() {
    SmtpResponder responder;
    CurlMailTransport transport([&] { return LocalAccount(responder.Port()); });
    QVERIFY(transport.SignOn().Ok());
    QVERIFY(transport.SessionOpen());
    const MailMessage message{"Ana Mar\xED" "a <ana@vetra.es>", "Datos de la jornada 7. Reducci\xF3n nro. 3",
                              "10 apuestas a 1,00 \x80\r\n.una l\xEDnea con punto\r\n"};
    const MailStatus status = SendServed(transport, message);
    QCOMPARE(status.number, 0);
    QVERIFY(responder.commands.contains("MAIL FROM:<yo@vetra.es>"));
    QVERIFY(responder.commands.contains("RCPT TO:<ana@vetra.es>"));
    const QByteArray wire = responder.data;
    QVERIFY(wire.contains("\r\nFrom: Vetra <yo@vetra.es>\r\n"));
    QVERIFY(wire.contains("\r\nTo: =?UTF-8?B?" + QByteArray("Ana María").toBase64() + "?= <ana@vetra.es>\r\n"));
    QVERIFY(wire.contains("\r\nSubject: =?UTF-8?B?" + QByteArray("Datos de la jornada 7. Reducción nro. 3").toBase64() +
                          "?=\r\n"));
    QVERIFY(wire.contains("\r\nContent-Type: text/plain; charset=UTF-8\r\n"));
    // The text in UTF-8 after the blank line, the leading dot doubled on the wire.
    QVERIFY(wire.endsWith("\r\n\r\n10 apuestas a 1,00 €\r\n..una línea con punto\r\n"));
    Served([&] { transport.SignOff(); });
    QCOMPARE(responder.commands.last(), QByteArray("QUIT"));

    // A recipient refused by the server.
    SmtpResponder refusing("550 No such user");
    CurlMailTransport refused([&] { return LocalAccount(refusing.Port()); });
    QVERIFY(refused.SignOn().Ok());
    const MailStatus refusal = SendServed(refused, message);
    QCOMPARE(refusal.number, 32002);
    QVERIFY2(refusal.description.starts_with("El servidor ha rechazado el mensaje (550)"), refusal.description.c_str());
    Served([&] { refused.SignOff(); });

    // Nobody listening.
    quint16 closedPort = 0;
    {
      QTcpServer probe;
      probe.listen(QHostAddress::LocalHost);
      closedPort = probe.serverPort();
    }
    CurlMailTransport unreachable([&] { return LocalAccount(closedPort); });
    QVERIFY(unreachable.SignOn().Ok());
    QCOMPARE(SendServed(unreachable, message).number, 32023);
  }

 private:
  std::unique_ptr<testing::TempFolder> settingsFolder_;
};

}  // namespace vetra

QTEST_MAIN(vetra::MailTest)
#include "mail_test.moc"
