#include "app/section_screen.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include "app/drawing.h"
#include "app/sounds.h"

namespace vetra {

DrawingSurface::DrawingSurface(QWidget* parent, QSize size) : QWidget(parent) {
  // On a scaled display the picture has as many dots as the display gives
  // the surface, so that its lines and texts stay sharp; the drawing
  // routines keep working in the screen's own units.
  const int ratio = qCeil(devicePixelRatioF());
  image_ = QImage(size * ratio, QImage::Format_RGB32);
  image_.setDevicePixelRatio(ratio);
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
  // A press takes the focus, so an open editor or pick list is left, and
  // takes over what it holds, before the button acts on it.
  setFocusPolicy(Qt::ClickFocus);
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Pressed();
}

}  // namespace vetra

// Shared by the editing screens.
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>

#include "app/app_state.h"
#include "app/help.h"
#include "app/pointers.h"
#include "platform/text.h"

namespace vetra {

void CentreAsTheMenu(QWidget* screen) {
  constexpr int kBottomBand = 26;
  if (const QScreen* display = QGuiApplication::primaryScreen()) {
    const QRect area = display->geometry();
    screen->move((area.width() - screen->width()) / 2, (area.height() - kBottomBand - screen->height()) / 2);
  }
}

PictureButton* AddHelpButton(QDialog* screen, const AppState& app, int topic, QPoint position) {
  auto* button = new PictureButton(screen, QStringLiteral("Ayuda"), position);
  SetPointer(button, QStringLiteral("ManoIndice"));
  QObject::connect(button, &PictureButton::Pressed, screen, [&app, topic] {
    PlaySoundEffect(app, 9);
    ShowHelp(app, topic);
  });
  PressedByHelpKey(button);
  return button;
}

PictureButton* AddExitButton(QDialog* screen, const AppState& app, QPoint position) {
  auto* button = new PictureButton(screen, QStringLiteral("Salir"), position);
  SetPointer(button, QStringLiteral("ManoIndice"));
  QObject::connect(button, &PictureButton::Pressed, screen, [&app, screen] {
    PlaySoundEffect(app, 5);
    screen->reject();
  });
  LeaveByEscape(screen, button);
  return button;
}

void PressedByHelpKey(PictureButton* help) {
  // Tied to the button, the key counts only while the button is shown.
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), help);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, help, &PictureButton::Pressed);
}

void LeaveByEscape(QDialog* screen, PictureButton* exit) {
  // Tied to the screen, the key never reaches the dialog's own Escape, which
  // would close it silently.
  auto* key = new QShortcut(QKeySequence(Qt::Key_Escape), screen);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, exit, [screen, exit] {
    const QWidget* save = screen->findChild<QWidget*>(QStringLiteral("Pic_Guardar"));
    const auto* typing = qobject_cast<const QLineEdit*>(screen->focusWidget());
    const bool unsaved = (save && save->isVisible() && ButtonIsActive(save)) || (typing && typing->isModified());
    if (exit->isVisible() && exit->isEnabled() && !unsaved) emit exit->Pressed();
  });
}

void ShowButtonActive(QWidget* button, bool active) {
  if (active)
    SetPointer(button, QStringLiteral("ManoIndice"));
  else
    SetNoDropPointer(button);
}

bool ButtonIsActive(const QWidget* button) {
  return button->property("pointer").toString() == QStringLiteral("manoindice");
}

QLineEdit* AddTextBox(QWidget* parent, const QString& name, int maxLength, int width) {
  constexpr int kEditorHeight = 21;
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setMaxLength(maxLength);
  box->setFixedSize(width, kEditorHeight);
  box->setFont(ScreenFont(false));
  box->setValidator(FileTextValidator(box));
  return box;
}

void DrawTitledFrame(QPainter& p, const QRect& frame, const QRect& strip, QPoint titleAt, const QString& title) {
  p.setBrush(Qt::NoBrush);
  p.setPen(Bgr(colour::kShadow));
  p.drawRect(frame.translated(1, 1));
  p.setPen(Bgr(colour::kYellow));
  p.drawRect(frame);
  p.fillRect(strip, Bgr(colour::kGround));
  DrawShadowText(p, titleAt.x(), titleAt.y(), title);
}

bool IsEnterKey(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace vetra
