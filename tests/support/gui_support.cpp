#include "tests/support/gui_support.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "app/section_screen.h"
#include "platform/sound_player.h"

namespace vetra::testing {

GuiState::GuiState() {
  app.programFolder = VETRA_TEST_PROGRAM_DIR;
  SetSoundObserverForTesting([this](int number) { sounds.push_back(number); });
}

GuiState::~GuiState() { SetSoundObserverForTesting(nullptr); }

void WriteGeneralDataLine(const TempFolder& folder, const std::string& line) {
  folder.Write("DATOSGEN.VTR", line + "\r\n");
}

void WhenModal(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      action(modal);
    }
  });
  timer->start();
}

void PressAt(QWidget* widget, QPoint position) {
  QWidget* target = widget->childAt(position);
  if (!target) target = widget;
  QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(widget, position));
}

QImage SurfaceImage(QWidget* screen) { return screen->findChild<DrawingSurface*>()->Image(); }

QString PointerOf(const QWidget* control) { return control->property("pointer").toString(); }

}  // namespace vetra::testing
