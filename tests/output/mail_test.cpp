// The e-mail output on screen and on the wire: the address list's editing,
// Pic_Enviar with a recording transport, the log-on dialog's settings, and
// the curl transport against a small SMTP responder on 127.0.0.1.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <atomic>
#include <functional>
#include <thread>

#include "output/listados.h"
#include "platform/mail_logon.h"
#include "platform/mail_transport.h"
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

QStringList Texts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

// Speaks enough SMTP for curl, one client at a time, and answers RCPT with
// `rcptReply`. Keeps every line the client sent.
class SmtpResponder : public QObject {
 public:
  SmtpResponder() {
    server_.listen(QHostAddress::LocalHost);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      QTcpSocket* socket = server_.nextPendingConnection();
      socket->write("220 localhost ESMTP\r\n");
      connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
        while (socket->canReadLine()) {
          const QByteArray line = socket->readLine();
          received += line;
          if (inData_) {
            inData_ = line != ".\r\n";
            if (!inData_) socket->write("250 OK\r\n");
          } else if (line.startsWith("RCPT")) {
            socket->write(rcptReply + "\r\n");
          } else if (line.startsWith("DATA")) {
            inData_ = true;
            socket->write("354 Go ahead\r\n");
          } else {
            socket->write(line.startsWith("QUIT") ? "221 Bye\r\n" : "250 OK\r\n");
          }
        }
      });
    });
  }
  quint16 Port() const { return server_.serverPort(); }
  QByteArray received;
  QByteArray rcptReply = "250 OK";

 private:
  QTcpServer server_;
  bool inData_ = false;
};

MailAccount LocalAccount(quint16 port) {
  return {QStringLiteral("127.0.0.1"), port, MailSecurity::None, {}, {}, QStringLiteral("Vetra <yo@vetra.es>"), false};
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

int SendServed(CurlMailTransport& transport, const MailMessage& message) {
  int number = -1;
  Served([&] { number = transport.Send(message).number; });
  return number;
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

    // Enter adds the typed address at its sorted place; blanks alone add nothing.
    QTest::keyClicks(box, QStringLiteral("  0@vetra.es "));
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, QStringLiteral("   "));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(Texts(list), (QStringList{QStringLiteral("  0@vetra.es "), QStringLiteral("a@vetra.es"),
                                       QStringLiteral("b@vetra.es")}));
    box->clear();

    // A double click takes an entry into the box; Enter puts it back corrected.
    const QRect b = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, b.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, b.center());
    QCOMPARE(box->text(), QStringLiteral("b@vetra.es"));
    QTest::keyClicks(box, QStringLiteral("x"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(list->item(2)->text(), QStringLiteral("b@vetra.esx"));

    // Only the selected addresses, trimmed, get what is ticked.
    list->clearSelection();
    list->item(0)->setSelected(true);
    list->item(2)->setSelected(true);
    Child<QCheckBox>(&screen, "Chk_MailBase")->setChecked(false);
    Child<QCheckBox>(&screen, "Chk_MailColumnas")->setChecked(true);
    QTest::mouseClick(Child(&screen, "Pic_Enviar"), Qt::LeftButton);
    QCOMPARE(kept.calls, (std::vector<std::string>{"signon", "send 0@vetra.es", "send b@vetra.esx", "signoff"}));
    QVERIFY(kept.sent[0].text.starts_with("Apuesta nro.    1  "));

    QTest::mouseClick(Child(&screen, "Pic_Salir"), Qt::LeftButton);
    QCOMPARE(t.folder.Read("DIRECC.VTR"), std::string("0@vetra.es\r\na@vetra.es\r\nb@vetra.esx\r\n"));
  }

  void TheLogonDialogKeepsItsAnswersAndThePasswordOnlyWhenAsked() {
    QString shownServer;
    const auto answer = [&shownServer](bool keep, bool accept) {
      testing::WhenModal([&shownServer, keep, accept](QWidget* dialog) {
        shownServer = Child<QLineEdit>(dialog, "servidor")->text();
        Child<QLineEdit>(dialog, "servidor")->setText(QStringLiteral("smtp.vetra.es"));
        Child<QLineEdit>(dialog, "usuario")->setText(QStringLiteral("ana"));
        Child<QLineEdit>(dialog, "contrasena")->setText(QStringLiteral("secreto"));
        Child<QLineEdit>(dialog, "remitente")->setText(QStringLiteral("ana@vetra.es"));
        Child<QCheckBox>(dialog, "recordar")->setChecked(keep);
        QTest::mouseClick(Child(dialog, accept ? "aceptar" : "cancelar"), Qt::LeftButton);
      });
    };
    answer(false, true);
    QCOMPARE(AskMailAccount(nullptr).value().password, QStringLiteral("secreto"));
    QCOMPARE(SavedMailAccount().password, QString());

    answer(true, true);
    QVERIFY(AskMailAccount(nullptr));
    QCOMPARE(shownServer, QStringLiteral("smtp.vetra.es"));  // kept from the last answer
    QCOMPARE(SavedMailAccount().password, QStringLiteral("secreto"));

    answer(true, false);
    QVERIFY(!AskMailAccount(nullptr));
    CurlMailTransport cancelled([] { return std::optional<MailAccount>(); });
    QCOMPARE(cancelled.SignOn().number, 32003);
  }

  void TheCurlTransportSpeaksSmtpAndMapsItsFailures() {
    SmtpResponder responder;
    CurlMailTransport transport([&] { return LocalAccount(responder.Port()); });
    QVERIFY(transport.SignOn().Ok());
    const MailMessage message{"Ana Mar\xED" "a <ana@vetra.es>", "Datos de la jornada 7. Reducci\xF3n nro. 3",
                              "10 apuestas a 1,00 \x80\r\n.una l\xEDnea con punto\r\n"};
    QCOMPARE(SendServed(transport, message), 0);
    Served([&] { transport.SignOff(); });
    const QByteArray wire = responder.received;
    QVERIFY(wire.contains("MAIL FROM:<yo@vetra.es>\r\nRCPT TO:<ana@vetra.es>\r\nDATA\r\n"));
    QVERIFY(wire.contains("\r\nFrom: Vetra <yo@vetra.es>\r\n"));
    QVERIFY(wire.contains("\r\nTo: =?UTF-8?B?" + QByteArray("Ana María").toBase64() + "?= <ana@vetra.es>\r\n"));
    QVERIFY(wire.contains("\r\nSubject: =?UTF-8?B?" + QByteArray("Datos de la jornada 7. Reducción nro. 3").toBase64() +
                          "?=\r\n"));
    QVERIFY(wire.contains("\r\nContent-Type: text/plain; charset=UTF-8\r\n"));
    // The text in UTF-8 after the blank line, the leading dot doubled on the wire.
    QVERIFY(wire.contains("\r\n\r\n10 apuestas a 1,00 €\r\n..una línea con punto\r\n.\r\n"));

    // A recipient refused by the server.
    responder.rcptReply = "550 No such user";
    QVERIFY(transport.SignOn().Ok());
    QCOMPARE(SendServed(transport, message), 32002);
    Served([&] { transport.SignOff(); });
  }

 private:
  std::unique_ptr<testing::TempFolder> settingsFolder_;
};

}  // namespace vetra

QTEST_MAIN(vetra::MailTest)
#include "mail_test.moc"
