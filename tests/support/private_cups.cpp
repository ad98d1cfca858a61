#include "tests/support/private_cups.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <filesystem>

#include <signal.h>
#include <sys/prctl.h>

namespace vetra::testing {

namespace {

const QString kCupsPdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
constexpr auto kPrivate = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr auto kReadable = kPrivate | QFileDevice::ReadGroup | QFileDevice::ReadOther;

QString Program(const QString& name) {
  return QStandardPaths::findExecutable(
      name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin"), QStringLiteral("/bin")});
}

QString ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

void WriteFile(const QString& path, const QString& text, QFileDevice::Permissions permissions) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(text.toLatin1());
  file.close();
  file.setPermissions(permissions);
}

// The cups-pdf PPD with `margin` points unprintable on every side of every
// paper.
QString PpdWithMargins(int margin) {
  QString ppd = ReadFile(kCupsPdfPpd);
  ppd.replace(QStringLiteral("*HWMargins: 0 0 0 0"), QStringLiteral("*HWMargins: %1 %1 %1 %1").arg(margin));
  static const QRegularExpression area(QStringLiteral(R"re((\*ImageableArea [^:]+: )"0 0 (\d+) (\d+)")re"));
  QString laidOut;
  qsizetype done = 0;
  for (auto it = area.globalMatch(ppd); it.hasNext();) {
    const auto m = it.next();
    laidOut += ppd.mid(done, m.capturedStart() - done) + m.captured(1) +
               QStringLiteral("\"%1 %1 %2 %3\"")
                   .arg(margin)
                   .arg(m.captured(2).toInt() - margin)
                   .arg(m.captured(3).toInt() - margin);
    done = m.capturedEnd();
  }
  return laidOut + ppd.mid(done);
}

// The backend: the PostScript of the queue's filters made a PDF, as cups-pdf
// makes it, in the folder the device URI names.
const char* const kBackend = R"(#!/bin/sh
if [ $# -eq 0 ]; then echo 'direct vetrapdf "Unknown" "Vetra32 test PDF"'; exit 0; fi
folder="${DEVICE_URI#vetrapdf:}"
gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile="$folder/job$1.tmp" "${6:--}" &&
  mv "$folder/job$1.tmp" "$folder/job$1.pdf"
)";

// Anyone may print; nothing else of the machine is reached.
const char* const kServerConfiguration = R"(Listen %1
LogLevel info
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
)";

const char* const kFilesConfiguration = R"(ServerRoot %1/conf
RequestRoot %1/spool
TempDir %1/tmp
CacheDir %1/cache
StateDir %1/state
ServerBin %1/bin
DataDir /usr/share/cups
ErrorLog %1/log/error_log
AccessLog %1/log/access_log
PageLog %1/log/page_log
Sandboxing Relaxed
)";

}  // namespace

PrivateCups::PrivateCups(const TempFolder& folder) : root_(QString::fromStdString(folder.Path())) {
  for (const char* program : {"cupsd", "lpadmin", "lp", "gs"})
    if (Program(QString::fromLatin1(program)).isEmpty()) {
      failure_ = QString::fromLatin1(program) + QStringLiteral(" is not installed");
      return;
    }
  if (!QFile::exists(kCupsPdfPpd)) {
    failure_ = QStringLiteral("printer-driver-cups-pdf is not installed");
    return;
  }
  Configure();
  server_.setProgram(Program(QStringLiteral("cupsd")));
  server_.setArguments({QStringLiteral("-f"), QStringLiteral("-c"), root_ + QStringLiteral("/conf/cupsd.conf"),
                        QStringLiteral("-s"), root_ + QStringLiteral("/conf/cups-files.conf")});
  server_.setProcessChannelMode(QProcess::MergedChannels);
  // The server ends with the test, however the test ends.
  server_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
  server_.start();
  // cupsd makes its socket once it listens; it may also refuse to start
  // (no permission to run its filters as another user, a sandbox).
  for (int i = 0; i < 600 && !QFile::exists(Socket()) && server_.state() != QProcess::NotRunning; ++i)
    QThread::msleep(50);
  if (!QFile::exists(Socket())) {
    failure_ = QStringLiteral("cupsd did not start: ") + QString::fromLocal8Bit(server_.readAll()) +
               ReadFile(root_ + QStringLiteral("/log/error_log")).right(2000);
    return;
  }
  // A page of PostScript through a queue of its own shows that the filters
  // can run here at all (a container may forbid changing to the lp user).
  const QString probe = root_ + QStringLiteral("/probe.ps");
  WriteFile(probe, QStringLiteral("%!PS\nshowpage\n"), kReadable);
  failure_ = AddQueue(QStringLiteral("probe"), 0, false);
  if (failure_.isEmpty()) failure_ = Run(QStringLiteral("lp"), {QStringLiteral("-d"), QStringLiteral("probe"), probe});
  if (failure_.isEmpty() && WaitForJob(QStringLiteral("probe"), 1).isEmpty())
    failure_ =
        QStringLiteral("a job did not go through: ") + ReadFile(root_ + QStringLiteral("/log/error_log")).right(2000);
}

PrivateCups::~PrivateCups() {
  if (server_.state() == QProcess::NotRunning) return;
  server_.terminate();
  if (!server_.waitForFinished(10000)) server_.kill();
  server_.waitForFinished();
}

QString PrivateCups::Socket() const { return root_ + QStringLiteral("/cups.sock"); }

// The server's folders and files; the filters are the system's, the only
// backend is ours.
bool PrivateCups::Configure() {
  const QDir root(root_);
  for (const char* folder : {"conf", "spool", "tmp", "cache", "state", "log", "out", "bin/backend"})
    if (!root.mkpath(QString::fromLatin1(folder))) return false;
  // The filters run as the lp user when the server runs as root: they go
  // through the folder and write their temporary files.
  QFile::setPermissions(root_, kReadable | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther);
  std::error_code ec;
  std::filesystem::permissions(root_.toStdString() + "/tmp",
                               std::filesystem::perms::all | std::filesystem::perms::sticky_bit, ec);
  const QString system = QStringLiteral("/usr/lib/cups");
  for (const QString& part : QDir(system).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
    if (part != QStringLiteral("backend"))
      QFile::link(system + QStringLiteral("/") + part, root_ + QStringLiteral("/bin/") + part);
  // Executable by its owner alone: a root server runs it as root.
  WriteFile(root_ + QStringLiteral("/bin/backend/vetrapdf"), QString::fromLatin1(kBackend),
            kPrivate | QFileDevice::ExeOwner);
  WriteFile(root_ + QStringLiteral("/conf/cupsd.conf"), QString::fromLatin1(kServerConfiguration).arg(Socket()),
            kReadable);
  WriteFile(root_ + QStringLiteral("/conf/cups-files.conf"), QString::fromLatin1(kFilesConfiguration).arg(root_),
            kReadable);
  return true;
}

QString PrivateCups::AddQueue(const QString& name, int margin, bool makeDefault) {
  const QString ppd = root_ + QStringLiteral("/") + name + QStringLiteral(".ppd");
  WriteFile(ppd, PpdWithMargins(margin), kReadable);
  QDir().mkpath(OutputFolder(name));
  QString said =
      Run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                                      QStringLiteral("vetrapdf:") + OutputFolder(name), QStringLiteral("-P"), ppd});
  if (said.isEmpty() && makeDefault) said = Run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name});
  return said;
}

QString PrivateCups::Run(const QString& program, const QStringList& arguments) const {
  QProcess client;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("CUPS_SERVER"), Socket());
  client.setProcessEnvironment(environment);
  client.setProcessChannelMode(QProcess::MergedChannels);
  client.start(Program(program), arguments);
  client.waitForFinished(30000);
  return client.exitStatus() == QProcess::NormalExit && client.exitCode() == 0
             ? QString()
             : program + QStringLiteral(": ") + QString::fromLocal8Bit(client.readAll());
}

QString PrivateCups::OutputFolder(const QString& queue) const { return root_ + QStringLiteral("/out/") + queue; }

// The PDF files the queue has made so far, in the order of their jobs.
QStringList PrivateCups::Made(const QString& queue) const {
  QStringList files;
  for (const QFileInfo& file : QDir(OutputFolder(queue)).entryInfoList({QStringLiteral("job*.pdf")}, QDir::Files))
    files << file.absoluteFilePath();
  std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
    return QFileInfo(a).completeBaseName().mid(3).toInt() < QFileInfo(b).completeBaseName().mid(3).toInt();
  });
  return files;
}

QString PrivateCups::WaitForJob(const QString& queue, int count) const {
  for (int i = 0; i < 1200 && Made(queue).size() < count; ++i) QTest::qWait(50);
  const QStringList made = Made(queue);
  return made.size() >= count ? made[count - 1] : QString();
}

}  // namespace vetra::testing
