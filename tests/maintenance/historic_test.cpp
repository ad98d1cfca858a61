// The history window: picking a line, turning pages at the corners, the
// pointer, leaving, and an index that is missing.
#include <QTest>

#include "maintenance/historic.h"
#include "reductions/base_file.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

using testing::GuiState;

constexpr int kWidth = 612, kHeight = 385;  // of Pic_Carpeta
const QColor kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255);

// A press in the middle of row r, and one just past its row line.
QPoint Row(int r) { return QPoint(200, 34 + 16 * r + 8); }
QPoint BetweenRows(int r) { return QPoint(200, 34 + 16 * r + 1); }
const QPoint kNextCorner(kWidth - 10, kHeight - 8);
const QPoint kPreviousCorner(10, kHeight - 8);

// Matchdays 1..n, order 2 each, in the index.
void WriteIndex(GuiState& t, int n) {
  std::string bytes;
  for (int m = 1; m <= n; ++m) {
    BaseRecord r;
    r.matchday = static_cast<std::int16_t>(m);
    r.orderNumber = 2;
    r.reductionMethod = 1;
    r.directBets = 81;
    r.reducedBets = 9;
    bytes += BaseLine(r) + "\r\n";
  }
  t.folder.Write("BASES.VTR", bytes);
}

bool HasColour(const QImage& image, const QRect& area, const QColor& colour) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixelColor(x, y) == colour) return true;
  return false;
}

// The text band of row r.
QRect RowText(int r) { return QRect(20, 35 + 16 * r, 581, 13); }

// The window over an index of `count` reductions, opened while the current
// reduction is matchday/order.
struct Window {
  Window(GuiState& t, int count, int matchday = 0, int order = 0) {
    if (count > 0) WriteIndex(t, count);
    t.app.currentMatchday = static_cast<std::int16_t>(matchday);
    t.app.currentOrder = static_cast<std::int16_t>(order);
    t.app.soundSetting = "Si";
    dialog = std::make_unique<Historic>(t.app, nullptr);
    dialog->show();
    carpeta = dialog->findChild<QWidget*>(QStringLiteral("Pic_Carpeta"));
    t.sounds.clear();
  }
  void Press(QPoint at) { QTest::mouseClick(carpeta, Qt::LeftButton, Qt::NoModifier, at); }
  QImage Image() const { return testing::SurfaceImage(dialog.get()); }
  std::unique_ptr<Historic> dialog;
  QWidget* carpeta = nullptr;
};

}  // namespace

class HistoricTest : public QObject {
  Q_OBJECT

 private slots:
  void APressOnARowPicksItsReductionAndCloses() {
    GuiState t;
    t.app.historyPicked = true;  // cleared on opening
    Window w(t, 3, 9, 9);
    QCOMPARE(w.dialog->objectName(), QStringLiteral("historic"));
    QCOMPARE(w.dialog->windowTitle(), QStringLiteral("Fichero Histórico de resultados"));
    QVERIFY(!t.app.historyPicked);

    w.Press(Row(1));
    QVERIFY(w.dialog->isHidden());
    QCOMPARE(w.dialog->result(), int(QDialog::Accepted));
    QVERIFY(t.app.historyPicked);
    QCOMPARE(t.app.currentMatchday, std::int16_t{2});
    QCOMPARE(t.app.currentOrder, std::int16_t{2});
    QVERIFY(t.sounds.empty());
  }

  void PressesOffTheRowsPickNothing() {
    GuiState t;
    Window w(t, 20, 5, 1);
    for (QPoint at : {BetweenRows(3), QPoint(200, 34 + 16 * 3 + 15), QPoint(200, 350), QPoint(200, 20),
                      QPoint(15, Row(3).y()), QPoint(kWidth - 6, Row(3).y()), kNextCorner, kPreviousCorner})
      w.Press(at);
    QVERIFY(w.dialog->isVisible());
    QVERIFY(!t.app.historyPicked);
    QCOMPARE(t.app.currentMatchday, std::int16_t{5});
    QCOMPARE(t.app.currentOrder, std::int16_t{1});
    QVERIFY(t.sounds.empty());
    // Just inside the table's left line, row 19 still counts.
    w.Press(QPoint(16, 349));
    QVERIFY(t.app.historyPicked);
    QCOMPARE(t.app.currentMatchday, std::int16_t{20});
  }

  void TheCornersTurnPagesOnlyWhenThereIsOne() {
    GuiState t;
    Window w(t, 45, 28, 2);  // line 27 is current
    QCOMPARE(w.dialog->TopLine(), 20);
    const QImage second = w.Image();

    w.Press(kPreviousCorner);
    QCOMPARE(w.dialog->TopLine(), 0);
    QCOMPARE(t.sounds, std::vector<int>{10});
    QVERIFY(w.Image() != second);
    w.Press(kPreviousCorner);
    QCOMPARE(w.dialog->TopLine(), 0);
    QCOMPARE(t.sounds.size(), 1u);

    w.Press(kNextCorner);
    QCOMPARE(w.Image(), second);
    w.Press(QPoint(kWidth - 1, kHeight - 1));
    QCOMPARE(w.dialog->TopLine(), 40);
    // The last page holds five lines; its sixth row is empty and picks nothing.
    QVERIFY(HasColour(w.Image(), RowText(4), kBlue));
    QVERIFY(!HasColour(w.Image(), RowText(5), kBlue));
    w.Press(Row(5));
    QVERIFY(!t.app.historyPicked);
    w.Press(kNextCorner);
    QCOMPARE(w.dialog->TopLine(), 40);
    QCOMPARE(t.sounds, (std::vector<int>{10, 10, 10}));

    w.Press(Row(4));
    QCOMPARE(t.app.currentMatchday, std::int16_t{45});
  }

  void ThePageShowsTheTableAndTheRows() {
    GuiState t;
    Window w(t, 2);
    const QImage image = w.Image();
    // Red frame, heading line and column lines; green row lines between them.
    QCOMPARE(image.pixelColor(15, 200), kRed);
    QCOMPARE(image.pixelColor(kWidth - 6, 200), kRed);
    QCOMPARE(image.pixelColor(300, 5), kRed);
    QCOMPARE(image.pixelColor(300, kHeight - 17), kRed);
    QCOMPARE(image.pixelColor(300, 35), kRed);
    for (int x : {45, 105, 138, 286, 441, 520}) QCOMPARE(image.pixelColor(x, 200), kRed);
    QCOMPARE(image.pixelColor(300, 49), kGreen);
    QCOMPARE(image.pixelColor(300, 337), kGreen);
    QVERIFY(image.pixelColor(300, 353) != kGreen);
    // Blue text in the two rows, black heading, nothing blue below.
    QVERIFY(HasColour(image, RowText(0), kBlue));
    QVERIFY(HasColour(image, RowText(1), kBlue));
    QVERIFY(!HasColour(image, RowText(2), kBlue));
    QVERIFY(HasColour(image, QRect(20, 21, 581, 13), QColor(0, 0, 0)));
    // Each column of the line stays between its table lines: the order
    // number (characters 15-16) between 105 and 138, the reduced bets
    // (76-83) right of 520.
    QVERIFY(HasColour(image, QRect(106, 35, 31, 13), kBlue));
    QVERIFY(HasColour(image, QRect(521, 35, 80, 13), kBlue));
    QVERIFY(!HasColour(image, QRect(287, 35, 150, 13), kBlue));  // no description
  }

  void ThePointerShowsTheHandWhereAPressActs() {
    GuiState t;
    Window w(t, 25);
    QCOMPARE(testing::PointerOf(w.dialog->findChild<QWidget*>(QStringLiteral("Pic_BotSalir"))),
             QStringLiteral("manoindice"));
    QCOMPARE(testing::PointerOf(w.carpeta), QStringLiteral("normal"));
    QTest::mouseMove(w.carpeta, Row(2));
    QCOMPARE(testing::PointerOf(w.carpeta), QStringLiteral("manoindice"));
    QTest::mouseMove(w.carpeta, BetweenRows(2));
    QCOMPARE(testing::PointerOf(w.carpeta), QStringLiteral("normal"));
    QTest::mouseMove(w.carpeta, kPreviousCorner);  // first page: no page before
    QCOMPARE(testing::PointerOf(w.carpeta), QStringLiteral("normal"));
    QTest::mouseMove(w.carpeta, kNextCorner);
    QCOMPARE(testing::PointerOf(w.carpeta), QStringLiteral("manoindice"));
    w.Press(kNextCorner);
    QTest::mouseMove(w.carpeta, Row(5));  // the second page has five lines
    QCOMPARE(testing::PointerOf(w.carpeta), QStringLiteral("normal"));
  }

  void TheExitButtonClosesWithoutAPick() {
    GuiState t;
    Window w(t, 3, 1, 2);
    QTest::mouseClick(w.dialog->findChild<QWidget*>(QStringLiteral("Pic_BotSalir")), Qt::LeftButton);
    QVERIFY(w.dialog->isHidden());
    QCOMPARE(w.dialog->result(), int(QDialog::Rejected));
    QCOMPARE(t.sounds, std::vector<int>{5});
    QVERIFY(!t.app.historyPicked);
    QCOMPARE(t.app.currentMatchday, std::int16_t{1});
  }

  void OpenedModallyItReturnsThePick() {
    GuiState t;
    WriteIndex(t, 3);
    testing::WhenModal([](QWidget* modal) {
      QCOMPARE(modal->objectName(), QStringLiteral("historic"));
      QTest::mouseClick(modal->findChild<QWidget*>(QStringLiteral("Pic_Carpeta")), Qt::LeftButton,
                        Qt::NoModifier, Row(2));
    });
    QVERIFY(ShowHistoric(t.app, nullptr));
    QCOMPARE(t.app.currentMatchday, std::int16_t{3});

    testing::WhenModal([](QWidget* modal) { modal->close(); });
    QVERIFY(!ShowHistoric(t.app, nullptr));
    QCOMPARE(t.app.currentMatchday, std::int16_t{3});
  }

  void AMissingIndexOpensAnEmptyFolder() {
    GuiState t;
    Window w(t, 0);
    QVERIFY(!HasColour(w.Image(), QRect(20, 35, 581, 320), kBlue));
    w.Press(Row(0));
    w.Press(kNextCorner);
    QVERIFY(w.dialog->isVisible());
    QVERIFY(!t.app.historyPicked);
    QVERIFY(t.sounds.empty());
    QVERIFY(!t.folder.Exists("BASES.VTR"));
    QVERIFY(t.reporter.messages.empty());
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::HistoricTest)
#include "historic_test.moc"
