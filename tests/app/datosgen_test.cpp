// The general data screen: its panels, editors, typing filters, save button
// and the reload on closing.
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "app/datosgen.h"
#include "app/general_data.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

using testing::GuiState;

const std::string kDefaults = "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"";

// A press inside each panel.
const QPoint kSeason(40, 30), kPrice(240, 30), kDelegation(30, 100), kReceptor(230, 100), kSound(140, 160);

struct Screen {
  explicit Screen(GuiState& t, const std::string& line = kDefaults) : t(t) {
    testing::WriteGeneralDataLine(t.folder, line);
    ReadGeneralData(t.app);
    dialog = std::make_unique<Datosgen>(t.app, nullptr);
    dialog->show();
    dialog->activateWindow();
    active = QTest::qWaitForWindowActive(dialog.get());
    t.sounds.clear();
  }
  QLineEdit* Box(const char* name) { return dialog->findChild<QLineEdit*>(QString::fromLatin1(name)); }
  QWidget* Guardar() { return dialog->findChild<QWidget*>(QStringLiteral("Pic_Guardar")); }
  // Opens the panel, replaces the editor's text by typing, closes the panel.
  void Type(QPoint panel, const char* box, const QString& keys) {
    testing::PressAt(dialog.get(), panel);
    QLineEdit* editor = Box(box);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, keys);
    testing::PressAt(dialog.get(), panel);
  }
  GuiState& t;
  std::unique_ptr<Datosgen> dialog;
  bool active = false;
};

}  // namespace

class DatosgenTest : public QObject {
  Q_OBJECT

 private slots:
  void OpeningShowsTheSettingsWithNothingToSave() {
    GuiState t;
    Screen s(t, "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"No\"");
    auto* list = s.dialog->findChild<QListWidget*>(QStringLiteral("Lis_Sonido"));
    QCOMPARE(list->currentItem()->text(), QStringLiteral("No"));
    QVERIFY(list->isHidden());
    QCOMPARE(testing::PointerOf(s.Guardar()), QStringLiteral("nodrop"));
    QCOMPARE(s.Box("Tex_TotJor")->text(), QStringLiteral("44"));
    QVERIFY(s.Box("Tex_TotJor")->isHidden());
    QVERIFY(t.sounds.empty());

    // Panel 1 at (37, 25), 130 × 30: red outline, silver face, black shadow, green ground.
    const QImage image = testing::SurfaceImage(s.dialog.get());
    QCOMPARE(image.pixelColor(37, 25), QColor(255, 0, 0));
    QCOMPARE(image.pixelColor(37 + 129, 25 + 29), QColor(255, 0, 0));
    QCOMPARE(image.pixelColor(37 + 120, 25 + 5), QColor(192, 192, 192));
    QCOMPARE(image.pixelColor(37 + 131, 25 + 31), QColor(0, 0, 0));
    QCOMPARE(image.pixelColor(37 + 2, 25 + 31), QColor(0, 128, 0));
    bool yellow = false;
    for (int x = 37 + 11; x < 37 + 60; ++x)
      for (int y = 25 + 9; y < 25 + 22; ++y) yellow = yellow || image.pixelColor(x, y) == QColor(255, 255, 0);
    QVERIFY(yellow);
  }

  void APanelOpensAndClosesItsEditor() {
    GuiState t;
    Screen s(t);
    const QImage closed = testing::SurfaceImage(s.dialog.get());
    testing::PressAt(s.dialog.get(), kSeason);
    QVERIFY(s.Box("Tex_TotJor")->isVisible());
    QCOMPARE(s.dialog->focusWidget(), s.Box("Tex_TotJor"));
    // The open look: the shadow's right edge turns to ground.
    QCOMPARE(testing::SurfaceImage(s.dialog.get()).pixelColor(37 + 133, 25 + 20), QColor(0, 128, 0));
    QCOMPARE(closed.pixelColor(37 + 133, 25 + 20), QColor(0, 0, 0));
    // Editor centred under the panel, one pixel below it.
    QCOMPARE(s.Box("Tex_TotJor")->geometry().top(), 25 + 30 + 1);
    QCOMPARE(s.Box("Tex_TotJor")->geometry().center().x(), 37 + 65 - 1);
    testing::PressAt(s.dialog.get(), kSeason);
    QVERIFY(s.Box("Tex_TotJor")->isHidden());
    QCOMPARE(t.sounds, (std::vector<int>{6, 7}));
    // Nothing changed: saving writes nothing.
    QCOMPARE(testing::PointerOf(s.Guardar()), QStringLiteral("nodrop"));
    std::filesystem::remove(t.folder.File("DATOSGEN.VTR"));
    QTest::mouseClick(s.Guardar(), Qt::LeftButton);
    QVERIFY(!t.folder.Exists("DATOSGEN.VTR"));
  }

  void TheSeasonLengthStaysBetweenOneAndFiftyTwo() {
    GuiState t;
    Screen s(t);
    s.Type(kSeason, "Tex_TotJor", QStringLiteral("60"));
    QCOMPARE(t.app.totalMatchdays, std::int16_t{52});
    QCOMPARE(testing::PointerOf(s.Guardar()), QStringLiteral("manoindice"));
    s.Type(kSeason, "Tex_TotJor", QString());
    QCOMPARE(t.app.totalMatchdays, std::int16_t{44});
    // Typing 0 empties the box at once; closing makes it 44.
    testing::PressAt(s.dialog.get(), kSeason);
    s.Box("Tex_TotJor")->clear();
    QTest::keyClicks(s.Box("Tex_TotJor"), QStringLiteral("0"));
    QCOMPARE(s.Box("Tex_TotJor")->text(), QString());
    QTest::keyClick(s.Box("Tex_TotJor"), Qt::Key_Return);  // Enter closes like a press
    QVERIFY(s.Box("Tex_TotJor")->isHidden());
    QCOMPARE(t.app.totalMatchdays, std::int16_t{44});
    s.Type(kSeason, "Tex_TotJor", QStringLiteral("38"));
    QCOMPARE(t.app.totalMatchdays, std::int16_t{38});
  }

  void PricesAreKeptInFourCharacters() {
    GuiState t;
    Screen s(t);
    s.Type(kPrice, "Tex_PreApu", QStringLiteral(".75"));
    QCOMPARE(t.app.betPriceText, std::string("0.75"));
    QCOMPARE(s.Box("Tex_PreApu")->text(), QStringLiteral("0.75"));
    QCOMPARE(t.app.betPrice, 0.75f);
    s.Type(kPrice, "Tex_PreApu", QStringLiteral("1"));
    QCOMPARE(t.app.betPriceText, std::string("1   "));
    QTest::mouseClick(s.Guardar(), Qt::LeftButton);
    QCOMPARE(t.folder.Read("DATOSGEN.VTR"),
             std::string("1,\"01/09/02\",1,1,0,0,0,0,1,44,\"1   \",\"00\",\"00000\",\"Si\"\r\n"));
    QCOMPARE(testing::PointerOf(s.Guardar()), QStringLiteral("nodrop"));
  }

  void CodesGetLeadingZerosAndOnlyDigits() {
    GuiState t;
    Screen s(t);
    s.Type(kDelegation, "Tex_Delegacion", QStringLiteral("7"));
    QCOMPARE(t.app.delegationCode, std::string("07"));
    s.Type(kReceptor, "Tex_Receptor", QStringLiteral("123"));
    QCOMPARE(t.app.receptorCode, std::string("00123"));

    // A letter typed in the middle disappears and the caret stays in place.
    testing::PressAt(s.dialog.get(), kReceptor);
    QLineEdit* box = s.Box("Tex_Receptor");
    box->setText(QStringLiteral("1234"));
    box->setCursorPosition(2);
    QTest::keyClick(box, Qt::Key_A);
    QCOMPARE(box->text(), QStringLiteral("1234"));
    QCOMPARE(box->cursorPosition(), 2);
    QTest::keyClick(box, Qt::Key_9);
    QCOMPARE(box->text(), QStringLiteral("12934"));
    // The price box takes a point, the codes do not.
    QVERIFY(s.active);
    testing::PressAt(s.dialog.get(), kPrice);  // closes the receptor by the focus leaving it
    QCOMPARE(t.app.receptorCode, std::string("12934"));
    s.Box("Tex_PreApu")->clear();
    QTest::keyClicks(s.Box("Tex_PreApu"), QStringLiteral("x1.5"));
    QCOMPARE(s.Box("Tex_PreApu")->text(), QStringLiteral("1.5"));
  }

  void TheSoundListTakesAClick() {
    GuiState t;
    Screen s(t);
    testing::PressAt(s.dialog.get(), kSound);
    auto* list = s.dialog->findChild<QListWidget*>(QStringLiteral("Lis_Sonido"));
    QVERIFY(list->isVisible());
    const QRect no = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, no.center());
    QVERIFY(list->isHidden());
    QCOMPARE(t.app.soundSetting, std::string("No"));
    QCOMPARE(testing::PointerOf(s.Guardar()), QStringLiteral("manoindice"));
  }

  void ClosingDropsUnsavedEditsAndKeepsTheMatchdayInTheSeason() {
    GuiState t;
    Screen s(t, "40,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"");
    s.Type(kPrice, "Tex_PreApu", QStringLiteral("2"));
    s.Type(kSeason, "Tex_TotJor", QStringLiteral("30"));
    QTest::mouseClick(s.dialog->findChild<QWidget*>(QStringLiteral("Pic_Salir")), Qt::LeftButton);
    QCOMPARE(t.sounds.back(), 5);
    QCOMPARE(t.app.betPriceText, std::string("0.50"));
    QCOMPARE(t.app.totalMatchdays, std::int16_t{44});
    QCOMPARE(t.app.currentMatchday, std::int16_t{40});

    // Saved, the shorter season moves the current matchday to its last one.
    Screen again(t, "40,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"");
    again.Type(kSeason, "Tex_TotJor", QStringLiteral("30"));
    QTest::mouseClick(again.Guardar(), Qt::LeftButton);
    again.dialog->close();
    QCOMPARE(t.app.totalMatchdays, std::int16_t{30});
    QCOMPARE(t.app.currentMatchday, std::int16_t{30});
  }

  void ThePointerShowsTheHandOverPanelsOnly() {
    GuiState t;
    Screen s(t);
    QWidget* surface = s.dialog->findChild<QWidget*>(QStringLiteral("surface"));
    QTest::mouseMove(surface, kReceptor);
    QCOMPARE(testing::PointerOf(surface), QStringLiteral("manoindice"));
    QTest::mouseMove(surface, QPoint(5, 5));
    QCOMPARE(testing::PointerOf(surface), QStringLiteral("normal"));
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::DatosgenTest)
#include "datosgen_test.moc"
