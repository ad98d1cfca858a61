// The main menu: where a press opens a section, what the menu looks like,
// help and exit.
#include <QPointer>
#include <QTest>
#include <QTextBrowser>

#include "app/vetra.h"
#include "platform/help_viewer.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

using testing::GuiState;

struct Menu {
  explicit Menu(GuiState& t) {
    testing::WriteGeneralDataLine(t.folder, "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"");
    menu = std::make_unique<MainMenu>(t.app);
    menu->show();
  }
  // The name of the modal section a press at `position` opens.
  QString Opens(QPoint position) {
    QString opened;
    testing::WhenModal([&opened](QWidget* modal) {
      opened = modal->objectName();
      modal->close();
    });
    testing::PressAt(menu.get(), position);
    return opened;
  }
  std::unique_ptr<MainMenu> menu;
};

}  // namespace

class VetraTest : public QObject {
  Q_OBJECT

 private slots:
  void TheMenuIsDrawnAndAPressOpensTheSectionUnderItUpToItsEdges() {
    GuiState t;
    Menu m(t);
    const QImage before = testing::SurfaceImage(m.menu.get());
    QCOMPARE(before.pixelColor(71, 13), QColor(0, 0, 0));      // the cover's frame
    QCOMPARE(before.pixelColor(477, 100), QColor(0, 255, 0));  // one pixel of green right of the cover
    // Row 1 at (40, 225): r = 14, face from x 54 to 241, y 225 to 254, shadow 5 below.
    QCOMPARE(before.pixelColor(40 + 100, 225), QColor(255, 255, 0));       // top line of the face
    QCOMPARE(before.pixelColor(40 + 2, 225 + 14), QColor(192, 192, 192));  // the face's round end
    QCOMPARE(before.pixelColor(40 + 215 + 3, 225 + 14), QColor(0, 64, 0));  // the shadow's round end

    // Between rows 1 and 2, just right of row 1, on the cover: nothing.
    for (QPoint miss : {QPoint(100, 225 + 27 + 5), QPoint(40 + 216, 230), QPoint(150, 100)})
      testing::PressAt(m.menu.get(), miss);
    QVERIFY(t.sounds.empty());
    QCOMPARE(testing::SurfaceImage(m.menu.get()), before);
    // "DATOS GENERALES" lies at (170, 360), 215 × 27: both corner pixels belong to it.
    QCOMPARE(m.Opens(QPoint(170 + 215, 360 + 27)), QStringLiteral("datosgen"));
    QCOMPARE(m.Opens(QPoint(170, 360)), QStringLiteral("datosgen"));
    QCOMPARE(m.Opens(QPoint(40 + 10, 225 + 5)), QStringLiteral("jornadas"));
    QCOMPARE(m.Opens(QPoint(300 + 100, 315 + 13)), QStringLiteral("borrar"));
    QCOMPARE(t.sounds.front(), 6);
  }

  void ASectionThatIsNotModalClosesAtTheMenusNextPress() {
    GuiState t;
    Menu m(t);
    const QImage before = testing::SurfaceImage(m.menu.get());
    testing::PressAt(m.menu.get(), QPoint(50, 320));  // CONSULTAR REDUCCIONES
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QPointer<QWidget> browser;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QStringLiteral("consredu") && w->isVisible()) browser = w;
    QVERIFY(browser);
    QCOMPARE(testing::SurfaceImage(m.menu.get()), before);  // every button raised again

    // Even a press that hits no button closes it, and plays nothing.
    testing::PressAt(m.menu.get(), QPoint(150, 100));
    QVERIFY(!browser || !browser->isVisible());
    QCOMPARE(t.sounds, std::vector<int>{6});
  }

  void HelpOpensTheDefaultPageAndExitWritesTheGeneralData() {
    GuiState t;
    Menu m(t);
    QTest::mouseClick(m.menu->findChild<QWidget*>(QStringLiteral("Pic_Ayuda")), Qt::LeftButton);
    QVERIFY(HelpWindow() != nullptr);
    QCOMPARE(HelpWindow()->source().toString(), QStringLiteral("qrc:/ayuda/index.html"));
    HelpWindow()->close();

    t.app.currentMatchday = 7;
    t.app.currentOrder = 3;
    QTest::mouseClick(m.menu->findChild<QWidget*>(QStringLiteral("Pic_Salir")), Qt::LeftButton);
    QCOMPARE(t.sounds, (std::vector<int>{9, 5}));
    QVERIFY(!m.menu->isVisible());
    QCOMPARE(t.folder.Read("DATOSGEN.VTR"),
             std::string("7,\"01/09/02\",3,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"\r\n"));
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::VetraTest)
#include "vetra_test.moc"
