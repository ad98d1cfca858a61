#include "platform/help_viewer.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QResource>
#include <QTextBrowser>
#include <QUrl>

namespace vetra {
namespace {

QPointer<QTextBrowser>& Window() {
  static QPointer<QTextBrowser> window;
  return window;
}

// The help file is a collection of HTML pages under ":/ayuda", one per topic.
bool LoadHelpFile(const QString& programFolder) {
  static QString loaded;
  const QString path = QDir(programFolder).filePath(QString::fromLatin1(kHelpFile));
  if (loaded == path) return true;
  if (!QResource::registerResource(path)) return false;
  loaded = path;
  return true;
}

}  // namespace

QTextBrowser* HelpWindow() { return Window(); }

bool ShowHelpTopic(const QString& programFolder, int topic) {
  if (!LoadHelpFile(programFolder)) {
    QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("Vetra32"),
                         QStringLiteral("No se encuentra el fichero de ayuda %1 en la carpeta del programa.")
                             .arg(QString::fromLatin1(kHelpFile)));
    return false;
  }
  if (!Window()) {
    Window() = new QTextBrowser;
    Window()->setObjectName(QStringLiteral("ayuda"));
    Window()->setAttribute(Qt::WA_DeleteOnClose);
    Window()->setWindowTitle(QStringLiteral("Ayuda de Vetra32"));
    Window()->setOpenExternalLinks(false);
    Window()->resize(560, 520);
  }
  const QString page = topic == 0 ? QStringLiteral("index") : QString::number(topic);
  Window()->setSource(QUrl(QStringLiteral("qrc:/ayuda/%1.html").arg(page)));
  Window()->show();
  Window()->raise();
  Window()->activateWindow();
  return true;
}

}  // namespace vetra
