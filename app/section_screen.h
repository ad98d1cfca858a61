#pragma once
// The pieces every screen is built from: a drawing surface that keeps its
// picture in an image (the drawing routines paint there, the window only
// copies it), and the picture buttons whose images the main menu holds.
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

namespace vetra {

class DrawingSurface : public QWidget {
  Q_OBJECT
 public:
  DrawingSurface(QWidget* parent, QSize size);
  QImage& Image() { return image_; }
  // Clears the picture to `colour` (a 24-bit blue-green-red value).
  void Clear(std::uint32_t colour);

 signals:
  void Pressed(QPoint position);
  void Moved(QPoint position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QImage image_;
};

struct AppState;

// A press opens a panel: sound 6, the panel's open look, and its editor or
// list shown below it with the keyboard focus.
void OpenPanelEditor(const AppState& app, DrawingSurface* surface, const QRect& panel, QWidget* editor);

// The picture of a button by its name ("Salir", "Ayuda", "Guardar", ...).
QPixmap ButtonPicture(const QString& name);

// A picture used as a button: "Pic_" + name, with the menu's picture. Its
// press first takes the focus from an open editor or pick list.
class PictureButton : public QLabel {
  Q_OBJECT
 public:
  PictureButton(QWidget* parent, const QString& name, QPoint position);

 signals:
  void Pressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace vetra

// Shared by the editing screens: placing, the buttons every screen has, the
// pointers that tell whether a button or zone does something, framed groups.
class QDialog;
class QEvent;
class QLineEdit;
class QPainter;

namespace vetra {

// Centred on the display as the main menu is, with the band at the bottom of
// the display left free.
void CentreAsTheMenu(QWidget* screen);

// The help button (sound 9, the screen's help topic) and the exit button
// (sound 5, the screen closed), both with the pointing hand.
PictureButton* AddHelpButton(QDialog* screen, const AppState& app, int topic, QPoint position);
PictureButton* AddExitButton(QDialog* screen, const AppState& app, QPoint position);

// F1 anywhere on the screen presses its help button while that is shown.
void PressedByHelpKey(PictureButton* help);

// Escape presses the screen's exit button while that is shown and nothing
// would be lost (the save button idle, no edited text box in focus), and
// otherwise does nothing: it never closes a screen behind its exit rules.
void LeaveByEscape(QDialog* screen, PictureButton* exit);

// A save, add or delete button shows by its pointer whether it has something
// to do: the pointing hand when it has, the no-drop pointer when not.
void ShowButtonActive(QWidget* button, bool active);
bool ButtonIsActive(const QWidget* button);

// A one-line text box of an editor, in the screen font.
QLineEdit* AddTextBox(QWidget* parent, const QString& name, int maxLength, int width);

// A group's frame: a dark green outline with a yellow one a pixel up and
// left, and the title drawn on a strip of ground over the top edge.
void DrawTitledFrame(QPainter& p, const QRect& frame, const QRect& strip, QPoint titleAt, const QString& title);

// A key press of Enter, from either key.
bool IsEnterKey(const QEvent* event);

}  // namespace vetra
