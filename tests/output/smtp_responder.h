#pragma once
// A small SMTP server on 127.0.0.1 for the mail tests, on a thread of its own
// so that the program may talk to it from the test's thread. It speaks enough
// SMTP for curl, offers AUTH PLAIN and, given a certificate, STARTTLS; it
// answers RCPT with `SetRcptReply` and keeps every line the client sent,
// decrypted.
#include <QHostAddress>
#include <QMutex>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QThread>

namespace vetra::testing {

class SmtpResponder {
 public:
  SmtpResponder() {
    thread_.start();
    server_.moveToThread(&thread_);
    QMetaObject::invokeMethod(
        &server_, [this] { server_.listen(QHostAddress::LocalHost); }, Qt::BlockingQueuedConnection);
  }
  ~SmtpResponder() {
    // The server and its sockets end on their thread and come back to this
    // one to be destroyed.
    QThread* here = QThread::currentThread();
    QMetaObject::invokeMethod(
        &server_,
        [this, here] {
          server_.close();
          qDeleteAll(server_.findChildren<QSslSocket*>());
          server_.moveToThread(here);
        },
        Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
  }
  SmtpResponder(const SmtpResponder&) = delete;
  SmtpResponder& operator=(const SmtpResponder&) = delete;

  quint16 Port() const { return server_.serverPort(); }
  // Closes the listening port: later connections are refused.
  void Stop() {
    QMetaObject::invokeMethod(&server_, [this] { server_.close(); }, Qt::BlockingQueuedConnection);
  }
  // STARTTLS with this certificate for the connections to come.
  void OfferTls(const QSslCertificate& certificate, const QSslKey& key) {
    QMutexLocker lock(&server_.mutex);
    server_.certificate = certificate;
    server_.key = key;
  }
  void SetRcptReply(const QByteArray& reply) {
    QMutexLocker lock(&server_.mutex);
    server_.rcptReply = reply;
  }
  QByteArray Received() const {
    QMutexLocker lock(&server_.mutex);
    return server_.received;
  }
  int Connections() const {
    QMutexLocker lock(&server_.mutex);
    return server_.connections;
  }

 private:
  struct Server : QTcpServer {
    void incomingConnection(qintptr descriptor) override {
      auto* socket = new QSslSocket(this);
      socket->setSocketDescriptor(descriptor);
      Exchange exchange;
      {
        QMutexLocker lock(&mutex);
        ++connections;
        socket->setLocalCertificate(certificate);
        socket->setPrivateKey(key);
      }
      connect(socket, &QSslSocket::readyRead, socket, [this, socket, exchange]() mutable {
        while (socket->canReadLine()) Answer(socket, socket->readLine(), exchange);
      });
      socket->write("220 localhost ESMTP\r\n");
    }

    // Where a connection stands: within DATA, or waiting for AUTH's credentials.
    struct Exchange {
      bool inData = false;
      bool credentials = false;
    };

    void Answer(QSslSocket* socket, const QByteArray& line, Exchange& exchange) {
      QMutexLocker lock(&mutex);
      received += line;
      if (exchange.inData) {
        exchange.inData = line != ".\r\n";
        if (!exchange.inData) socket->write("250 OK\r\n");
      } else if (exchange.credentials || line.startsWith("AUTH PLAIN ")) {
        exchange.credentials = false;
        socket->write("235 Authenticated\r\n");
      } else if (line.startsWith("EHLO")) {
        const bool tls = !certificate.isNull() && !socket->isEncrypted();
        socket->write(tls ? "250-localhost\r\n250-STARTTLS\r\n250 AUTH PLAIN\r\n" : "250-localhost\r\n250 AUTH PLAIN\r\n");
      } else if (line.startsWith("STARTTLS")) {
        socket->write("220 Ready to start TLS\r\n");
        socket->flush();
        socket->startServerEncryption();
      } else if (line.startsWith("AUTH")) {
        exchange.credentials = true;
        socket->write("334 \r\n");
      } else if (line.startsWith("RCPT")) {
        socket->write(rcptReply + "\r\n");
      } else if (line.startsWith("DATA")) {
        exchange.inData = true;
        socket->write("354 Go ahead\r\n");
      } else {
        socket->write(line.startsWith("QUIT") ? "221 Bye\r\n" : "250 OK\r\n");
      }
    }

    mutable QMutex mutex;
    QSslCertificate certificate;
    QSslKey key;
    QByteArray rcptReply = "250 OK";
    QByteArray received;
    int connections = 0;
  };

  QThread thread_;
  Server server_;
};

}  // namespace vetra::testing
