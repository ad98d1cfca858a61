#include "matchdays/selection_lists.h"

#include <QFocusEvent>

#include "app/app_state.h"

namespace vetra {
namespace {

constexpr int kListHeight = 140;
constexpr int kMatchdayPanelWidth = 90;
constexpr int kColumnWidth = 18;
constexpr int kEntryHeight = 13;
constexpr int kOrders = 30;

QStringList Numbers(int last) {
  QStringList entries;
  for (int n = 1; n <= last; ++n) entries << TwoCharacters(n);
  return entries;
}

}  // namespace

PickList::PickList(QWidget* parent, const QString& name) : QListWidget(parent) {
  setObjectName(name);
  QFont font(QStringLiteral("Liberation Mono"));
  font.setPixelSize(11);
  setFont(font);
  setUniformItemSizes(true);
  // The narrow columns hold two digits; never "..." in their place.
  setTextElideMode(Qt::ElideNone);
  setSelectionMode(QAbstractItemView::SingleSelection);
  hide();
  connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { emit Chosen(row(item)); });
}

void PickList::Fill(const QStringList& entries, bool columnsOfTen) {
  clear();
  setFlow(QListView::TopToBottom);
  setWrapping(columnsOfTen);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(columnsOfTen ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
  // Each column one unit narrower than its share: the frame takes the rest.
  setGridSize(columnsOfTen ? QSize(kColumnWidth - 1, kEntryHeight) : QSize());
  addItems(entries);
}

void PickList::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) emit Left();
}

void PickList::Select(int index) {
  setCurrentRow(index);
  emit Chosen(index);
}

QString TwoCharacters(int n) { return QString::number(n).rightJustified(2, QLatin1Char(' ')); }

void FillMatchdayList(const AppState& app, PickList* list, int panelLeft) {
  const int columns = (app.totalMatchdays + 9) / 10;
  const int width = kColumnWidth * columns;
  list->setGeometry(panelLeft + (kMatchdayPanelWidth - width) / 2, app.matchdayListTop + 31, width, kListHeight);
  list->Fill(Numbers(app.totalMatchdays), true);
  list->Select(app.currentMatchday - 1);
}

void FillOrderList(const AppState& app, PickList* list) {
  list->setGeometry(app.orderListLeft + 13, 46, 54, kListHeight);
  list->Fill(Numbers(kOrders), false);
  list->Select(app.currentOrder - 1);
}

}  // namespace vetra
