#pragma once
// "REDUCCIÓN DE APUESTAS": the base is built with the mouse on the sheet of
// the current matchday and order, the method and its parameters are chosen,
// the predicted figures follow every click, and "Reducir" stores the index
// entry and writes the columns. A new matchday, order or method closes the
// screen with a reload request, and the main menu opens it again.
#include <QDialog>
#include <QRect>
#include <array>
#include <functional>

#include "reductions/reduction_engine.h"
#include "reductions/sheet_drawing.h"

class QLineEdit;

namespace vetra {

struct AppState;
class DrawingSurface;
class PickList;
class PictureButton;
class ProgressPanel;

class Reducir : public QDialog {
  Q_OBJECT
 public:
  Reducir(AppState& app, QWidget* parent);
  const ReductionFigures& Figures() const { return figures_; }
  bool Busy() const { return busy_; }

 protected:
  void reject() override;

 private:
  // A panel with its pick list.
  struct ListPanel {
    QRect rect;
    PickList* list = nullptr;
    std::function<QString()> line1;
    std::function<QString()> line2;
    std::function<void(int)> choose;  // the effect of a new choice
    bool open = false;
  };
  enum { kMatchdayPanel, kOrderPanel, kMethodPanel, kMinPanel, kMaxPanel, kPanelCount };

  void Layout();
  void BuildPanels();
  void DrawScreen();
  void DrawMethodExtras();
  void DrawTwoButtons(int pressed);
  void DrawListPanel(int index);
  void TogglePanel(int index);
  void ClosePanel(int index);
  void ListChosen(int index, int entry);
  void BuildErrorLists();
  void Reload();

  void PressOnScreen(QPoint point);
  void MoveOnScreen(QPoint point);
  void PressBase(QPoint point);
  void MoveBase(QPoint point);
  void PressElegir(QPoint point);
  void PressColBas(QPoint point);
  void PressSignos(QPoint point);
  void MoveSignos(QPoint point);
  void AfterEdit(int match);
  void Recompute();

  void RunReduction();
  void SetBusy(bool busy);
  void Leave();

  AppState& app_;
  ReductionFigures figures_;
  SheetPictures sheet_;
  DrawingSurface* esta_ = nullptr;
  QLineEdit* descripcion_ = nullptr;
  PictureButton* reducir_ = nullptr;
  PictureButton* indice_ = nullptr;
  PictureButton* ayuda_ = nullptr;
  PictureButton* salir_ = nullptr;
  ProgressPanel* porcen_ = nullptr;
  std::array<ListPanel, kPanelCount> panels_;
  int methodPanelLeft_ = 0;
  int selectAllLeft_ = 0;
  int clearAllLeft_ = 0;
  int listedMultiples_ = -1;  // multiplesMarked when the error lists were built
  bool busy_ = false;
};

// The menu's way in: shows the screen again as long as it closes asking to.
void ShowReductionScreen(AppState& app, QWidget* parent);

}  // namespace vetra
