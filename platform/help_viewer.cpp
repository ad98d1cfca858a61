#include "platform/help_viewer.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QResource>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QWindow>

namespace vetra {
namespace {

// Most screens are shown modally, and a modal screen blocks every other
// window. The help window therefore hangs itself under the modal screen on
// top (as a transient window of it), which leaves it reachable beside that
// screen; it is re-hung whenever another modal screen blocks it.
class HelpBrowser : public QTextBrowser {
 public:
  HelpBrowser() {
    setObjectName(QStringLiteral("ayuda"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Ayuda de Vetra32"));
    setOpenExternalLinks(false);
    resize(560, 520);
  }

  void HangUnderModalScreen() {
    QWindow* modal = QGuiApplication::modalWindow();
    if (!windowHandle()) create();
    if (modal && modal != windowHandle()) windowHandle()->setTransientParent(modal);
  }

 protected:
  bool event(QEvent* event) override {
    // Re-hung after the blocking is settled, not inside Qt's update of it.
    if (event->type() == QEvent::WindowBlocked)
      QTimer::singleShot(0, this, [this] { HangUnderModalScreen(); });
    return QTextBrowser::event(event);
  }
  // Without a window manager's title bar, Escape still closes it.
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape)
      close();
    else
      QTextBrowser::keyPressEvent(event);
  }
};

QPointer<HelpBrowser>& Window() {
  static QPointer<HelpBrowser> window;
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
  if (!Window()) Window() = new HelpBrowser;
  const QString page = topic == 0 ? QStringLiteral("index") : QString::number(topic);
  Window()->setSource(QUrl(QStringLiteral("qrc:/ayuda/%1.html").arg(page)));
  Window()->HangUnderModalScreen();
  Window()->show();
  Window()->raise();
  Window()->activateWindow();
  return true;
}

}  // namespace vetra
