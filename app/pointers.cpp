#include "app/pointers.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

namespace vetra {
namespace {

struct PointerImage {
  const char* name;
  int hotX, hotY;
};

// The hot spot of each picture: the finger tip, the palm, the pencil's point.
constexpr PointerImage kPointers[] = {
    {"manoindice", 9, 1}, {"manoabierta", 16, 16}, {"manocerrada", 16, 16}, {"lapiz", 1, 30}, {"goma", 5, 27}};

}  // namespace

QCursor PointerNamed(const QString& name) {
  const QString key = name.toLower();
  for (const PointerImage& p : kPointers)
    if (key == QLatin1String(p.name))
      return QCursor(QPixmap(QStringLiteral(":/pointers/%1.png").arg(key)), p.hotX, p.hotY);
  return QCursor(Qt::ArrowCursor);
}

void SetPointer(QWidget* control, const QString& name) {
  control->setCursor(PointerNamed(name));
  control->setProperty("pointer", name.toLower());
}

void SetNoDropPointer(QWidget* control) {
  control->setCursor(Qt::ForbiddenCursor);
  control->setProperty("pointer", QStringLiteral("nodrop"));
}

void SetNormalPointer(QWidget* control) {
  control->setCursor(Qt::ArrowCursor);
  control->setProperty("pointer", QStringLiteral("normal"));
}

void SetZonePointer(std::int16_t& pointerZone, QWidget* control, int zone, const QString& pointer) {
  if (zone == pointerZone) return;
  pointerZone = static_cast<std::int16_t>(zone);
  if (zone == 0)
    SetNormalPointer(control);
  else if (pointer == QStringLiteral("nodrop"))
    SetNoDropPointer(control);
  else
    SetPointer(control, pointer);
}

void ShowHourglass() {
  if (!QApplication::overrideCursor()) QApplication::setOverrideCursor(Qt::WaitCursor);
}

void ShowNormalPointer() {
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

}  // namespace vetra
