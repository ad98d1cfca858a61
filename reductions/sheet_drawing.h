#pragma once
// The sheet on which every screen shows a reduction: the matchday and order
// panels, the fixtures, the description and the grids of the base, each grid
// cell a copy of a block of the glyph strip.
#include <QSize>
#include <QString>

namespace vetra {

struct AppState;
class DrawingSurface;
class PickList;

// Grid geometry, in the grids' own units.
inline constexpr int kCellWidth = 13;
inline constexpr int kCellHeight = 15;
inline constexpr int kRowPitch = 18;
inline constexpr int kColumnPitch = 15;
inline constexpr int kGridMargin = 3;
inline constexpr int kTotalsPitch = 18;

// Where the grids stand on every screen that shows the sheet: the base, its
// check boxes to the right, then the method's third grid (the probable
// column or the totals).
inline constexpr int kGridTop = 91;
inline constexpr int kBaseLeft = 177;
inline constexpr int kElegirLeft = kBaseLeft + 68;
inline constexpr int kThirdGridLeft = kBaseLeft + 106;
inline constexpr QSize kBaseGridSize(51, 257);  // Pic_Base, and Pic_ColBas alike
inline constexpr QSize kElegirSize(21, 257);
inline constexpr QSize kSignosSize(54, 271);

// Where a screen puts its order panel and the matchday's date, which it
// keeps in the app state for the sheet drawing: beside a sheet of two grids,
// or clear of the third.
struct PanelPlaces {
  int orderLeft;
  int dateLeft;
};
inline constexpr PanelPlaces kNarrowPanelPlaces{185, 120};
inline constexpr PanelPlaces kWidePanelPlaces{248, 150};
// The places of the common opening (and of the output chooser): clear of
// the probable column only.
PanelPlaces OpeningPanelPlaces(int method);

// The pictures of a screen that shows the sheet; a grid the screen lacks is null.
struct SheetPictures {
  DrawingSurface* screen = nullptr;
  DrawingSurface* base = nullptr;    // Pic_Base: signs 1, X, 2 of each match
  DrawingSurface* elegir = nullptr;  // Pic_Elegir: the match is marked for reduction
  DrawingSurface* colBas = nullptr;  // Pic_ColBas: the probable column
  DrawingSurface* signos = nullptr;  // Pic_Signos: the allowed totals
};

// The common opening of the screens that show a stored reduction (browser,
// output chooser, scrutiny): loads the reduction of the current matchday and
// order, places the grids by its method and fills the two pick lists, their
// selection silent.
void PrepareSheetScreen(AppState& app, const SheetPictures& sheet, PickList* matchdays, PickList* orders);

// The common sheet; the caller adds what only its own screen shows. With
// `descriptionInTextBox` the description is left to the screen's text box.
void DrawReductionSheet(AppState& app, const SheetPictures& sheet, bool descriptionInTextBox);

// The cells of one match (1..14). A match with fewer than two signs is
// unmarked and loses its probable sign while it is drawn.
void DrawBaseCells(const AppState& app, DrawingSurface* base, int match);
void DrawCheckBox(AppState& app, DrawingSurface* elegir, int match);
void DrawProbableCells(AppState& app, DrawingSurface* colBas, int match);
void DrawMatchCells(AppState& app, const SheetPictures& sheet, int match);

// The totals 0..14 of the signs 1, X and 2, allowed ones highlighted.
void DrawTotalsGrid(const AppState& app, DrawingSurface* signos);

// "Jornada 5", "Orden:  3": the panels' texts.
QString MatchdayPanelText(int matchday);
QString OrderPanelText(int order);

}  // namespace vetra
