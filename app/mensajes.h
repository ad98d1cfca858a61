#pragma once
// The program's own message dialog: a title, a text, the close button and,
// when the caller asks for it, one or more extra answer buttons whose answer
// flags live in AppState.
#include <QDialog>
#include <QString>
#include <functional>
#include <initializer_list>

class QLabel;

namespace vetra {

struct AppState;
class PictureButton;

enum class Answer { Ayuda, Copiar, Borrar, Reducir };

class Mensajes : public QDialog {
  Q_OBJECT
 public:
  Mensajes(AppState& app, const QString& title, const QString& message, std::initializer_list<Answer> extra);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void AddAnswer(bool& flag, const QString& name);
  void PaintGround();

  AppState& app_;
  PictureButton* salir_;
};

// Shows the dialog modally, centred on the display; returns when it closes.
// To offer an answer, set its flag in AppState to false, name the button in
// `extra`, and read the flag afterwards: true means the user chose it.
void ShowMessage(AppState& app, const QString& title, const QString& message, std::initializer_list<Answer> extra = {});

// Tests answer the dialog: the hook gets each dialog once it is on screen.
void SetMessageHookForTesting(std::function<void(Mensajes&)> hook);

}  // namespace vetra
