// The team list: adding, removing and saving EQUIPOS.VTR, the buttons whose
// pointer says whether they have something to do, and a missing file.
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "matchdays/equipos.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

using testing::GuiState;

struct TeamList {
  explicit TeamList(GuiState& t) : t(t) {
    t.app.soundSetting = "Si";
    screen = std::make_unique<Equipos>(t.app, nullptr);
    screen->show();
    t.sounds.clear();
  }
  QString Pointer(const char* button) {
    return testing::PointerOf(screen->findChild<QWidget*>(QString::fromUtf8(button)));
  }
  void Press(const char* button) {
    QTest::mouseClick(screen->findChild<QWidget*>(QString::fromUtf8(button)), Qt::LeftButton);
  }
  QLineEdit* Name() { return screen->findChild<QLineEdit*>(QStringLiteral("Tex_NuevoEquipo")); }
  QListWidget* List() { return screen->findChild<QListWidget*>(QStringLiteral("Lis_Equipos")); }
  QStringList Entries() {
    QStringList entries;
    for (int i = 0; i < List()->count(); ++i) entries << List()->item(i)->text();
    return entries;
  }
  void Remove(const QString& entry) {
    QListWidgetItem* item = List()->findItems(entry, Qt::MatchExactly).front();
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(item).center());
    QCOMPARE(Pointer("Pic_Borrar"), QStringLiteral("manoindice"));
    Press("Pic_Borrar");
  }
  GuiState& t;
  std::unique_ptr<Equipos> screen;
};

}  // namespace

class EquiposTest : public QObject {
  Q_OBJECT

 private slots:
  void AddingRemovingAndSavingTheList() {
    GuiState t;
    t.folder.Write("EQUIPOS.VTR", "Zaragoza\r\nBetis\r\nAlav\xE9s\r\n");
    TeamList s(t);
    QCOMPARE(s.Entries(), (QStringList{QStringLiteral("Alavés"), QStringLiteral("Betis"), QStringLiteral("Zaragoza")}));
    for (const char* button : {"Pic_Guardar", "Pic_Añadir", "Pic_Borrar"})
      QCOMPARE(s.Pointer(button), QStringLiteral("nodrop"));

    // Blanks alone are nothing to add; more than 15 characters cannot be typed.
    QTest::keyClicks(s.Name(), QStringLiteral("   "));
    s.Press("Pic_Añadir");
    QCOMPARE(s.List()->count(), 3);
    s.Name()->clear();
    QTest::keyClicks(s.Name(), QStringLiteral("Real Racing Club 1913"));
    QCOMPARE(s.Name()->text(), QStringLiteral("Real Racing Clu"));

    // A name takes its sorted place as typed; Enter adds as the button does.
    s.Name()->clear();
    QTest::keyClicks(s.Name(), QStringLiteral("Osasuna  "));
    QCOMPARE(s.Pointer("Pic_Añadir"), QStringLiteral("manoindice"));
    s.Press("Pic_Añadir");
    QTest::keyClicks(s.Name(), QStringLiteral("celta"));
    QTest::keyClick(s.Name(), Qt::Key_Return);
    QCOMPARE(s.Entries(), (QStringList{QStringLiteral("Alavés"), QStringLiteral("Betis"), QStringLiteral("celta"),
                                       QStringLiteral("Osasuna  "), QStringLiteral("Zaragoza")}));
    QCOMPARE(s.Name()->text(), QString());
    QCOMPARE(s.Pointer("Pic_Añadir"), QStringLiteral("nodrop"));
    QCOMPARE(s.Pointer("Pic_Guardar"), QStringLiteral("manoindice"));

    s.Remove(QStringLiteral("Betis"));
    QCOMPARE(s.List()->count(), 4);
    QCOMPARE(s.Pointer("Pic_Borrar"), QStringLiteral("nodrop"));
    s.Press("Pic_Guardar");
    QCOMPARE(t.folder.Read("EQUIPOS.VTR"), std::string("Alav\xE9s\r\ncelta\r\nOsasuna\r\nZaragoza\r\n"));
    QCOMPARE(s.Pointer("Pic_Guardar"), QStringLiteral("nodrop"));
    QCOMPARE(t.sounds, (std::vector<int>{9, 9, 9, 9}));

    // Nothing left to save: the button does nothing.
    t.folder.Write("EQUIPOS.VTR", "");
    s.Press("Pic_Guardar");
    QCOMPARE(t.folder.Read("EQUIPOS.VTR"), std::string());
  }

  void LeavingDropsWhatWasNotSaved() {
    GuiState t;
    t.folder.Write("EQUIPOS.VTR", "Betis\r\nCelta\r\n");
    TeamList s(t);
    // A removal alone is worth saving.
    s.Remove(QStringLiteral("Celta"));
    QCOMPARE(s.Pointer("Pic_Guardar"), QStringLiteral("manoindice"));
    s.Press("Pic_Salir");
    QCOMPARE(t.sounds, (std::vector<int>{9, 5}));
    QCOMPARE(t.folder.Read("EQUIPOS.VTR"), std::string("Betis\r\nCelta\r\n"));
  }

  void AMissingFileIsReportedAndCreatedEmpty() {
    GuiState t;
    TeamList s(t);
    QCOMPARE(t.reporter.messages,
             std::vector<std::string>{"No se encuentra el fichero de equipos EQUIPOS.VTR.\r\nSe ha procedido a crearlo "
                                      "autom\xC3\xA1ticamente con los valores establecidos por defecto."});
    QCOMPARE(s.List()->count(), 0);
    QVERIFY(t.folder.Exists("EQUIPOS.VTR"));
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::EquiposTest)
#include "equipos_test.moc"
