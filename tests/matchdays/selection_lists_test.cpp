// The matchday and order lists: placement, entries, and choices reported
// alike for the program's selection and the user's click.
#include <QSignalSpy>
#include <QTest>

#include "matchdays/selection_lists.h"
#include "tests/support/gui_support.h"

namespace vetra {

class SelectionListsTest : public QObject {
  Q_OBJECT

 private slots:
  void TheMatchdayListHasColumnsOfTenCentredUnderThePanel() {
    testing::GuiState t;
    QWidget screen;
    screen.resize(600, 400);
    PickList list(&screen, QStringLiteral("Lis_Jornadas"));
    QSignalSpy chosen(&list, &PickList::Chosen);
    t.app.matchdayListTop = 15;
    t.app.totalMatchdays = 44;
    t.app.currentMatchday = 7;
    FillMatchdayList(t.app, &list, 10);
    QCOMPARE(list.geometry(), QRect(10, 46, 90, 140));
    QCOMPARE(list.item(0)->text(), QStringLiteral(" 1"));  // numbers right-aligned in two places
    QCOMPARE(chosen.size(), 1);  // the selection counts as a click
    QCOMPARE(chosen.front().front().toInt(), 6);

    // Shown, entry 11 starts the second column, and all five fit.
    screen.show();
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    const QRect first = list.visualItemRect(list.item(0));
    const QRect eleventh = list.visualItemRect(list.item(10));
    QCOMPARE(eleventh.top(), first.top());
    QVERIFY(eleventh.left() > first.left());
    QVERIFY(list.visualItemRect(list.item(40)).right() <= list.viewport()->width());

    // Ten matchdays under the matchday editor's panel make one column.
    t.app.totalMatchdays = 10;
    t.app.matchdayListTop = 20;
    FillMatchdayList(t.app, &list, 32);
    QCOMPARE(list.geometry(), QRect(32 + 36, 51, 18, 140));
  }

  void TheOrderListHoldsThirtyEntriesUnderItsPanel() {
    testing::GuiState t;
    QWidget screen;
    PickList list(&screen, QStringLiteral("Lis_Orden"));
    t.app.orderListLeft = 248;
    t.app.currentOrder = 30;
    FillOrderList(t.app, &list);
    QCOMPARE(list.geometry(), QRect(261, 46, 54, 140));
    QCOMPARE(list.count(), 30);
    QCOMPARE(list.currentRow(), 29);
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::SelectionListsTest)
#include "selection_lists_test.moc"
