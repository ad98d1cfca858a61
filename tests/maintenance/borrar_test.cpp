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

const std::string kDefaults = "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"";
const QPoint kFirstField(30, 30), kLastField(210, 30);

struct Screen {
  explicit Screen(GuiState& t) {
    t.app.soundSetting = "Si";
    dialog = std::make_unique<Borrar>(t.app, nullptr);
    dialog->show();
    dialog->activateWindow();
    active = QTest::qWaitForWindowActive(dialog.get());
  }
  PickList* List(const char* name) { return dialog->findChild<PickList*>(QString::fromLatin1(name)); }
  QWidget* Button(const char* name) { return dialog->findChild<QWidget*>(QString::fromLatin1(name)); }
  // Opens a field and clicks the entry of matchday n in its list.
  void Pick(QPoint field, const char* list, int n) {
    testing::PressAt(dialog.get(), field);
    PickList* l = List(list);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(n - 1)).center());
  }
  std::unique_ptr<Borrar> dialog;
  bool active = false;
};

// Answers the next message dialog with `button`, keeping its title and text.
void AnswerWith(const char* button, QString& title, QString& text) {
  SetMessageHookForTesting([button, &title, &text](Mensajes& dialog) {
    title = dialog.findChild<QLabel*>(QStringLiteral("Tex_Titulo"))->text();
    text = dialog.findChild<QLabel*>(QStringLiteral("Tex_Mensaje"))->text();
    QTest::mouseClick(dialog.findChild<QWidget*>(QString::fromLatin1(button)), Qt::LeftButton);
  });
}

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
  void OpensOnMatchdayOneWithHiddenListsOfFiftyTwo() {
    GuiState t;
    t.app.totalMatchdays = 10;  // the lists do not follow the season
    Screen s(t);
    QCOMPARE(s.dialog->windowTitle(), QStringLiteral("Borrar reducciones y datos de jornadas"));
    QCOMPARE(s.dialog->First(), 1);
    QCOMPARE(s.dialog->Last(), 1);
    QVERIFY(t.sounds.empty());
    for (const char* name : {"Lis_JorIni", "Lis_JorFin"}) {
      PickList* list = s.List(name);
      QVERIFY(list->isHidden());
      QCOMPARE(list->count(), 52);
      QCOMPARE(list->item(0)->text(), QStringLiteral(" 1"));
      QCOMPARE(list->item(51)->text(), QStringLiteral("52"));
    }
    for (const char* name : {"Pic_Borrar", "Pic_Ayuda", "Pic_Salir"})
      QCOMPARE(testing::PointerOf(s.Button(name)), QStringLiteral("manoindice"));

    // The first field at (20, 20), 135 × 30: red outline, shadow below right.
    const QImage image = testing::SurfaceImage(s.dialog.get());
    QCOMPARE(image.pixelColor(20, 20), QColor(255, 0, 0));
    QCOMPARE(image.pixelColor(200 + 134, 20 + 29), QColor(255, 0, 0));
    QCOMPARE(image.pixelColor(200 + 136, 20 + 32), QColor(0, 0, 0));

    // A press shows the list under its field, in six columns of matchdays, with the focus.
    testing::PressAt(s.dialog.get(), kLastField);
    PickList* list = s.List("Lis_JorFin");
    QVERIFY(list->isVisible());
    QCOMPARE(s.dialog->focusWidget(), list);
    QCOMPARE(t.sounds, std::vector<int>{6});
    QCOMPARE(list->geometry().top(), 20 + 30 + 1);
    QCOMPARE(list->geometry().left(), 200 + (135 - list->width()) / 2);
    QVERIFY(list->visualItemRect(list->item(50)).right() < list->viewport()->width());
    QCOMPARE(list->visualItemRect(list->item(9)).left(), list->visualItemRect(list->item(0)).left());
    QVERIFY(list->visualItemRect(list->item(10)).left() > list->visualItemRect(list->item(0)).left());
  }

  void TheRangeNeverRunsBackwards() {
    GuiState t;
    Screen s(t);
    s.Pick(kLastField, "Lis_JorFin", 4);
    QCOMPARE(s.dialog->Last(), 4);
    QVERIFY(s.List("Lis_JorFin")->isHidden());
    s.Pick(kFirstField, "Lis_JorIni", 10);  // the last follows the first up
    QCOMPARE(s.dialog->First(), 10);
    QCOMPARE(s.dialog->Last(), 10);
    QCOMPARE(s.List("Lis_JorFin")->currentRow(), 9);
    s.Pick(kLastField, "Lis_JorFin", 3);  // the first follows the last down
    QCOMPARE(s.dialog->First(), 3);
    QCOMPARE(s.dialog->Last(), 3);
    QCOMPARE(s.List("Lis_JorIni")->currentRow(), 2);
    // Only the user's choices close with a sound.
    QCOMPARE(t.sounds, (std::vector<int>{6, 7, 6, 7, 6, 7}));

    // Moving in an open list and pressing the other field takes the entry over
    // first; the correction it makes does not close the list being opened.
    testing::PressAt(s.dialog.get(), kFirstField);
    for (int i = 0; i < 5; ++i) QTest::keyClick(s.List("Lis_JorIni"), Qt::Key_Down);
    testing::PressAt(s.dialog.get(), kLastField);
    QCOMPARE(s.dialog->First(), 8);
    QCOMPARE(s.dialog->Last(), 8);
    QVERIFY(s.List("Lis_JorIni")->isHidden());
    QVERIFY(s.List("Lis_JorFin")->isVisible());
    QCOMPARE(s.dialog->focusWidget(), s.List("Lis_JorFin"));

    // Leaving the screen hides the open list.
    QTest::mouseClick(s.Button("Pic_Salir"), Qt::LeftButton);
    QCOMPARE(t.sounds.back(), 5);
    QVERIFY(s.List("Lis_JorFin")->isHidden());
    QVERIFY(!s.dialog->isVisible());
  }

  void DecliningTheConfirmationDeletesNothing() {
    GuiState t;
    WriteSeason(t.folder);
    const std::string matchdays = t.folder.Read("JORNADAS.VTR"), index = t.folder.Read("BASES.VTR");
    Screen s(t);
    s.Pick(kLastField, "Lis_JorFin", 7);
    s.Pick(kFirstField, "Lis_JorIni", 7);
    t.sounds.clear();
    QString title, text;
    AnswerWith("Pic_Salir", title, text);
    QTest::mouseClick(s.Button("Pic_Borrar"), Qt::LeftButton);
    SetMessageHookForTesting(nullptr);

    QCOMPARE(title, QStringLiteral("BORRADO DE DATOS"));
    QCOMPARE(text, QStringLiteral("Se  va  a  proceder  a  la  eliminación  de  todos  los  datos de la Jornada  7") + kTail);
    QCOMPARE(t.sounds, (std::vector<int>{9, 5}));
    QVERIFY(t.folder.Read("JORNADAS.VTR") == matchdays);
    QVERIFY(t.folder.Read("BASES.VTR") == index);
    QVERIFY(t.folder.Exists("RED0701.VTR") && t.folder.Exists("RED0702.VTR"));
  }

  void ConfirmingDeletesTheRange() {
    GuiState t;
    WriteSeason(t.folder);
    const std::string before = t.folder.Read("JORNADAS.VTR");
    Screen s(t);
    s.Pick(kFirstField, "Lis_JorIni", 3);
    s.Pick(kLastField, "Lis_JorFin", 5);
    t.app.deletePressed = true;  // the screen clears the answer before asking
    QString title, text;
    AnswerWith("Pic_Borrar", title, text);
    QTest::mouseClick(s.Button("Pic_Borrar"), Qt::LeftButton);
    SetMessageHookForTesting(nullptr);

    QCOMPARE(text, QStringLiteral("Se  va  a  proceder  a  la  eliminación  de  todos  los  datos  desde la  jornada   3"
                                  "  hasta  la  jornada  5  ") +
                       kTail);
    const std::string after = t.folder.Read("JORNADAS.VTR");
    QVERIFY(after == before.substr(0, 2 * 533) + std::string(3 * 533, ' ') + before.substr(5 * 533));
    for (int n = 1; n <= 8; ++n) {
      const bool deleted = n >= 3 && n <= 5;
      QCOMPARE(t.folder.Exists("RED0" + std::to_string(n) + "01.VTR"), !deleted);
      QCOMPARE(t.folder.Exists("RED0" + std::to_string(n) + "02.VTR"), !deleted);
    }
    QVERIFY(t.folder.Read("BASES.VTR").find("0301") == std::string::npos);
    QVERIFY(t.folder.Read("BASES.VTR").find("0601") != std::string::npos);
    QVERIFY(s.dialog->isVisible());  // the screen stays for another range
  }

  void TheMenuButtonOpensTheScreen() {
    GuiState t;
    testing::WriteGeneralDataLine(t.folder, kDefaults);
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
