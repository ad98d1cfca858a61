#pragma once
// The parts that every screen showing a stored reduction has (the browser,
// the output chooser, the scrutiny): the sheet's pictures, of which the
// loaded method shows one third grid or none, and the matchday and order
// fields over the sheet, each opening its pick list.
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>
#include <cstdint>
#include <functional>

#include "reductions/sheet_drawing.h"

namespace vetra {

struct AppState;
class DrawingSurface;
class PickList;

struct StoredSheetPictures {
  SheetPictures sheet;  // the pictures the loaded method shows
  DrawingSurface* colBas = nullptr;
  DrawingSurface* signos = nullptr;
  // The probable column for method 2, the totals for method 3, else neither.
  void ShowGridsOf(int method);
};

// The screen's surface of `size` and the four grids, all placed by
// PrepareSheetScreen.
StoredSheetPictures AddStoredSheetPictures(QWidget* screen, QSize size);

// The browser's and the scrutiny's screen: narrow for the direct method, wide
// enough for the third grid for the other two (9100 and 9550 twips at 15
// twips to the pixel), its panels placed to match.
inline constexpr int kNarrowSheetScreenWidth = 607;
inline constexpr int kWideSheetScreenWidth = 637;
struct WidthAndPlaces {
  int width;
  PanelPlaces panels;
};
WidthAndPlaces ThirdGridLayoutOf(int method);

// The matchday and order fields. A choice that changes the matchday or the
// order (a new matchday starts again at order 1), or any choice while the
// lists are being filled, makes the screen load the reduction again.
class SheetPanels : public QObject {
  Q_OBJECT
 public:
  // `load` loads the current matchday and order into the screen.
  SheetPanels(AppState& app, QWidget* screen, DrawingSurface* surface, std::function<void()> load);

  PickList* Matchdays() const { return panels_[kMatchday].list; }
  PickList* Orders() const { return panels_[kOrder].list; }

  // The order panel and the matchday's date where the screen puts them for
  // the loaded reduction, kept in the app state for the sheet drawing.
  void Arrange(PanelPlaces places);
  // A press on a panel opens it, or closes it taking its entry; false when
  // the press met no panel.
  bool Press(QPoint point);
  // The pointing hand over the panels.
  void Move(QPoint point);
  // Pic_Indice: the index of reductions; a line picked there is loaded.
  void OpenIndex();

 private:
  enum { kMatchday, kOrder };
  struct Panel {
    QRect rect;
    PickList* list = nullptr;
    bool open = false;
  };

  void Chosen(int index, int entry);
  void Redraw(int index);

  AppState& app_;
  QWidget* screen_;
  DrawingSurface* surface_;
  std::function<void()> load_;
  std::array<Panel, 2> panels_;
  std::int16_t zone_ = 0;
};

}  // namespace vetra
