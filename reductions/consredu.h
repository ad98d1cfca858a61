#pragma once
// "CONSULTAR REDUCCIONES": the columns of a stored reduction, three slips at
// a time beside its sheet and summary, paged with two arrows or by dragging a
// button along a track. The column file stays open from one load to the next
// and only the page shown is read from it, so that the largest reduction
// browses as quickly as the smallest. Not modal: the main menu closes it on
// its next press.
#include <QDialog>
#include <QLabel>
#include <array>

#include "reductions/browser_view.h"
#include "reductions/column_file.h"
#include "reductions/stored_sheet.h"

namespace vetra {

struct AppState;
class DrawingSurface;
class PictureButton;

// Pic_Boton: reports the pointer's x within the button while it is pressed,
// moved and released.
class ScrollButton : public QLabel {
  Q_OBJECT
 public:
  explicit ScrollButton(QWidget* parent);

 signals:
  void Pressed(double x);
  void Moved(double x);
  void Released();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class Consredu : public QDialog {
  Q_OBJECT
 public:
  Consredu(AppState& app, QWidget* parent);
  std::int32_t FirstColumn() const { return firstColumn_; }
  bool Browsing() const { return reader_.IsOpen(); }

 protected:
  // However the screen is left, the column file is closed.
  void done(int result) override;

 private:
  void BuildControls();
  void LoadBrowser();
  void ArrangeBrowser();
  void DrawScreen();
  void DrawBrowserPage();
  void DrawSlipCaptions(const PageRows& rows);
  void DrawColumns(const PageRows& rows);
  void DrawSlipCount();
  ScrollTrack Track() const;
  void PlaceButton();

  void TurnPage(int pages);
  void PressButton(double x);
  void DragButton(double x);
  void ReleaseButton();

  AppState& app_;
  StoredSheetPictures pictures_;
  SheetPictures& sheet_ = pictures_.sheet;  // what the loaded method shows
  SheetPanels* panels_ = nullptr;
  DrawingSurface* colum_ = nullptr;
  PictureButton* fleIzq_ = nullptr;
  PictureButton* fleDer_ = nullptr;
  ScrollButton* boton_ = nullptr;
  PictureButton* garantia_ = nullptr;
  std::array<QWidget*, 4> buttons_{};  // Pic_Garantia, Pic_Indice, Pic_Ayuda, Pic_Salir
  ColumnFileReader reader_;
  std::int32_t firstColumn_ = 1;
  bool dragging_ = false;
  int startX_ = 0;
};

}  // namespace vetra
