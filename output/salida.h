#pragma once
// "Salida de Datos por Impresora o a Disco Flexible": a stored reduction on
// its sheet, chosen by matchday and order, with a button for each of the six
// kinds of output; each opens the output screen `listados` for its kind. Not
// modal: the main menu closes it on its next press.
#include <QDialog>

#include "reductions/stored_sheet.h"

namespace vetra {

struct AppState;
class PictureButton;

class Salida : public QDialog {
  Q_OBJECT
 public:
  Salida(AppState& app, QWidget* parent);

 private:
  void BuildControls();
  void LoadOutputReduction();
  void DrawScreen();
  void OpenOutput(int type);

  AppState& app_;
  StoredSheetPictures pictures_;
  SheetPanels* panels_ = nullptr;
  PictureButton* quiniela_ = nullptr;  // the slip count stands over it
};

}  // namespace vetra
