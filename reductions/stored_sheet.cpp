#include "reductions/stored_sheet.h"

#include <QPainter>
#include <algorithm>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"
#include "maintenance/historic.h"
#include "matchdays/selection_lists.h"
#include "platform/text.h"
#include "reductions/reduction_tables.h"

namespace vetra {
namespace {

DrawingSurface* AddGrid(QWidget* screen, const char* name, QSize size) {
  auto* grid = new DrawingSurface(screen, size);
  grid->setObjectName(QString::fromLatin1(name));
  return grid;
}

}  // namespace

void StoredSheetPictures::ShowGridsOf(int method) {
  sheet.colBas = method == kProbableColumnMethod ? colBas : nullptr;
  sheet.signos = method == kSignSelectionMethod ? signos : nullptr;
  colBas->setVisible(sheet.colBas != nullptr);
  signos->setVisible(sheet.signos != nullptr);
}

StoredSheetPictures AddStoredSheetPictures(QWidget* screen, QSize size) {
  StoredSheetPictures pictures;
  pictures.sheet.screen = new DrawingSurface(screen, size);
  pictures.sheet.base = AddGrid(screen, "Pic_Base", kBaseGridSize);
  pictures.sheet.elegir = AddGrid(screen, "Pic_Elegir", kElegirSize);
  pictures.colBas = pictures.sheet.colBas = AddGrid(screen, "Pic_ColBas", kBaseGridSize);
  pictures.signos = pictures.sheet.signos = AddGrid(screen, "Pic_Signos", kSignosSize);
  return pictures;
}

WidthAndPlaces ThirdGridLayoutOf(int method) {
  if (method == kDirectMethod) return {kNarrowSheetScreenWidth, kNarrowPanelPlaces};
  return {kWideSheetScreenWidth, kWidePanelPlaces};
}

SheetPanels::SheetPanels(AppState& app, QWidget* screen, DrawingSurface* surface, std::function<void()> load)
    : QObject(screen), app_(app), screen_(screen), surface_(surface), load_(std::move(load)) {
  const char* names[] = {"Lis_Jornadas", "Lis_Orden"};
  for (int i : {kMatchday, kOrder}) {
    auto* list = new PickList(screen, QString::fromLatin1(names[i]));
    panels_[i].list = list;
    connect(list, &PickList::Chosen, this, [this, i](int entry) { Chosen(i, entry); });
    // Leaving a shown list takes its entry as a click on it would.
    connect(list, &PickList::Left, this, [this, i] {
      if (panels_[i].open) Chosen(i, panels_[i].list->currentRow());
    });
  }
}

void SheetPanels::Arrange(PanelPlaces places) {
  app_.orderListLeft = static_cast<std::int16_t>(places.orderLeft);
  app_.sheetTextLeft = static_cast<std::int16_t>(places.dateLeft);
  panels_[kMatchday].rect = QRect(10, app_.matchdayListTop, 90, 30);
  panels_[kOrder].rect = QRect(app_.orderListLeft, 15, 80, 30);
  panels_[kOrder].list->move(app_.orderListLeft + 13, 46);
}

bool SheetPanels::Press(QPoint point) {
  for (int i : {kMatchday, kOrder}) {
    Panel& panel = panels_[i];
    if (!panel.rect.contains(point)) continue;
    if (panel.open) {
      Chosen(i, panel.list->currentRow());
    } else {
      OpenPanelEditor(app_, surface_, panel.rect, panel.list);
      panel.open = true;
    }
    return true;
  }
  return false;
}

void SheetPanels::Move(QPoint point) {
  int zone = 0;
  for (int i : {kMatchday, kOrder})
    if (panels_[i].rect.contains(point)) zone = i + 1;
  SetZonePointer(zone_, surface_, zone, QStringLiteral("ManoIndice"));
}

void SheetPanels::OpenIndex() {
  ShowHourglass();
  PlaySoundEffect(app_, 9);
  if (ShowHistoric(app_, screen_)) {
    panels_[kMatchday].list->setCurrentRow(app_.currentMatchday - 1);
    panels_[kOrder].list->setCurrentRow(app_.currentOrder - 1);
    load_();
  }
  ShowNormalPointer();
}

void SheetPanels::Chosen(int index, int entry) {
  const bool filling = app_.listsFilling;
  if (!filling) PlaySoundEffect(app_, 7);
  Panel& panel = panels_[index];
  panel.open = false;
  panel.list->hide();
  const auto chosen = static_cast<std::int16_t>(std::max(entry, 0) + 1);
  std::int16_t& current = index == kMatchday ? app_.currentMatchday : app_.currentOrder;
  if (chosen != current || filling) {
    current = chosen;
    if (index == kMatchday && !filling) {
      app_.currentOrder = 1;
      panels_[kOrder].list->setCurrentRow(0);
    }
    load_();
  }
  Redraw(index);
}

void SheetPanels::Redraw(int index) {
  const QRect& r = panels_[index].rect;
  QPainter p(&surface_->Image());
  const QString text = index == kMatchday ? MatchdayPanelText(app_.currentMatchday) : OrderPanelText(app_.currentOrder);
  DrawPanel(p, r.x(), r.y(), r.width(), r.height(), text, QStringLiteral(" "));
  if (index == kMatchday) {
    p.setFont(ScreenFont(true));
    p.setPen(Bgr(colour::kWhite));
    DrawTextAt(p, app_.sheetTextLeft, app_.matchdayListTop + 12, FromFileText(app_.currentMatchdayDate));
  }
  surface_->update();
}

}  // namespace vetra
