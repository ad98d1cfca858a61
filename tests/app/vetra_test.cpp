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

const std::string kDefaults = "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"";

}  // namespace

class VetraTest : public QObject {
  Q_OBJECT

 private slots:
  void PressOnTheRightAndBottomEdgesOpensTheSection() {
    GuiState t;
    testing::WriteGeneralDataLine(t.folder, kDefaults);
    MainMenu menu(t.app);
    menu.show();
    QString opened;
    testing::WhenModal([&opened](QWidget* modal) {
      opened = modal->objectName();
      modal->close();
    });
    // "DATOS GENERALES" lies at (170, 360), 215 × 27: its corner pixel belongs to it.
    testing::PressAt(&menu, QPoint(170 + 215, 360 + 27));
    QCOMPARE(opened, QStringLiteral("datosgen"));
    QCOMPARE(t.sounds.front(), 6);

    opened.clear();
    testing::WhenModal([&opened](QWidget* modal) {
      opened = modal->objectName();
      modal->close();
    });
    testing::PressAt(&menu, QPoint(170, 360));
    QCOMPARE(opened, QStringLiteral("datosgen"));
  }

  void PressBetweenButtonsDoesNothing() {
    GuiState t;
    testing::WriteGeneralDataLine(t.folder, kDefaults);
    MainMenu menu(t.app);
    menu.show();
    const QImage before = testing::SurfaceImage(&menu);
    testing::PressAt(&menu, QPoint(100, 225 + 27 + 5));  // between rows 1 and 2
    testing::PressAt(&menu, QPoint(40 + 216, 230));      // just right of row 1
    testing::PressAt(&menu, QPoint(150, 100));           // on the cover
    QVERIFY(t.sounds.empty());
    QCOMPARE(testing::SurfaceImage(&menu), before);
  }

  void ASectionThatIsNotModalClosesAtTheMenusNextPress() {
    GuiState t;
    testing::WriteGeneralDataLine(t.folder, kDefaults);
    MainMenu menu(t.app);
    menu.show();
    const QImage before = testing::SurfaceImage(&menu);
    testing::PressAt(&menu, QPoint(50, 320));  // CONSULTAR REDUCCIONES
    QCOMPARE(t.sounds, std::vector<int>{6});
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QWidget* browser = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QStringLiteral("consredu") && w->isVisible()) browser = w;
    QVERIFY(browser != nullptr);
    QCOMPARE(testing::SurfaceImage(&menu), before);  // every button raised again
    for (const auto& section : menu.Sections()) QVERIFY(!section.pressed);

    // Even a press that hits no button closes it, and plays nothing.
    QPointer<QWidget> open(browser);
    testing::PressAt(&menu, QPoint(150, 100));
    QVERIFY(!open || !open->isVisible());
    QCOMPARE(t.sounds, std::vector<int>{6});
  }

  void WithSoundOffAPressOpensSilently() {
    GuiState t;
    testing::WriteGeneralDataLine(t.folder, "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"No\"");
    MainMenu menu(t.app);
    menu.show();
    bool opened = false;
    testing::WhenModal([&opened](QWidget* modal) {
      opened = true;
      modal->close();
    });
    testing::PressAt(&menu, QPoint(200, 370));
    QVERIFY(opened);
    QVERIFY(t.sounds.empty());
  }

  void TheMenuIsDrawnWithTheCoverFrameAndPillButtons() {
    GuiState t;
    testing::WriteGeneralDataLine(t.folder, kDefaults);
    MainMenu menu(t.app);
    const QImage image = testing::SurfaceImage(&menu);
    const QColor ground(0, 128, 0), black(0, 0, 0), green(0, 255, 0), silver(192, 192, 192),
        shadow(0, 64, 0), yellow(255, 255, 0);
    QCOMPARE(image.pixelColor(5, 5), ground);
    QCOMPARE(image.pixelColor(71, 13), black);     // frame, left and top
    QCOMPARE(image.pixelColor(300, 14), black);
    QCOMPARE(image.pixelColor(477, 100), green);   // one pixel of green right of the cover
    QCOMPARE(image.pixelColor(200, 203), green);   // and below it
    // Row 1 at (40, 225): r = 14, face from x 54 to 241, y 225 to 254.
    QCOMPARE(image.pixelColor(40 + 200, 225 + 3), silver);
    QCOMPARE(image.pixelColor(40 + 100, 225), yellow);       // top line of the face
    QCOMPARE(image.pixelColor(40 + 100, 225 + 29), yellow);  // bottom line
    QCOMPARE(image.pixelColor(40 + 100, 225 + 31), shadow);  // shadow 5 below
    QCOMPARE(image.pixelColor(40 + 215 + 3, 225 + 14), shadow);  // the shadow's round end
    QCOMPARE(image.pixelColor(40 + 2, 225 + 14), silver);        // the face's round end
    // Text: grey and white pixels in the left part of the face of "DATOS GENERALES".
    bool grey = false, white = false;
    for (int x = 170 + 10; x < 170 + 150; ++x)
      for (int y = 360 + 8; y < 360 + 22; ++y) {
        grey = grey || image.pixelColor(x, y) == QColor(128, 128, 128);
        white = white || image.pixelColor(x, y) == QColor(255, 255, 255);
      }
    QVERIFY(grey && white);
  }

  void ThePointerTurnsToAHandOverAButtonOnly() {
    GuiState t;
    testing::WriteGeneralDataLine(t.folder, kDefaults);
    MainMenu menu(t.app);
    menu.show();
    QWidget* surface = menu.findChild<QWidget*>(QStringLiteral("surface"));
    QCOMPARE(testing::PointerOf(surface), QStringLiteral("normal"));
    QTest::mouseMove(surface, QPoint(300 + 215, 270 + 27));
    QCOMPARE(testing::PointerOf(surface), QStringLiteral("manoindice"));
    QTest::mouseMove(surface, QPoint(20, 20));
    QCOMPARE(testing::PointerOf(surface), QStringLiteral("normal"));
    QCOMPARE(testing::PointerOf(menu.findChild<QWidget*>(QStringLiteral("Pic_Salir"))), QStringLiteral("manoindice"));
  }

  void HelpOpensTheDefaultPage() {
    GuiState t;
    testing::WriteGeneralDataLine(t.folder, kDefaults);
    MainMenu menu(t.app);
    menu.show();
    QTest::mouseClick(menu.findChild<QWidget*>(QStringLiteral("Pic_Ayuda")), Qt::LeftButton);
    QCOMPARE(t.sounds, std::vector<int>{9});
    QVERIFY(HelpWindow() != nullptr);
    QCOMPARE(HelpWindow()->source().toString(), QStringLiteral("qrc:/ayuda/index.html"));
    QVERIFY(HelpWindow()->toPlainText().contains(QStringLiteral("Vetra32")));
    HelpWindow()->close();
  }

  void ExitWritesTheGeneralData() {
    GuiState t;
    testing::WriteGeneralDataLine(t.folder, kDefaults);
    MainMenu menu(t.app);
    menu.show();
    t.app.currentMatchday = 7;
    t.app.currentOrder = 3;
    QTest::mouseClick(menu.findChild<QWidget*>(QStringLiteral("Pic_Salir")), Qt::LeftButton);
    QCOMPARE(t.sounds, std::vector<int>{5});
    QVERIFY(!menu.isVisible());
    QCOMPARE(t.folder.Read("DATOSGEN.VTR"),
             std::string("7,\"01/09/02\",3,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"\r\n"));
  }

  void AMissingGeneralDataFileIsReportedAndCreated() {
    GuiState t;
    MainMenu menu(t.app);
    QCOMPARE(t.reporter.messages.size(), std::size_t{1});
    QVERIFY(t.folder.Exists("DATOSGEN.VTR"));
    QCOMPARE(t.app.totalMatchdays, std::int16_t{44});
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::VetraTest)
#include "vetra_test.moc"
