// The team list: adding, removing and saving EQUIPOS.VTR, and the buttons
// whose pointer says whether they have something to do.
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "app/mensajes.h"
#include "matchdays/equipos.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

using testing::GuiState;

struct TeamList {
  explicit TeamList(GuiState& t) {
    screen = std::make_unique<Equipos>(t.app, nullptr);
    screen->show();
  }
  QWidget* Button(const char* name) { return screen->findChild<QWidget*>(QString::fromUtf8(name)); }
  QString Pointer(const char* button) { return testing::PointerOf(Button(button)); }
  void Press(const char* button) { QTest::mouseClick(Button(button), Qt::LeftButton); }
  QLineEdit* Name() { return screen->findChild<QLineEdit*>(QStringLiteral("Tex_NuevoEquipo")); }
  QListWidget* List() { return screen->findChild<QListWidget*>(QStringLiteral("Lis_Equipos")); }
  void Remove(const QString& entry) {
    QListWidgetItem* item = List()->findItems(entry, Qt::MatchExactly).front();
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(item).center());
    Press("Pic_Borrar");
  }
  std::unique_ptr<Equipos> screen;
};

}  // namespace

class EquiposTest : public QObject {
  Q_OBJECT

 private slots:
  void AddingRemovingSavingAndLeavingTheList() {
    GuiState t;
    t.folder.Write("EQUIPOS.VTR", "Zaragoza\r\nBetis\r\nAlav\xE9s\r\n");
    TeamList s(t);
    QCOMPARE(s.List()->item(0)->text(), QStringLiteral("Alavés"));  // sorted
    QCOMPARE(s.Pointer("Pic_Guardar"), QStringLiteral("nodrop"));

    // Blanks alone are nothing to add; more than 15 characters cannot be typed.
    QTest::keyClicks(s.Name(), QStringLiteral("   "));
    QCOMPARE(s.Pointer("Pic_Añadir"), QStringLiteral("nodrop"));
    s.Name()->clear();
    QTest::keyClicks(s.Name(), QStringLiteral("Real Racing Club 1913"));
    QCOMPARE(s.Name()->text(), QStringLiteral("Real Racing Clu"));

    // A name takes its sorted place as typed; outer blanks are not saved.
    s.Name()->clear();
    QTest::keyClicks(s.Name(), QStringLiteral("celta  "));
    s.Press("Pic_Añadir");
    QCOMPARE(s.List()->item(2)->text(), QStringLiteral("celta  "));
    QCOMPARE(s.Name()->text(), QString());
    // A name already in the list, whatever its case, accents or blanks, is refused.
    int refusals = 0;
    SetMessageHookForTesting([&refusals](Mensajes& message) {
      ++refusals;
      message.accept();
    });
    QTest::keyClicks(s.Name(), QStringLiteral(" ALAVES"));
    QCOMPARE(s.Pointer("Pic_Añadir"), QStringLiteral("nodrop"));
    QTest::keyClick(s.Name(), Qt::Key_Return);
    SetMessageHookForTesting(nullptr);
    QCOMPARE(refusals, 1);
    QCOMPARE(s.List()->count(), 4);
    s.Name()->clear();
    s.Remove(QStringLiteral("Betis"));
    QCOMPARE(s.Pointer("Pic_Borrar"), QStringLiteral("nodrop"));  // nothing selected any more
    QCOMPARE(s.Pointer("Pic_Guardar"), QStringLiteral("manoindice"));
    s.Press("Pic_Guardar");
    QCOMPARE(t.folder.Read("EQUIPOS.VTR"), std::string("Alav\xE9s\r\ncelta\r\nZaragoza\r\n"));
    QCOMPARE(s.Pointer("Pic_Guardar"), QStringLiteral("nodrop"));

    // A removal alone is worth saving; leaving drops it.
    s.Remove(QStringLiteral("Zaragoza"));
    QCOMPARE(s.Pointer("Pic_Guardar"), QStringLiteral("manoindice"));
    s.Press("Pic_Salir");
    QVERIFY(!s.screen->isVisible());
    QCOMPARE(t.folder.Read("EQUIPOS.VTR"), std::string("Alav\xE9s\r\ncelta\r\nZaragoza\r\n"));
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::EquiposTest)
#include "equipos_test.moc"
