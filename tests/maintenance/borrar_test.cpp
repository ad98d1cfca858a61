// The deletion screen: choosing the range and the confirmation.
#include <QLabel>
#include <QTest>

#include "app/mensajes.h"
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
      text = message.findChild<QLabel*>(QStringLiteral("Tex_Mensaje"))->text();
      QTest::mouseClick(message.findChild<QWidget*>(QString::fromLatin1(button)), Qt::LeftButton);
    });
    Press("Pic_Borrar");
    SetMessageHookForTesting(nullptr);
    return text;
  }
  std::unique_ptr<Borrar> dialog;
};

}  // namespace

class BorrarTest : public QObject {
  Q_OBJECT

 private slots:
  void TheRangeNeverRunsBackwards() {
    GuiState t;
    t.app.totalMatchdays = 10;  // the lists do not follow the season
    Screen s(t);
    QVERIFY(s.List("Lis_JorIni")->count() == 52 && s.List("Lis_JorFin")->count() == 52);
    s.Pick(kLastField, "Lis_JorFin", 4);
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
    QCOMPARE(std::make_pair(s.dialog->First(), s.dialog->Last()), std::make_pair(8, 8));
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
    std::string matchdays;  // 1..8 filled, each with a reduction of order 1
    for (int n = 1; n <= 8; ++n) {
      matchdays += "Jor0" + std::to_string(n) + "12/10/03" + std::string(520, 'A');
      t.folder.Write("RED0" + std::to_string(n) + "01.VTR", "\"11111111111111\"\r\n");
    }
    t.folder.Write("JORNADAS.VTR", matchdays);
    Screen s(t);
    s.Pick(kLastField, "Lis_JorFin", 7);
    s.Pick(kFirstField, "Lis_JorIni", 7);
    t.sounds.clear();
    QVERIFY(s.Confirm("Pic_Salir").contains(QStringLiteral("todos  los  datos de la Jornada  7 .  Si")));
    QCOMPARE(t.sounds, (std::vector<int>{9, 5}));
    QVERIFY(t.folder.Read("JORNADAS.VTR") == matchdays && t.folder.Exists("RED0701.VTR"));

    s.Pick(kFirstField, "Lis_JorIni", 3);
    // The button pressed while the list is open takes its highlighted entry.
    s.dialog->activateWindow();  // back from the message
    QVERIFY(QTest::qWaitForWindowActive(s.dialog.get()));
    testing::PressAt(s.dialog.get(), kLastField);
    for (int i = 0; i < 2; ++i) QTest::keyClick(s.List("Lis_JorFin"), Qt::Key_Up);
    t.app.deletePressed = true;  // the screen clears the answer before asking
    const QString asked = s.Confirm("Pic_Borrar");
    QVERIFY(asked.contains(QStringLiteral("datos  desde la  jornada   3  hasta  la  jornada  5   .")));
    // Records 3 to 5 blanked and their columns gone.
    QVERIFY(t.folder.Read("JORNADAS.VTR") ==
            matchdays.substr(0, 2 * 533) + std::string(3 * 533, ' ') + matchdays.substr(5 * 533));
    QVERIFY(!t.folder.Exists("RED0501.VTR") && t.folder.Exists("RED0601.VTR"));
    QVERIFY(s.dialog->isVisible());  // the screen stays for another range
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::BorrarTest)
#include "borrar_test.moc"
