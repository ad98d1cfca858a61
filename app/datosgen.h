#pragma once
// "Mantenimiento de Datos Generales": the season length, the price of a bet,
// the delegation and receptor codes and the sound switch, each edited in a
// panel; nothing reaches the disk until the save button is pressed.
#include <QDialog>
#include <QRect>
#include <array>

class QLineEdit;
class QListWidget;

namespace vetra {

struct AppState;
class DrawingSurface;
class PictureButton;

class Datosgen : public QDialog {
  Q_OBJECT
 public:
  Datosgen(AppState& app, QWidget* parent);

 protected:
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Panel {
    QRect rect;
    QWidget* editor;
    bool open = false;
  };
  enum { kSeason, kPrice, kDelegation, kReceptor, kSound };

  void PressAt(QPoint point);
  void MoveAt(QPoint point);
  void TogglePanel(int index);
  void ClosePanel(int index);
  void CloseSeason();
  void ClosePrice();
  void CloseCode(QLineEdit* editor, std::string& code, int width);
  void CloseSound();
  void RedrawPanel(int index);
  QString PanelText(int index) const;
  void MarkChanged(bool changed);
  void Save();
  void FilterDigits(QLineEdit* editor, bool allowPoint);
  void FilterSeason();
  QLineEdit* AddEditor(const char* name, int maxLength, int width);

  AppState& app_;
  DrawingSurface* surface_;
  PictureButton* guardar_;
  QLineEdit* totJor_;
  QLineEdit* preApu_;
  QLineEdit* delegacion_;
  QLineEdit* receptor_;
  QListWidget* sonido_;
  std::array<Panel, 5> panels_;
  bool changed_ = false;
};

}  // namespace vetra
