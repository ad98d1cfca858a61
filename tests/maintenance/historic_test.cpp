// The history window: picking a line, turning pages at the corners, the
// drawn table and the exit button.
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

#include "maintenance/historic.h"
#include "platform/help_viewer.h"
#include "reductions/base_file.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

using testing::GuiState;

constexpr int kWidth = 612, kHeight = 385;  // of Pic_Carpeta
const QColor kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255);

// A press in the middle of row r.
QPoint Row(int r) { return QPoint(200, 34 + 16 * r + 8); }
const QPoint kNextCorner(kWidth - 10, kHeight - 8);
const QPoint kPreviousCorner(10, kHeight - 8);

bool HasColour(const QImage& image, const QRect& area, const QColor& colour) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixelColor(x, y) == colour) return true;
  return false;
}

// The text band of row r.
QRect RowText(int r) { return QRect(20, 35 + 16 * r, 581, 13); }

// The window over an index of matchdays 1..count, order 2 each, opened while
// the current reduction is matchday/order.
struct Window {
  Window(GuiState& t, int count, int matchday = 0, int order = 0) {
    std::string index;
    for (int m = 1; m <= count; ++m) index += BaseKey(m, 2) + "1" + std::string(225, ' ') + "\r\n";
    t.folder.Write("BASES.VTR", index);
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
  void APressOnARowPicksItsReductionAndPressesOffTheRowsDoNot() {
    GuiState t;
    t.app.historyPicked = true;  // cleared on opening
    Window w(t, 20, 5, 1);
    QVERIFY(!t.app.historyPicked);
    // Row 3 counts 3 to 14 pixels into it only; below the rows, left of the table.
    for (QPoint at : {QPoint(200, 34 + 16 * 3 + 2), QPoint(200, 34 + 16 * 3 + 15), QPoint(200, 350),
                      QPoint(15, Row(3).y()), kPreviousCorner})
      w.Press(at);
    QVERIFY(w.dialog->isVisible() && !t.app.historyPicked && t.sounds.empty());

    w.Press(QPoint(200, 34 + 16 * 1 + 14));  // the last pixel of row 1 that counts
    QVERIFY(w.dialog->isHidden() && t.app.historyPicked);
    QVERIFY(t.app.currentMatchday == 2 && t.app.currentOrder == 2);
  }

  void TheCornersTurnPagesOnlyWhenThereIsOne() {
    GuiState t;
    Window w(t, 45, 28, 2);  // line 27 is current
    QCOMPARE(w.dialog->TopLine(), 20);
    const QImage second = w.Image();

    w.Press(kPreviousCorner);
    QCOMPARE(w.dialog->TopLine(), 0);
    QVERIFY(w.Image() != second);
    w.Press(kPreviousCorner);
    QCOMPARE(w.dialog->TopLine(), 0);

    w.Press(kNextCorner);
    QCOMPARE(w.Image(), second);
    w.Press(QPoint(kWidth - 1, kHeight - 1));
    QCOMPARE(w.dialog->TopLine(), 40);
    // The last page holds five lines; its sixth row is empty and picks nothing.
    QVERIFY(HasColour(w.Image(), RowText(4), kBlue) && !HasColour(w.Image(), RowText(5), kBlue));
    w.Press(Row(5));
    w.Press(kNextCorner);
    QVERIFY(w.dialog->TopLine() == 40 && !t.app.historyPicked);
    QCOMPARE(t.sounds, (std::vector<int>{10, 10, 10}));  // the turns only

    // The keys: to the first page, on a page, to the last, back a page;
    // none beyond the ends.
    QWindow* window = w.dialog->windowHandle();
    t.sounds.clear();
    for (const auto& [key, top] : {std::pair(Qt::Key_Home, 0), std::pair(Qt::Key_Home, 0), std::pair(Qt::Key_PageDown, 20),
                                   std::pair(Qt::Key_End, 40), std::pair(Qt::Key_PageDown, 40),
                                   std::pair(Qt::Key_PageUp, 20)}) {
      QTest::keyClick(window, key);
      QCOMPARE(w.dialog->TopLine(), top);
    }
    QCOMPARE(t.sounds, (std::vector<int>{10, 10, 10, 10}));
    // F1 opens the help page that describes the index, beside it.
    QTest::keyClick(window, Qt::Key_F1);
    QVERIFY(HelpWindow() && HelpWindow()->source().toString().endsWith(QStringLiteral("2300.html")));
    HelpWindow()->close();

    QTest::keyClick(window, Qt::Key_End);
    w.Press(Row(4));
    QCOMPARE(t.app.currentMatchday, std::int16_t{45});
  }

  void ThePageShowsTheTableAndItsRowsAndTheExitButtonCloses() {
    GuiState t;
    Window w(t, 2);
    const QImage image = w.Image();
    // Red frame, heading line and column lines; green row lines between them.
    for (int x : {15, 45, 105, 138, 286, 441, 520}) QCOMPARE(image.pixelColor(x, 200), kRed);
    QCOMPARE(image.pixelColor(300, 35), kRed);
    QCOMPARE(image.pixelColor(300, 337), kGreen);
    // Blue text in the two rows only, each column between its table lines:
    // the order number right of 105, the reduced bets right of 520.
    QVERIFY(HasColour(image, QRect(106, 35 + 16, 31, 13), kBlue));
    QVERIFY(HasColour(image, QRect(521, 35, 80, 13), kBlue));
    QVERIFY(!HasColour(image, RowText(2), kBlue));

    w.Press(Row(2));  // an empty row
    QVERIFY(w.dialog->isVisible() && t.sounds.empty());
    QTest::mouseClick(w.dialog->findChild<QWidget*>(QStringLiteral("Pic_BotSalir")), Qt::LeftButton);
    QVERIFY(w.dialog->isHidden() && !t.app.historyPicked);
    QCOMPARE(t.sounds, std::vector<int>{5});
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::HistoricTest)
#include "historic_test.moc"
