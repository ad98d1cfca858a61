#pragma once
// "Modificación de la lista de equipos": the user's team names, from which
// the matchday editor's boxes offer their drop-downs. Names are added and
// removed in the list; only the save button writes EQUIPOS.VTR.
#include <QDialog>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;

namespace vetra {

struct AppState;
class DrawingSurface;
class PictureButton;

class Equipos : public QDialog {
  Q_OBJECT
 public:
  Equipos(AppState& app, QWidget* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void DrawFrames(DrawingSurface* surface);
  void Add();
  void Remove();
  void Save();

  AppState& app_;
  PictureButton* guardar_;
  PictureButton* anadir_;
  PictureButton* borrar_;
  QLineEdit* nuevo_;
  QListWidget* lista_;
  std::vector<std::string> names_;  // the list's entries as typed, file bytes, in list order
};

}  // namespace vetra
