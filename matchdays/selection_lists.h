#pragma once
// The matchday and order lists with which every section screen chooses a
// reduction, and the pick list they are made of.
#include <QListWidget>

namespace vetra {

struct AppState;

// A list under a panel. A click on an entry, and an entry selected by the
// program, both report the choice, so that a screen handles them alike.
class PickList : public QListWidget {
  Q_OBJECT
 public:
  PickList(QWidget* parent, const QString& name);
  // Entries in columns of ten (the matchdays) or in one scrolling column.
  void Fill(const QStringList& entries, bool columnsOfTen);
  // Selects the entry as a click on it would.
  void Select(int index);

 signals:
  void Chosen(int index);
  // The keyboard focus went elsewhere in the same window.
  void Left();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
};

// n right-aligned in two characters: " 1", "10".
QString TwoCharacters(int n);

// Fills the matchdays 1 .. totalMatchdays in columns of ten, placed under the
// matchday panel at `panelLeft`, and selects currentMatchday.
void FillMatchdayList(const AppState& app, PickList* list, int panelLeft);

// Fills the orders 1 .. 30 under the order panel and selects currentOrder.
void FillOrderList(const AppState& app, PickList* list);

}  // namespace vetra
