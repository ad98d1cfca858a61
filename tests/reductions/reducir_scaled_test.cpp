// The reduction screen on a display scaled by 2 (the test runs with
// QT_SCALE_FACTOR=2): a press lands on the cell it points at, and the grid
// is painted with the display's own dots.
#include <QTest>
#include <QWindow>

#include "app/general_data.h"
#include "app/section_screen.h"
#include "reductions/base_file.h"
#include "reductions/reducir.h"
#include "tests/support/gui_support.h"

namespace vetra {

class ReducirScaledTest : public QObject {
  Q_OBJECT

 private slots:
  void APressLandsOnTheCellItPointsAt() {
    testing::GuiState t;
    testing::WriteGeneralDataLine(t.folder, "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"");
    ReadGeneralData(t.app);
    Reducir screen(t.app, nullptr);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    QCOMPARE(screen.devicePixelRatio(), 2);
    auto* base = screen.findChild<DrawingSurface*>(QStringLiteral("Pic_Base"));

    // Sign X of match 5, pressed where the user sees it.
    const QPoint cell(3 + 15 + 6, 3 + 18 * 4 + 7);
    QTest::mouseClick(screen.windowHandle(), Qt::LeftButton, {}, base->mapTo(&screen, cell));
    const BaseGrid grid = CurrentBaseRecord(t.app).baseGrid;
    for (int m = 0; m < 14; ++m)
      QCOMPARE(grid[static_cast<std::size_t>(m)].signCount, std::int16_t(m == 4 ? 2 : 1));
    QVERIFY(grid[4].signs[1]);

    // The picture has two dots a side per unit, the marked glyph on the cell.
    const QImage picture = base->Image();
    QCOMPARE(picture.size(), base->size() * 2);
    const QImage strip(QStringLiteral(":/signosel.png"));
    QCOMPARE(picture.pixelColor(2 * (cell.x() - 4), 2 * (cell.y() - 5)), strip.pixelColor(13 + 2, 15 + 2));
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::ReducirScaledTest)
#include "reducir_scaled_test.moc"
