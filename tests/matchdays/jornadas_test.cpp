// The matchday editor: from the menu press to the record on disk, the date
// rule on screen, and the edits that are dropped without a question.
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include "app/general_data.h"
#include "app/mensajes.h"
#include "matchdays/jornadas.h"
#include "matchdays/selection_lists.h"
#include "platform/help_viewer.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

using testing::GuiState;
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

// Matchday 2 has been scrutinised: 30 reserved blanks, winning column, a blank, five prizes.
const std::string kResults = std::string(30, ' ') + "12312300000000 " + "    1234567" + "      12345" + "        123" +
                             "         12" + "          1";
const std::string kFirstRecord = Record("Jor0101/09/02", Teams("Equipo "));
const std::string kSecondRecord = Record("Jor0215/09/02", Teams("Club "), kResults);

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
    t.folder.Write("EQUIPOS.VTR", "Sevilla\r\nBetis\r\nAlav\xE9s\r\n");
    Open();
  }
  void Open() {
    screen = std::make_unique<Jornadas>(t.app, nullptr);
    screen->show();
    screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen.get()));
  }
  QComboBox* Box(int k) { return Child<QComboBox>(screen.get(), QStringLiteral("Cbo_Equipo%1").arg(k)); }
  QLineEdit* Date(const char* name) { return Child<QLineEdit>(screen.get(), QString::fromLatin1(name)); }
  QString Guardar() { return testing::PointerOf(Child(screen.get(), QStringLiteral("Pic_Guardar"))); }
  bool DateOpen() { return Child(screen.get(), QStringLiteral("Pic_FecJor"))->isVisible(); }
  void Type(int k, const QString& keys) {
    Box(k)->lineEdit()->selectAll();
    QTest::keyClick(Box(k)->lineEdit(), Qt::Key_Delete);
    QTest::keyClicks(Box(k)->lineEdit(), keys);
  }
  void Choose(int matchday) {
    testing::PressAt(screen.get(), kMatchdayPanel);
    auto* list = Child<PickList>(screen.get(), QStringLiteral("Lis_Jornadas"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(matchday - 1)).center());
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
  void SavingWritesTheDateAndTeamsAndKeepsTheResults() {
    GuiState t;
    Editor e(t);
    QCOMPARE(e.Guardar(), QStringLiteral("nodrop"));
    QCOMPARE(e.Box(28)->geometry(), QRect(349, 40 + 24 * 13, 143, 21));
    // The frame: yellow outline, dark green one a pixel right and down.
    const QImage image = testing::SurfaceImage(e.screen.get());
    QCOMPARE(image.pixelColor(503, 200), QColor(255, 255, 0));
    QCOMPARE(image.pixelColor(504, 200), QColor(0, 64, 0));
    QTest::keyClick(e.Box(7), Qt::Key_Down);  // picks the first of the team list, in order

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

    // Names are cut to 15 while typing, the caret kept; outer blanks are not stored.
    e.Type(1, QStringLiteral("Real Betis Balompie"));
    e.Box(1)->lineEdit()->setCursorPosition(2);
    QTest::keyClicks(e.Box(1)->lineEdit(), QStringLiteral("X"));
    QCOMPARE(e.Box(1)->lineEdit()->cursorPosition(), 3);
    e.Type(4, QStringLiteral("   Celta "));
    e.Type(28, QString());

    // The team list's button refreshes the drop-downs and keeps their text.
    e.Box(3)->setEditText(QStringLiteral("Xerez"));
    testing::WhenModal([](QWidget* list) {
      auto* name = Child<QLineEdit>(list, QStringLiteral("Tex_NuevoEquipo"));
      QTest::keyClicks(name, QStringLiteral("Eibar"));
      QTest::keyClick(name, Qt::Key_Return);
      Click(list, "Pic_Guardar");
      Click(list, "Pic_Salir");
    });
    Click(e.screen.get(), "Pic_Equipos");
    QCOMPARE(e.Box(3)->itemText(2), QStringLiteral("Eibar"));

    QCOMPARE(e.Guardar(), QStringLiteral("manoindice"));
    Click(e.screen.get(), "Pic_Guardar");
    QCOMPARE(e.Guardar(), QStringLiteral("nodrop"));
    Names names = Teams("Club ");
    names[0] = "ReXal Betis Bal";
    names[2] = "Xerez";
    names[3] = "Celta";
    names[6] = "Alav\xE9s";
    names[27] = "";
    QCOMPARE(t.folder.Read("JORNADAS.VTR"), kFirstRecord + Record("Jor0205/03/03", names, kResults));
  }

  void UnsavedEditsAreDroppedAndANeverSavedMatchdayNeedsAValidDate() {
    GuiState t;
    Editor e(t);
    e.Type(1, QStringLiteral("Xerez"));
    // The list closes when it loses the focus, taking over its selection.
    testing::PressAt(e.screen.get(), kMatchdayPanel);
    Child<PickList>(e.screen.get(), QStringLiteral("Lis_Jornadas"))->setCurrentRow(0);
    e.Box(3)->lineEdit()->setFocus(Qt::MouseFocusReason);
    QCOMPARE(t.app.currentMatchday, std::int16_t{1});
    QCOMPARE(e.Box(1)->currentText(), QStringLiteral("Equipo 1"));
    QCOMPARE(e.Guardar(), QStringLiteral("nodrop"));

    int messages = 0;
    SetMessageHookForTesting([&messages](Mensajes& dialog) {
      ++messages;
      dialog.accept();
    });
    e.Choose(5);
    QCOMPARE(e.Date("Tex_FecDia")->text(), QStringLiteral("00"));
    QCOMPARE(e.Box(1)->currentText(), QString());
    e.Type(1, QStringLiteral("Numancia"));
    Click(e.screen.get(), "Pic_Guardar");
    QCOMPARE(messages, 1);
    QCOMPARE(t.folder.Read("JORNADAS.VTR"), kFirstRecord + kSecondRecord);

    // 29 February 2003 does not exist: the editor stays open, the date unchanged.
    e.TypeDate(QStringLiteral("29"), QStringLiteral("02"), QStringLiteral("03"));
    testing::PressAt(e.screen.get(), kDatePanel);
    QCOMPARE(messages, 2);
    QVERIFY(e.DateOpen());
    QCOMPARE(t.app.currentMatchdayDate, std::string("00/00/00"));
    e.Date("Tex_FecAno")->setText(QStringLiteral("04"));
    testing::PressAt(e.screen.get(), kDatePanel);
    Click(e.screen.get(), "Pic_Guardar");
    SetMessageHookForTesting(nullptr);
    QCOMPARE(messages, 2);
    // Matchdays 3 and 4 between stay blank.
    const std::string saved =
        kFirstRecord + kSecondRecord + std::string(2 * 533, ' ') + Record("Jor0529/02/04", {"Numancia"});
    QCOMPARE(t.folder.Read("JORNADAS.VTR"), saved);

    // Leaving drops what was not saved.
    e.Type(1, QStringLiteral("Xerez"));
    e.TypeDate(QStringLiteral("02"), QStringLiteral("09"), QStringLiteral("02"));
    testing::PressAt(e.screen.get(), kDatePanel);
    Click(e.screen.get(), "Pic_Salir");
    QCOMPARE(t.folder.Read("JORNADAS.VTR"), saved);
    e.Open();
    QCOMPARE(e.Box(1)->currentText(), QStringLiteral("Numancia"));
    QCOMPARE(t.app.currentMatchdayDate, std::string("29/02/04"));
  }

  // Keys sent to the screen's window, as the user's keyboard sends them.
  void KeysMoveThroughTheBoxesAndEscapeKeepsTheEdits() {
    GuiState t;
    Editor e(t);
    QWindow* window = e.screen->windowHandle();
    // Enter in a team box moves to the next box.
    e.Box(5)->setFocus();
    QTest::keyClick(window, Qt::Key_Return);
    QCOMPARE(e.screen->focusWidget(), e.Box(6));
    // A character the file cannot hold is refused as it is typed.
    for (const QChar c : QStringLiteral("\u0141\u00d3dz\u20ac")) {
      QTest::sendKeyEvent(QTest::Press, e.Box(6), Qt::Key_unknown, QString(c), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, e.Box(6), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCOMPARE(e.Box(6)->currentText(), QStringLiteral("\u00d3dz\u20ac"));
    // With unsaved edits Escape does nothing; once saved it leaves as Salir does.
    t.sounds.clear();
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(e.screen->isVisible());
    QVERIFY(t.sounds.empty());
    Click(e.screen.get(), "Pic_Guardar");
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!e.screen->isVisible());
    QCOMPARE(t.sounds, (std::vector<int>{9, 5}));

    // A date box entered by a click holds its text selected, so typing replaces it.
    e.Open();
    testing::PressAt(e.screen.get(), kDatePanel);
    QTest::mouseClick(e.Date("Tex_FecMes"), Qt::LeftButton);
    QTRY_COMPARE(e.Date("Tex_FecMes")->selectedText(), QStringLiteral("09"));
  }

  void HelpTakesInputBesideTheModalScreens() {
    GuiState t;
    Editor e(t);
    e.screen->hide();
    e.screen->setWindowModality(Qt::ApplicationModal);
    e.screen->show();
    QVERIFY(QTest::qWaitForWindowActive(e.screen.get()));
    QTest::keyClick(e.screen->windowHandle(), Qt::Key_F1);
    QTextBrowser* help = HelpWindow();
    QVERIFY(help && help->isVisible());
    QVERIFY(help->source().toString().endsWith(QStringLiteral("2100.html")));
    help->resize(300, 120);
    QVERIFY(QTest::qWaitForWindowExposed(help));
    // Input sent to the help window's own window is not blocked by the screen.
    QTest::keyClick(help->windowHandle(), Qt::Key_End);
    QTRY_VERIFY(help->verticalScrollBar()->value() > 0);

    // The team list opened over the screen blocks it too, but not the help.
    int scrolledTo = -1;
    bool closed = false;
    QTimer operatorTimer;
    QObject::connect(&operatorTimer, &QTimer::timeout, [&] {
      QWidget* list = QApplication::activeModalWidget();
      if (!list || list->objectName() != QStringLiteral("equipos")) return;
      operatorTimer.stop();
      // The user brings the help to the front and works in it.
      HelpWindow()->activateWindow();
      QTRY_VERIFY(HelpWindow()->isActiveWindow());
      QTest::keyClick(HelpWindow()->windowHandle(), Qt::Key_Home);
      scrolledTo = HelpWindow()->verticalScrollBar()->value();
      QTest::keyClick(HelpWindow()->windowHandle(), Qt::Key_Escape);
      closed = !HelpWindow() || !HelpWindow()->isVisible();
      Click(list, "Pic_Salir");
    });
    operatorTimer.start(5);
    Click(e.screen.get(), "Pic_Equipos");
    QCOMPARE(scrolledTo, 0);
    QVERIFY(closed);
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::JornadasTest)
#include "jornadas_test.moc"
