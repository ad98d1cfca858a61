// The deletion screen: choosing the range, the confirmation, and the way in
// from the main menu.
#include <QLabel>
#include <QTest>

#include "app/mensajes.h"
#include "app/vetra.h"
#include "maintenance/borrar.h"
#include "matchdays/selection_lists.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

using testing::GuiState;

const QPoint kFirstField(30, 30), kLastField(210, 30);

struct Screen {
  explicit Screen(GuiState& t) {
    t.app.soundSetting = "Si";
    dialog = std::make_unique<Borrar>(t.app, nullptr);
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
  }
  PickList* List(const char* name) { return dialog->findChild<PickList*>(QString::fromLatin1(name)); }
  void Press(const char* button) {
    QTest::mouseClick(dialog->findChild<QWidget*>(QString::fromLatin1(button)), Qt::LeftButton);
  }
  // Opens a field and clicks the entry of matchday n in its list.
  void Pick(QPoint field, const char* list, int n) {
    testing::PressAt(dialog.get(), field);
    PickList* l = List(list);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(n - 1)).center());
  }
  // Presses Borrar and answers the confirmation with `button`; gives its text.
  QString Confirm(const char* button) {
    QString text;
    SetMessageHookForTesting([button, &text](Mensajes& message) {
      QCOMPARE(message.findChild<QLabel*>(QStringLiteral("Tex_Titulo"))->text(), QStringLiteral("BORRADO DE DATOS"));
      text = message.findChild<QLabel*>(QStringLiteral("Tex_Mensaje"))->text();
      QTest::mouseClick(message.findChild<QWidget*>(QString::fromLatin1(button)), Qt::LeftButton);
    });
    Press("Pic_Borrar");
    SetMessageHookForTesting(nullptr);
    return text;
  }
  std::unique_ptr<Borrar> dialog;
};

const QString kTail =
    QStringLiteral(" .  Si  desea  continuar  con  el  proceso,  pulse Borrar. Si desea cancelar el proceso, pulse Salir.");

// Matchdays 1..8 filled, each with reductions of orders 1 and 2.
void WriteSeason(const testing::TempFolder& folder) {
  std::string matchdays, index;
  for (int n = 1; n <= 8; ++n) {
    const std::string two = "0" + std::to_string(n);
    matchdays += "Jor" + two + "12/10/03" + std::string(520, 'A');
    for (const char* order : {"01", "02"}) {
      index += two + order + "1" + std::string(225, ' ') + "\r\n";
      folder.Write("RED" + two + order + ".VTR", "\"11111111111111\"\r\n");
    }
  }
  folder.Write("JORNADAS.VTR", matchdays);
  folder.Write("BASES.VTR", index);
}

}  // namespace

class BorrarTest : public QObject {
  Q_OBJECT

 private slots:
  void TheRangeNeverRunsBackwards() {
    GuiState t;
    t.app.totalMatchdays = 10;  // the lists do not follow the season
    Screen s(t);
    for (const char* name : {"Lis_JorIni", "Lis_JorFin"}) {
      QVERIFY(s.List(name)->isHidden());
      QCOMPARE(s.List(name)->count(), 52);
      QCOMPARE(s.List(name)->item(51)->text(), QStringLiteral("52"));
    }
    s.Pick(kLastField, "Lis_JorFin", 4);
    QVERIFY(s.List("Lis_JorFin")->isHidden());
    s.Pick(kFirstField, "Lis_JorIni", 10);  // the last follows the first up
    QCOMPARE(s.dialog->Last(), 10);
    QCOMPARE(s.List("Lis_JorFin")->currentRow(), 9);
    s.Pick(kLastField, "Lis_JorFin", 3);  // the first follows the last down
    QCOMPARE(s.dialog->First(), 3);
    QCOMPARE(s.List("Lis_JorIni")->currentRow(), 2);
    // Only the user's choices close with a sound.
    QCOMPARE(t.sounds, (std::vector<int>{6, 7, 6, 7, 6, 7}));

    // Moving in an open list and pressing the other field takes the entry over
    // first; the correction it makes does not close the list being opened,
    // which shows under its field (200, 20, 135 × 30) with the focus.
    testing::PressAt(s.dialog.get(), kFirstField);
    for (int i = 0; i < 5; ++i) QTest::keyClick(s.List("Lis_JorIni"), Qt::Key_Down);
    testing::PressAt(s.dialog.get(), kLastField);
    QCOMPARE(s.dialog->First(), 8);
    QCOMPARE(s.dialog->Last(), 8);
    QVERIFY(s.List("Lis_JorIni")->isHidden());
    QCOMPARE(s.dialog->focusWidget(), s.List("Lis_JorFin"));
    QCOMPARE(s.List("Lis_JorFin")->geometry().top(), 20 + 30 + 1);

    // Leaving the screen hides the open list.
    s.Press("Pic_Salir");
    QCOMPARE(t.sounds.back(), 5);
    QVERIFY(s.List("Lis_JorFin")->isHidden() && !s.dialog->isVisible());
  }

  void OnlyAConfirmedDeletionDeletes() {
    GuiState t;
    WriteSeason(t.folder);
    const std::string matchdays = t.folder.Read("JORNADAS.VTR"), index = t.folder.Read("BASES.VTR");
    Screen s(t);
    s.Pick(kLastField, "Lis_JorFin", 7);
    s.Pick(kFirstField, "Lis_JorIni", 7);
    t.sounds.clear();
    QCOMPARE(s.Confirm("Pic_Salir"),
             QStringLiteral("Se  va  a  proceder  a  la  eliminación  de  todos  los  datos de la Jornada  7") + kTail);
    QCOMPARE(t.sounds, (std::vector<int>{9, 5}));
    QVERIFY(t.folder.Read("JORNADAS.VTR") == matchdays && t.folder.Read("BASES.VTR") == index);
    QVERIFY(t.folder.Exists("RED0701.VTR") && t.folder.Exists("RED0702.VTR"));

    s.Pick(kFirstField, "Lis_JorIni", 3);
    s.Pick(kLastField, "Lis_JorFin", 5);
    t.app.deletePressed = true;  // the screen clears the answer before asking
    QCOMPARE(s.Confirm("Pic_Borrar"),
             QStringLiteral("Se  va  a  proceder  a  la  eliminación  de  todos  los  datos  desde la  jornada   3"
                            "  hasta  la  jornada  5  ") +
                 kTail);
    // Records 3 to 5 blanked, their index lines freed and their columns gone.
    QVERIFY(t.folder.Read("JORNADAS.VTR") ==
            matchdays.substr(0, 2 * 533) + std::string(3 * 533, ' ') + matchdays.substr(5 * 533));
    QVERIFY(t.folder.Read("BASES.VTR").find("0502") == std::string::npos);
    QVERIFY(!t.folder.Exists("RED0301.VTR") && t.folder.Exists("RED0601.VTR"));
    QVERIFY(s.dialog->isVisible());  // the screen stays for another range
  }

  void TheMenuButtonOpensTheScreen() {
    GuiState t;
    testing::WriteGeneralDataLine(t.folder, "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"");
    MainMenu menu(t.app);
    menu.show();
    QString opened;
    testing::WhenModal([&opened](QWidget* modal) {
      opened = modal->objectName();
      modal->close();
    });
    testing::PressAt(&menu, QPoint(300 + 100, 315 + 13));  // "BORRADO DE DATOS"
    QCOMPARE(opened, QStringLiteral("borrar"));
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::BorrarTest)
#include "borrar_test.moc"
