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

// A picture used as a button: "Pic_" + name, with the menu's picture.
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
