#include "reductions/sheet_drawing.h"

#include <QPainter>
#include <QPixmap>

#include "app/app_state.h"
#include "app/opening_reports.h"
#include "app/drawing.h"
#include "app/numbers.h"
#include "app/section_screen.h"
#include "matchdays/matchday_file.h"
#include "matchdays/selection_lists.h"
#include "app/pointers.h"
#include "reductions/base_file.h"
#include "reductions/reduction_tables.h"
#include "platform/text.h"

namespace vetra {
namespace {

constexpr int kCheckBoxGlyph = 3;  // the check box is the fourth glyph column
const QString kSingleBlank = QStringLiteral(" ");

const QPixmap& GlyphStrip() {
  static const QPixmap strip(QStringLiteral(":/signosel.png"));
  return strip;
}

int RowTop(int match) { return kGridMargin + kRowPitch * (match - 1); }
int SignLeft(int sign) { return kGridMargin + kColumnPitch * (sign - 1); }

// A plain copy of glyph `glyph` (0..3) in its plain or marked look.
void CopyGlyph(QPainter& p, int x, int y, int glyph, bool marked) {
  p.drawPixmap(x, y, GlyphStrip(), glyph * kCellWidth, marked ? kCellHeight : 0, kCellWidth, kCellHeight);
}

void EraseCell(QPainter& p, int x, int y) { p.fillRect(x, y, kCellWidth, kCellHeight, Qt::white); }

// A match of one sign has nothing to reduce.
void DropSingleMatchMarks(BaseMatch& match) {
  if (match.signCount < 2) {
    match.marked = 0;
    match.probable = 0;
  }
}

}  // namespace

QString MatchdayPanelText(int matchday) { return QStringLiteral("Jornada ") + QString::number(matchday); }

QString OrderPanelText(int order) { return QStringLiteral("Orden:  ") + QString::number(order); }

void DrawBaseCells(const AppState& app, DrawingSurface* base, int match) {
  const BaseMatch& m = app.baseGrid[match - 1];
  QPainter p(&base->Image());
  for (int s = 1; s <= 3; ++s) CopyGlyph(p, SignLeft(s), RowTop(match), s - 1, m.signs[s - 1] != 0);
  base->update();
}

void DrawCheckBox(AppState& app, DrawingSurface* elegir, int match) {
  BaseMatch& m = app.baseGrid[match - 1];
  DropSingleMatchMarks(m);
  QPainter p(&elegir->Image());
  if (m.signCount < 2)
    EraseCell(p, kGridMargin, RowTop(match));
  else
    CopyGlyph(p, kGridMargin, RowTop(match), kCheckBoxGlyph, m.marked != 0);
  elegir->update();
}

void DrawProbableCells(AppState& app, DrawingSurface* colBas, int match) {
  BaseMatch& m = app.baseGrid[match - 1];
  DropSingleMatchMarks(m);
  QPainter p(&colBas->Image());
  for (int s = 1; s <= 3; ++s) {
    if (m.marked && m.signs[s - 1])
      CopyGlyph(p, SignLeft(s), RowTop(match), s - 1, m.probable == s);
    else
      EraseCell(p, SignLeft(s), RowTop(match));
  }
  colBas->update();
}

void DrawMatchCells(AppState& app, const SheetPictures& sheet, int match) {
  if (sheet.base) DrawBaseCells(app, sheet.base, match);
  if (sheet.elegir) DrawCheckBox(app, sheet.elegir, match);
  if (sheet.colBas) DrawProbableCells(app, sheet.colBas, match);
}

void DrawTotalsGrid(const AppState& app, DrawingSurface* signos) {
  QPainter p(&signos->Image());
  QFont font(QStringLiteral("Liberation Mono"));
  font.setPixelSize(11);
  font.setBold(true);
  p.setFont(font);
  for (int k = 0; k < 3; ++k) {
    for (int j = 0; j <= 14; ++j) {
      const bool allowed = app.allowedTotals[k][j] != 0;
      const QRect cell(kTotalsPitch * k, kTotalsPitch * j, kTotalsPitch - 1, kTotalsPitch - 1);
      p.fillRect(cell, allowed ? Bgr(colour::kRed) : Bgr(colour::kWhite));
      p.setPen(Bgr(colour::kGrey));
      p.drawRect(cell.adjusted(0, 0, -1, -1));
      p.setPen(allowed ? Bgr(colour::kYellow) : Bgr(colour::kBlack));
      p.drawText(cell, Qt::AlignCenter, QString::number(j).rightJustified(2, QLatin1Char(' ')));
    }
  }
  signos->update();
}

PanelPlaces OpeningPanelPlaces(int method) {
  return method == kProbableColumnMethod ? kWidePanelPlaces : kNarrowPanelPlaces;
}

void PrepareSheetScreen(AppState& app, const SheetPictures& sheet, PickList* matchdays, PickList* orders) {
  const FirstReportOnly oneMessage(app);
  app.matchdayListTop = 15;
  LoadBase(app, app.currentMatchday, app.currentOrder);
  const PanelPlaces places = OpeningPanelPlaces(app.reductionMethod);
  app.orderListLeft = static_cast<std::int16_t>(places.orderLeft);
  app.sheetTextLeft = static_cast<std::int16_t>(places.dateLeft);
  if (sheet.base) sheet.base->setGeometry(QRect(QPoint(kBaseLeft, kGridTop), kBaseGridSize));
  if (sheet.elegir) sheet.elegir->setGeometry(QRect(QPoint(kElegirLeft, kGridTop), kElegirSize));
  if (sheet.colBas) sheet.colBas->setGeometry(QRect(QPoint(kThirdGridLeft, kGridTop), kBaseGridSize));
  if (sheet.signos) sheet.signos->move(kThirdGridLeft, kGridTop);
  app.listsFilling = true;
  FillMatchdayList(app, matchdays, 10);
  FillOrderList(app, orders);
  app.listsFilling = false;
  app.orderPanelOpen = false;
  ShowNormalPointer();
}

void DrawReductionSheet(AppState& app, const SheetPictures& sheet, bool descriptionInTextBox) {
  QPainter p(&sheet.screen->Image());
  DrawPanel(p, 10, app.matchdayListTop, 90, 30, MatchdayPanelText(app.currentMatchday), kSingleBlank);
  p.setFont(ScreenFont(true));
  p.setPen(Bgr(colour::kWhite));
  DrawTextAt(p, app.sheetTextLeft, app.matchdayListTop + 12, FromFileText(app.currentMatchdayDate));
  DrawPanel(p, app.orderListLeft, 15, 80, 30, OrderPanelText(app.currentOrder), kSingleBlank);

  p.setFont(ScreenFont(false));
  p.setPen(Bgr(colour::kWhite));
  for (int r = 1; r <= 14; ++r) {
    const int y = 18 * r + 80;
    DrawTextAt(p, r < 10 ? 9 : 3, y, QString::number(r));
    const QString home = FromFileText(Trimmed(TeamName(app.matchdayRecord, 2 * r - 1)));
    const QString away = FromFileText(Trimmed(TeamName(app.matchdayRecord, 2 * r)));
    const QString dash = (!home.isEmpty() && !away.isEmpty()) ? QStringLiteral(" - ") : QString();
    DrawTextAt(p, 18, y, QStringLiteral(". ") + home + dash + away);
  }
  if (!descriptionInTextBox) DrawTextAt(p, 49, 350, FromFileText(Trimmed(app.description)));
  p.end();
  sheet.screen->update();

  for (int m = 1; m <= 14; ++m) DrawMatchCells(app, sheet, m);
}

}  // namespace vetra
