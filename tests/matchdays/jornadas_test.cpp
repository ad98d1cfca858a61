// The matchday editor: from the menu press to the record on disk, the date
// rule on screen, and the edits that are dropped without a question.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "app/general_data.h"
#include "app/mensajes.h"
#include "app/vetra.h"
#include "matchdays/jornadas.h"
#include "matchdays/selection_lists.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

using testing::GuiState;
using testing::PointerOf;
using Names = std::vector<std::string>;

// Current matchday 2 of a season of 44.
const std::string kGeneralData = "2,\"15/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"";
const QPoint kMatchdayPanel(77, 45), kDatePanel(77, 209);

// A record laid out field by field: "Jor", number, date, 28 names of 15,
// then the 100 positions of the scrutiny (blank when not given).
std::string Record(const std::string& head, Names names, const std::string& results = "") {
  std::string record = head;
  names.resize(28);
  for (std::string& name : names) record += name.append(15 - name.size(), ' ');
  return record + results + std::string(100 - results.size(), ' ');
}

Names Teams(const std::string& prefix) {
  Names names;
  for (int k = 1; k <= 28; ++k) names.push_back(prefix + std::to_string(k));
  return names;
}

const Names kSecond = [] {
  Names names = Teams("Club ");
  names[15] = "M\xE1laga";
  return names;
}();
// Matchday 2 has been scrutinised: 30 reserved blanks, winning column, a blank, five prizes.
const std::string kResults = std::string(30, ' ') + "12312300000000 " + "    1234567" + "      12345" + "        123" +
                             "         12" + "          1";
const std::string kFirstRecord = Record("Jor0101/09/02", Teams("Equipo "));
const std::string kSecondRecord = Record("Jor0215/09/02", kSecond, kResults);

template <typename T = QWidget>
T* Child(QWidget* screen, const QString& name) {
  return screen->findChild<T*>(name);
}

void Click(QWidget* screen, const char* control) {
  QTest::mouseClick(Child(screen, QString::fromLatin1(control)), Qt::LeftButton);
}

struct Editor {
  explicit Editor(GuiState& t) : t(t) {
    testing::WriteGeneralDataLine(t.folder, kGeneralData);
    ReadGeneralData(t.app);
    t.folder.Write("JORNADAS.VTR", kFirstRecord + kSecondRecord);
    t.folder.Write("EQUIPOS.VTR", "Sevilla\r\nBetis\r\nM\xE1laga\r\nAlav\xE9s\r\n");
    Open();
  }
  void Open() {
    screen = std::make_unique<Jornadas>(t.app, nullptr);
    screen->show();
    screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    t.sounds.clear();
  }
  QComboBox* Box(int k) { return Child<QComboBox>(screen.get(), QStringLiteral("Cbo_Equipo%1").arg(k)); }
  QLineEdit* Date(const char* name) { return Child<QLineEdit>(screen.get(), QString::fromLatin1(name)); }
  QString Guardar() { return PointerOf(Child(screen.get(), QStringLiteral("Pic_Guardar"))); }
  PickList* List() { return Child<PickList>(screen.get(), QStringLiteral("Lis_Jornadas")); }
  bool DateOpen() { return Child(screen.get(), QStringLiteral("Pic_FecJor"))->isVisible(); }
  void Type(int k, const QString& keys) {
    Box(k)->lineEdit()->selectAll();
    QTest::keyClick(Box(k)->lineEdit(), Qt::Key_Delete);
    QTest::keyClicks(Box(k)->lineEdit(), keys);
  }
  void Choose(int matchday) {
    testing::PressAt(screen.get(), kMatchdayPanel);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      List()->visualItemRect(List()->item(matchday - 1)).center());
  }
  // Opens the date panel and types each field into the box that has the focus.
  void TypeDate(const QString& day, const QString& month, const QString& year) {
    testing::PressAt(screen.get(), kDatePanel);
    for (const QString& keys : {day, month, year}) QTest::keyClicks(screen->focusWidget(), keys);
  }
  GuiState& t;
  std::unique_ptr<Jornadas> screen;
};

}  // namespace

class JornadasTest : public QObject {
  Q_OBJECT

 private slots:
  void TheMenuOpensTheEditorAndItsButtonTheTeamList() {
    GuiState t;
    testing::WriteGeneralDataLine(t.folder, kGeneralData);
    MainMenu menu(t.app);
    menu.show();
    QString editor, teamList;
    testing::WhenModal([&](QWidget* screen) {
      editor = screen->objectName() + QLatin1Char(' ') + screen->windowTitle();
      auto* box = Child<QComboBox>(screen, QStringLiteral("Cbo_Equipo3"));
      box->setEditText(QStringLiteral("Xerez"));
      // Shown modally by the button: the team list gets two names and saves them.
      QTimer::singleShot(0, [&] {
        QWidget* list = QApplication::activeModalWidget();
        teamList = list->objectName() + QLatin1Char(' ') + list->windowTitle();
        auto* name = Child<QLineEdit>(list, QStringLiteral("Tex_NuevoEquipo"));
        for (const QString& team : {QStringLiteral("Getafe"), QStringLiteral("Eibar")}) {
          QTest::keyClicks(name, team);
          QTest::keyClick(name, Qt::Key_Return);
        }
        Click(list, "Pic_Guardar");
        Click(list, "Pic_Salir");
      });
      Click(screen, "Pic_Equipos");
      // The drop-downs offer the new list; the typed text stays.
      QCOMPARE(box->currentText(), QStringLiteral("Xerez"));
      QCOMPARE(box->count(), 2);
      QCOMPARE(box->itemText(0), QStringLiteral("Eibar"));
      Click(screen, "Pic_Salir");
    });
    testing::PressAt(&menu, QPoint(40 + 10, 225 + 5));
    QCOMPARE(editor, QStringLiteral("jornadas Datos de jornadas"));
    QCOMPARE(teamList, QStringLiteral("equipos Modificación de la lista de equipos"));
    // Without a team file the editor says so in one line, the team list in two.
    QCOMPARE(t.reporter.messages.size(), 2u);
    QCOMPARE(t.reporter.messages[0], std::string("No se encuentra el fichero de equipos EQUIPOS.VTR."));
    // The menu's press, the list's button, its two additions and save, the two exits.
    QCOMPARE(t.sounds, (std::vector<int>{6, 9, 9, 9, 9, 5, 5}));
  }

  void OpeningShowsTheCurrentMatchdayWithNothingToSave() {
    GuiState t;
    Editor e(t);
    QVERIFY(t.sounds.empty());
    QCOMPARE(e.Box(1)->currentText(), QStringLiteral("Club 1"));
    QCOMPARE(e.Box(16)->currentText(), QStringLiteral("Málaga"));
    QCOMPARE(e.Date("Tex_FecDia")->text() + e.Date("Tex_FecMes")->text() + e.Date("Tex_FecAno")->text(),
             QStringLiteral("150902"));
    QVERIFY(e.List()->isHidden());
    QCOMPARE(e.List()->currentRow(), 1);
    QCOMPARE(e.Guardar(), QStringLiteral("nodrop"));
    QCOMPARE(e.Box(28)->geometry(), QRect(349, 40 + 24 * 13, 143, 21));
    // The frame: yellow outline, dark green one a pixel right and down.
    const QImage image = testing::SurfaceImage(e.screen.get());
    QCOMPARE(image.pixelColor(503, 200), QColor(255, 255, 0));
    QCOMPARE(image.pixelColor(504, 200), QColor(0, 64, 0));

    // Every drop-down offers the team list in alphabetical order; picking is a change.
    QStringList entries;
    for (int i = 0; i < e.Box(7)->count(); ++i) entries << e.Box(7)->itemText(i);
    QCOMPARE(entries, (QStringList{QStringLiteral("Alavés"), QStringLiteral("Betis"), QStringLiteral("Málaga"),
                                   QStringLiteral("Sevilla")}));
    QTest::keyClick(e.Box(7), Qt::Key_Down);
    QCOMPARE(e.Guardar(), QStringLiteral("manoindice"));
  }

  void SavingWritesTheDateAndTeamsAndKeepsTheResults() {
    GuiState t;
    Editor e(t);
    // One digit keeps the focus, two move it on; Enter closes the panel and
    // the single digit gets its zero.
    testing::PressAt(e.screen.get(), kDatePanel);
    QTest::keyClicks(e.Date("Tex_FecDia"), QStringLiteral("5"));
    QCOMPARE(e.screen->focusWidget(), e.Date("Tex_FecDia"));
    QTest::keyClick(e.Date("Tex_FecDia"), Qt::Key_Tab);
    QTest::keyClicks(e.Date("Tex_FecMes"), QStringLiteral("03"));
    QCOMPARE(e.screen->focusWidget(), e.Date("Tex_FecAno"));
    QTest::keyClicks(e.Date("Tex_FecAno"), QStringLiteral("3"));
    QTest::keyClick(e.Date("Tex_FecAno"), Qt::Key_Return);
    QVERIFY(!e.DateOpen());
    QCOMPARE(t.app.currentMatchdayDate, std::string("05/03/03"));
    QCOMPARE(e.Guardar(), QStringLiteral("manoindice"));

    // Names are cut to 15 while typing, the caret kept; outer blanks are not stored.
    e.Type(1, QStringLiteral("Real Betis Balompie"));
    QCOMPARE(e.Box(1)->currentText(), QStringLiteral("Real Betis Balo"));
    e.Box(1)->lineEdit()->setCursorPosition(2);
    QTest::keyClicks(e.Box(1)->lineEdit(), QStringLiteral("X"));
    QCOMPARE(e.Box(1)->currentText(), QStringLiteral("ReXal Betis Bal"));
    QCOMPARE(e.Box(1)->lineEdit()->cursorPosition(), 3);
    e.Type(4, QStringLiteral("   Celta "));
    e.Type(28, QString());
    QTest::keyClick(e.Box(5)->lineEdit(), Qt::Key_Return);
    QCOMPARE(e.screen->focusWidget(), e.Box(6));

    t.sounds.clear();
    Click(e.screen.get(), "Pic_Guardar");
    QCOMPARE(t.sounds, std::vector<int>{9});
    QCOMPARE(e.Guardar(), QStringLiteral("nodrop"));
    Names names = kSecond;
    names[0] = "ReXal Betis Bal";
    names[3] = "Celta";
    names[27] = "";
    QCOMPARE(t.folder.Read("JORNADAS.VTR"), kFirstRecord + Record("Jor0205/03/03", names, kResults));

    // Nothing left to save: the button does nothing.
    t.folder.Write("JORNADAS.VTR", "");
    Click(e.screen.get(), "Pic_Guardar");
    QCOMPARE(t.folder.Read("JORNADAS.VTR"), std::string());
  }

  void AMatchdayNeverSavedNeedsAValidDate() {
    GuiState t;
    Editor e(t);
    QStringList seen;  // titles and texts of the messages
    SetMessageHookForTesting([&seen](Mensajes& dialog) {
      seen << dialog.findChild<QLabel*>(QStringLiteral("Tex_Titulo"))->text()
           << dialog.findChild<QLabel*>(QStringLiteral("Tex_Mensaje"))->text();
      dialog.accept();
    });
    e.Choose(5);
    QCOMPARE(t.app.currentMatchdayDate, std::string("00/00/00"));
    QCOMPARE(e.Date("Tex_FecDia")->text(), QStringLiteral("00"));
    for (int k = 1; k <= 28; ++k) QCOMPARE(e.Box(k)->currentText(), QString());

    e.Type(1, QStringLiteral("Numancia"));
    Click(e.screen.get(), "Pic_Guardar");
    QCOMPARE(seen, (QStringList{
                                QStringLiteral("ERROR EN LA FECHA"),
                                QStringLiteral("No ha indicado la fecha de la jornada o no es correcta. No se pueden "
                                               "guardar los datos de la jornada  si  no  se incluye una fecha "
                                               "válida.  Introduzca  un  valor  correcto  antes  de  intentar "
                                               "guardar los datos de la jornada."),
                            }));
    QCOMPARE(t.folder.Read("JORNADAS.VTR"), kFirstRecord + kSecondRecord);

    // 29 February 2003 does not exist: the editor stays open, the date unchanged.
    e.TypeDate(QStringLiteral("29"), QStringLiteral("02"), QStringLiteral("03"));
    testing::PressAt(e.screen.get(), kDatePanel);
    QCOMPARE(seen.size(), 4);
    QVERIFY(e.DateOpen());
    QCOMPARE(t.app.currentMatchdayDate, std::string("00/00/00"));
    e.Date("Tex_FecAno")->setText(QStringLiteral("04"));
    testing::PressAt(e.screen.get(), kDatePanel);
    QVERIFY(!e.DateOpen());

    Click(e.screen.get(), "Pic_Guardar");
    SetMessageHookForTesting(nullptr);
    QCOMPARE(seen.size(), 4);
    // Matchdays 3 and 4 between stay blank.
    QCOMPARE(t.folder.Read("JORNADAS.VTR"),
             kFirstRecord + kSecondRecord + std::string(2 * 533, ' ') + Record("Jor0529/02/04", {"Numancia"}));
  }

  void UnsavedEditsAreDroppedOnChoosingAnotherMatchdayOrLeaving() {
    GuiState t;
    Editor e(t);
    e.Type(1, QStringLiteral("Xerez"));
    // Closing the list on the matchday shown keeps the edit.
    testing::PressAt(e.screen.get(), kMatchdayPanel);
    testing::PressAt(e.screen.get(), kMatchdayPanel);
    QCOMPARE(e.Box(1)->currentText(), QStringLiteral("Xerez"));
    QCOMPARE(e.Guardar(), QStringLiteral("manoindice"));

    e.Choose(1);
    QCOMPARE(e.Box(1)->currentText(), QStringLiteral("Equipo 1"));
    QCOMPARE(e.Guardar(), QStringLiteral("nodrop"));
    e.Choose(2);
    QCOMPARE(e.Box(1)->currentText(), QStringLiteral("Club 1"));

    // The list closes when it loses the focus, taking over its selection.
    testing::PressAt(e.screen.get(), kMatchdayPanel);
    e.List()->setCurrentRow(0);
    e.Box(3)->lineEdit()->setFocus(Qt::MouseFocusReason);
    QVERIFY(e.List()->isHidden());
    QCOMPARE(t.app.currentMatchday, std::int16_t{1});

    e.Type(1, QStringLiteral("Xerez"));
    e.TypeDate(QStringLiteral("02"), QStringLiteral("09"), QStringLiteral("02"));
    testing::PressAt(e.screen.get(), kDatePanel);
    t.sounds.clear();
    Click(e.screen.get(), "Pic_Salir");
    QCOMPARE(t.sounds, std::vector<int>{5});
    QCOMPARE(t.folder.Read("JORNADAS.VTR"), kFirstRecord + kSecondRecord);
    e.Open();
    QCOMPARE(e.Box(1)->currentText(), QStringLiteral("Equipo 1"));
    QCOMPARE(t.app.currentMatchdayDate, std::string("01/09/02"));
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::JornadasTest)
#include "jornadas_test.moc"
