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
using testing::PointerOf;

const std::string kDefaults = "40,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"";

// A press inside each panel.
const QPoint kSeason(40, 30), kPrice(240, 30), kDelegation(30, 100), kReceptor(230, 100), kSound(140, 160);

struct Screen {
  explicit Screen(GuiState& t) : t(t) {
    testing::WriteGeneralDataLine(t.folder, kDefaults);
    ReadGeneralData(t.app);
    dialog = std::make_unique<Datosgen>(t.app, nullptr);
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    t.sounds.clear();
  }
  QLineEdit* Box(const char* name) { return dialog->findChild<QLineEdit*>(QString::fromLatin1(name)); }
  QWidget* Control(const char* name) { return dialog->findChild<QWidget*>(QString::fromLatin1(name)); }
  // Opens the panel, replaces the editor's text by typing, closes the panel.
  void Type(QPoint panel, const char* box, const QString& keys) {
    testing::PressAt(dialog.get(), panel);
    Box(box)->selectAll();
    QTest::keyClick(Box(box), Qt::Key_Delete);
    QTest::keyClicks(Box(box), keys);
    testing::PressAt(dialog.get(), panel);
  }
  GuiState& t;
  std::unique_ptr<Datosgen> dialog;
};

}  // namespace

class DatosgenTest : public QObject {
  Q_OBJECT

 private slots:
  void PanelsOpenTheirEditorsWhoseValuesAreFilteredAndSavedByteExact() {
    GuiState t;
    Screen s(t);
    QLineEdit* season = s.Box("Tex_TotJor");
    QCOMPARE(PointerOf(s.Control("Pic_Guardar")), QStringLiteral("nodrop"));
    // Panel 1 at (37, 25), 130 × 30: red outline, black shadow.
    const QImage closed = testing::SurfaceImage(s.dialog.get());
    QCOMPARE(closed.pixelColor(37, 25), QColor(255, 0, 0));
    QCOMPARE(closed.pixelColor(37 + 133, 25 + 20), QColor(0, 0, 0));

    testing::PressAt(s.dialog.get(), kSeason);
    QVERIFY(season->isVisible());
    QCOMPARE(s.dialog->focusWidget(), season);
    // Open, the shadow's right edge turns to ground; the editor is centred one pixel below.
    QCOMPARE(testing::SurfaceImage(s.dialog.get()).pixelColor(37 + 133, 25 + 20), QColor(0, 128, 0));
    QCOMPARE(season->geometry().top(), 25 + 30 + 1);
    QCOMPARE(season->geometry().center().x(), 37 + 65 - 1);
    testing::PressAt(s.dialog.get(), kSeason);
    QVERIFY(season->isHidden());
    QCOMPARE(t.sounds, (std::vector<int>{6, 7}));
    // Nothing changed: saving writes nothing.
    std::filesystem::remove(t.folder.File("DATOSGEN.VTR"));
    QTest::mouseClick(s.Control("Pic_Guardar"), Qt::LeftButton);
    QVERIFY(!t.folder.Exists("DATOSGEN.VTR"));

    // The season stays between 1 and 52; empty, or 0 (refused as typed), it is 44.
    s.Type(kSeason, "Tex_TotJor", QStringLiteral("60"));
    QCOMPARE(t.app.totalMatchdays, std::int16_t{52});
    testing::PressAt(s.dialog.get(), kSeason);
    s.Box("Tex_TotJor")->clear();
    QTest::keyClicks(s.Box("Tex_TotJor"), QStringLiteral("0"));
    QCOMPARE(s.Box("Tex_TotJor")->text(), QString());
    QTest::keyClick(s.Box("Tex_TotJor"), Qt::Key_Return);  // Enter closes like a press
    QCOMPARE(t.app.totalMatchdays, std::int16_t{44});

    // Prices keep four characters; codes get leading zeros; letters are refused.
    s.Type(kPrice, "Tex_PreApu", QStringLiteral(".75"));
    QCOMPARE(s.Box("Tex_PreApu")->text(), QStringLiteral("0.75"));
    QCOMPARE(t.app.betPrice, 0.75f);
    s.Type(kPrice, "Tex_PreApu", QStringLiteral("x1"));
    s.Type(kDelegation, "Tex_Delegacion", QStringLiteral("7"));
    testing::PressAt(s.dialog.get(), kSound);
    auto* list = s.dialog->findChild<QListWidget*>(QStringLiteral("Lis_Sonido"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QVERIFY(list->isHidden());
    QCOMPARE(PointerOf(s.Control("Pic_Guardar")), QStringLiteral("manoindice"));

    // Save takes the value still being typed in the open editor.
    testing::PressAt(s.dialog.get(), kReceptor);
    s.Box("Tex_Receptor")->selectAll();
    QTest::keyClicks(s.Box("Tex_Receptor"), QStringLiteral("1a2.3"));
    QTest::mouseClick(s.Control("Pic_Guardar"), Qt::LeftButton);
    QVERIFY(s.Box("Tex_Receptor")->isHidden());
    QCOMPARE(t.folder.Read("DATOSGEN.VTR"),
             std::string("40,\"01/09/02\",1,1,0,0,0,0,1,44,\"1   \",\"07\",\"00123\",\"No\"\r\n"));
    QCOMPARE(PointerOf(s.Control("Pic_Guardar")), QStringLiteral("nodrop"));
  }

  void ClosingDropsUnsavedEditsAndKeepsTheMatchdayInTheSeason() {
    GuiState t;
    Screen s(t);
    s.Type(kSeason, "Tex_TotJor", QStringLiteral("30"));
    QTest::mouseClick(s.Control("Pic_Salir"), Qt::LeftButton);
    QCOMPARE(t.app.totalMatchdays, std::int16_t{44});
    QCOMPARE(t.app.currentMatchday, std::int16_t{40});

    // Saved, the shorter season moves the current matchday to its last one.
    Screen again(t);
    again.Type(kSeason, "Tex_TotJor", QStringLiteral("30"));
    QTest::mouseClick(again.Control("Pic_Guardar"), Qt::LeftButton);
    again.dialog->close();
    QCOMPARE(t.app.currentMatchday, std::int16_t{30});
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::DatosgenTest)
#include "datosgen_test.moc"
