#include "app/mensajes.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"

namespace vetra {
namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 210;

std::function<void(Mensajes&)>& Hook() {
  static std::function<void(Mensajes&)> hook;
  return hook;
}

}  // namespace

Mensajes::Mensajes(AppState& app, const QString& title, const QString& message, std::initializer_list<Answer> extra)
    : QDialog(nullptr), app_(app) {
  setObjectName(QStringLiteral("mensajes"));
  setWindowTitle(QStringLiteral("Vetra32"));
  setFixedSize(kWidth, kHeight);
  setModal(true);
  PaintGround();

  // The extra answers share the place left of the close button.
  for (Answer answer : extra) {
    switch (answer) {
      case Answer::Ayuda: AddAnswer(app_.helpPressed, QStringLiteral("Ayuda")); break;
      case Answer::Copiar: AddAnswer(app_.copyPressed, QStringLiteral("Copiar")); break;
      case Answer::Borrar: AddAnswer(app_.deletePressed, QStringLiteral("Borrar")); break;
      case Answer::Reducir: AddAnswer(app_.reducePressed, QStringLiteral("Reducir")); break;
    }
  }

  auto* titleLabel = new QLabel(title, this);
  titleLabel->setObjectName(QStringLiteral("Tex_Titulo"));
  titleLabel->setGeometry(20, 14, kWidth - 40, 22);
  titleLabel->setAlignment(Qt::AlignCenter);
  titleLabel->setFont(ScreenFont(true));
  titleLabel->setStyleSheet(QStringLiteral("color: #ffff00;"));

  salir_ = new PictureButton(this, QStringLiteral("Salir"), QPoint(kWidth - 56, kHeight - 52));
  salir_->setFocusPolicy(Qt::StrongFocus);
  SetPointer(salir_, QStringLiteral("ManoIndice"));
  connect(salir_, &PictureButton::Pressed, this, [this] {
    PlaySoundEffect(app_, 5);
    accept();
  });

  auto* text = new QLabel(message, this);
  text->setObjectName(QStringLiteral("Tex_Mensaje"));
  text->setGeometry(24, 44, kWidth - 48, kHeight - 104);
  text->setWordWrap(true);
  text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text->setFont(ScreenFont(false));
  text->setStyleSheet(QStringLiteral("color: #ffffff;"));
}

void Mensajes::PaintGround() {
  auto* surface = new DrawingSurface(this, size());
  surface->Clear(colour::kGround);
  QPainter p(&surface->Image());
  // Shape1: the frame around title and text.
  p.setPen(Bgr(colour::kYellow));
  p.drawRect(8, 6, kWidth - 17, kHeight - 13);
  p.setPen(Bgr(colour::kShadow));
  p.drawLine(20, 38, kWidth - 20, 38);
}

void Mensajes::AddAnswer(bool& flag, const QString& name) {
  const int index = static_cast<int>(findChildren<PictureButton*>().size());
  auto* button = new PictureButton(this, name, QPoint(20 + 46 * index, kHeight - 52));
  SetPointer(button, QStringLiteral("ManoIndice"));
  connect(button, &PictureButton::Pressed, this, [this, &flag] {
    PlaySoundEffect(app_, 9);
    flag = true;
    accept();
  });
}

void Mensajes::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ShowNormalPointer();
  salir_->setFocus();
}

void Mensajes::keyPressEvent(QKeyEvent*) {
  if (salir_->isVisible()) accept();
}

void Mensajes::done(int result) {
  ShowHourglass();  // the caller restores the pointer it wants
  QDialog::done(result);
}

void ShowMessage(AppState& app, const QString& title, const QString& message, std::initializer_list<Answer> extra) {
  Mensajes dialog(app, title, message, extra);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    dialog.move(screen->geometry().center() - dialog.rect().center());
  if (Hook()) QTimer::singleShot(0, &dialog, [&dialog] { Hook()(dialog); });
  dialog.exec();
}

void SetMessageHookForTesting(std::function<void(Mensajes&)> hook) { Hook() = std::move(hook); }

}  // namespace vetra
