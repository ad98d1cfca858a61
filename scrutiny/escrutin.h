#pragma once
// "ESCRUTINIO DE ACIERTOS": a stored reduction on its sheet, the winning grid
// and the prize boxes beside it; "Escrutar" stores the winning column and the
// prizes in the matchday and lists the columns per number of hits and the
// slips that hold prizes, which "Imprimir" then prints. Not modal: the main
// menu closes it on its next press.
#include <QDialog>
#include <array>

#include "reductions/stored_sheet.h"
#include "scrutiny/scrutiny_engine.h"

class QLineEdit;
class QListWidget;
class QPainter;
class QGroupBox;

namespace vetra {

struct AppState;
class DrawingSurface;
class PictureButton;

class Escrutin : public QDialog {
  Q_OBJECT
 public:
  Escrutin(AppState& app, QWidget* parent);
  bool PrintingAvailable() const { return printingAvailable_; }
  const ScrutinyEntry& Entry() const { return entry_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void LoadScrutiny();
  void ArrangeScrutinyScreen();
  void DrawScreen();
  void DrawCaptions();
  void DrawCaption(QPainter& p, int x, int y, const QString& text);
  void DrawSlipsHeading(QPainter& p);
  void DrawWinningCell(int match, int sign);

  void PressGanadora(QPoint point);
  void MoveGanadora(QPoint point);
  void PrizeEdited(int k);
  void PrizeLeft(int k);
  void LeaveFocusedPrizeBox();

  void Escrutar();
  void SetPrintingAvailable(bool available);
  void PrintScrutiny();
  void Leave();

  AppState& app_;
  ScrutinyEntry entry_;
  ScrutinyResult result_;
  StoredSheetPictures pictures_;
  SheetPictures& sheet_ = pictures_.sheet;  // what the loaded method shows
  SheetPanels* panels_ = nullptr;
  DrawingSurface* ganadora_ = nullptr;
  QGroupBox* premios_ = nullptr;
  std::array<QLineEdit*, kPrizes> prizeBoxes_{};
  QListWidget* aciertos_ = nullptr;
  QListWidget* boletos_ = nullptr;
  PictureButton* escrutar_ = nullptr;
  PictureButton* imprimir_ = nullptr;
  PictureButton* indice_ = nullptr;
  PictureButton* ayuda_ = nullptr;
  PictureButton* salir_ = nullptr;
  std::int16_t ganadoraZone_ = 0;
  bool printingAvailable_ = false;
  bool busy_ = false;
};

}  // namespace vetra
