#include "app/section_screen.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/drawing.h"
#include "app/sounds.h"

namespace vetra {

DrawingSurface::DrawingSurface(QWidget* parent, QSize size)
    : QWidget(parent), image_(size, QImage::Format_RGB32) {
  setObjectName(QStringLiteral("surface"));
  setFixedSize(size);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  image_.fill(Qt::white);
}

void DrawingSurface::Clear(std::uint32_t colour) { image_.fill(Bgr(colour)); }

void DrawingSurface::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, image_);
}

void DrawingSurface::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Pressed(event->position().toPoint());
}

void DrawingSurface::mouseMoveEvent(QMouseEvent* event) { emit Moved(event->position().toPoint()); }

void OpenPanelEditor(const AppState& app, DrawingSurface* surface, const QRect& panel, QWidget* editor) {
  PlaySoundEffect(app, 6);
  {
    QPainter p(&surface->Image());
    DrawPanelOpen(p, panel.x(), panel.y(), panel.width(), panel.height());
  }
  surface->update();
  editor->show();
  editor->raise();
  editor->setFocus();
}

QPixmap ButtonPicture(const QString& name) { return QPixmap(QStringLiteral(":/buttons/%1.png").arg(name.toLower())); }

PictureButton::PictureButton(QWidget* parent, const QString& name, QPoint position) : QLabel(parent) {
  setObjectName(QStringLiteral("Pic_") + name);
  setPixmap(ButtonPicture(name));
  setFixedSize(pixmap().size());
  move(position);
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Pressed();
}

}  // namespace vetra
