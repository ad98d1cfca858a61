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
    QCOMPARE(list.count(), 44);
    QCOMPARE(list.item(0)->text(), QStringLiteral(" 1"));
    QCOMPARE(list.item(43)->text(), QStringLiteral("44"));
    QCOMPARE(list.currentRow(), 6);
    QCOMPARE(chosen.size(), 1);  // the selection counts as a click
    QCOMPARE(chosen.front().front().toInt(), 6);

    // Shown, entry 11 starts the second column, entry 41 the fifth.
    screen.show();
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    const QRect first = list.visualItemRect(list.item(0));
    const QRect eleventh = list.visualItemRect(list.item(10));
    const QRect fortyFirst = list.visualItemRect(list.item(40));
    QCOMPARE(eleventh.top(), first.top());
    QVERIFY(eleventh.left() > first.left());
    QCOMPARE(fortyFirst.top(), first.top());
    QVERIFY(fortyFirst.right() <= list.viewport()->width());
    QCOMPARE(list.visualItemRect(list.item(9)).left(), first.left());

    // A click on an entry reports it.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, eleventh.center());
    QCOMPARE(chosen.size(), 2);
    QCOMPARE(chosen.back().front().toInt(), 10);

    t.app.totalMatchdays = 10;
    t.app.currentMatchday = 10;
    t.app.matchdayListTop = 20;
    FillMatchdayList(t.app, &list, 32);  // the matchday editor's panel
    QCOMPARE(list.geometry(), QRect(32 + 36, 51, 18, 140));
    QCOMPARE(list.count(), 10);
    t.app.totalMatchdays = 1;
    t.app.currentMatchday = 1;
    FillMatchdayList(t.app, &list, 10);
    QCOMPARE(list.count(), 1);
    QCOMPARE(list.width(), 18);
    QCOMPARE(list.item(0)->text(), QStringLiteral(" 1"));
  }

  void TheOrderListHoldsThirtyEntriesUnderItsPanel() {
    testing::GuiState t;
    QWidget screen;
    PickList list(&screen, QStringLiteral("Lis_Orden"));
    QSignalSpy chosen(&list, &PickList::Chosen);
    t.app.orderListLeft = 248;
    t.app.currentOrder = 30;
    FillOrderList(t.app, &list);
    QCOMPARE(list.geometry(), QRect(261, 46, 54, 140));
    QCOMPARE(list.count(), 30);
    QCOMPARE(list.item(29)->text(), QStringLiteral("30"));
    QCOMPARE(list.currentRow(), 29);
    QCOMPARE(chosen.size(), 1);
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::SelectionListsTest)
#include "selection_lists_test.moc"
