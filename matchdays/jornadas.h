#pragma once
// "Datos de jornadas": the date and the fourteen fixtures of any matchday of
// the season. The screen writes the head and the team names of the matchday's
// record and leaves the scrutiny's results and prizes as they were.
#include <QDialog>
#include <QRect>
#include <array>

class QComboBox;
class QLineEdit;

namespace vetra {

struct AppState;
class DrawingSurface;
class PickList;
class PictureButton;

class Jornadas : public QDialog {
  Q_OBJECT
 public:
  Jornadas(AppState& app, QWidget* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildDateBox();
  void BuildTeamBoxes();
  void PressAt(QPoint point);
  void MoveAt(QPoint point);
  void PressMatchdayPanel();
  void PressDatePanel();
  void LoadChosenMatchday();
  void ShowDateInBoxes();
  bool TakeOverDate();
  bool DateIsValid();
  void FillTeamDropDowns();
  void CutTeamName(QComboBox* box);
  void DrawMatchdayPanel();
  void DrawDatePanel();
  void DrawFrame();
  void MarkChanged(bool changed);
  void Save();
  void EditTeamList();

  AppState& app_;
  DrawingSurface* surface_;
  PictureButton* guardar_;
  PickList* jornadas_;
  QWidget* fecJor_;
  QWidget* barra_;
  std::array<QLineEdit*, 3> fecha_{};  // day, month, year
  std::array<QComboBox*, 28> equipos_{};
  QRect matchdayPanel_;
  QRect datePanel_;
  bool dateOpen_ = false;
};

}  // namespace vetra
