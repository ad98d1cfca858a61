// The reduction screen: from the menu press to the files, the grids' clicks,
// a refusal, the description and a cancelled run.
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "app/general_data.h"
#include "app/mensajes.h"
#include "app/section_screen.h"
#include "app/vetra.h"
#include "matchdays/selection_lists.h"
#include "reductions/base_file.h"
#include "reductions/reducir.h"
#include "tests/reductions/base_builder.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

using testing::GuiState;

const std::string kDefaults = "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"";

// Centre of sign s of match m in the base and probable grids.
QPoint Cell(int match, int sign) { return {3 + 15 * (sign - 1) + 6, 3 + 18 * (match - 1) + 7}; }
QPoint CheckBox(int match) { return {9, 3 + 18 * (match - 1) + 7}; }
QPoint Total(int sign, int total) { return {18 * (sign - 1) + 8, 18 * total + 8}; }

QWidget* Child(QWidget* screen, const char* name) { return screen->findChild<QWidget*>(QString::fromLatin1(name)); }

void Press(QWidget* screen, const char* control, QPoint at) {
  QTest::mouseClick(Child(screen, control), Qt::LeftButton, {}, at);
}

// Opens a panel's list and clicks entry `entry` of it.
void Choose(QWidget* screen, QPoint panel, const char* list, int entry) {
  testing::PressAt(screen, panel);
  auto* pick = screen->findChild<PickList*>(QString::fromLatin1(list));
  QVERIFY(pick->isVisible());
  QTest::mouseClick(pick->viewport(), Qt::LeftButton, {}, pick->visualItemRect(pick->item(entry)).center());
}

struct Fixture {
  Fixture() {
    testing::WriteGeneralDataLine(t.folder, kDefaults);
    ReadGeneralData(t.app);
    t.folder.Write("BASES.VTR", "");
  }
  GuiState t;
};

}  // namespace

class ReducirTest : public QObject {
  Q_OBJECT

 private slots:
  // Match 1 stored marked with one sign: the sheet unmarks it, and the
  // counter panel opens counting only the marked triple of match 2.
  void TheCounterPanelOpensCountingTheSheetAsDrawn() {
    Fixture f;
    BaseRecord stored = testing::MakeReduction(1, {testing::Match("1", true), testing::Match("1X2", true)});
    stored.matchday = 1;
    stored.orderNumber = 1;
    f.t.folder.Write("BASES.VTR", BaseLine(stored) + "\r\n");
    Reducir screen(f.t.app, nullptr);
    QCOMPARE(screen.Figures().multiplesMarked, std::int16_t{1});
    QCOMPARE(screen.Figures().triplesMarked, std::int16_t{1});
  }

  void FromTheMenuPressToTheFiles() {
    Fixture f;
    MainMenu menu(f.t.app);
    menu.show();
    int openings = 0;
    std::function<void(QWidget*)> step = [&](QWidget* screen) {
      ++openings;
      if (openings == 1) {
        QCOMPARE(screen->objectName(), QStringLiteral("reducir"));
        Choose(screen, QPoint(290, 30), "Lis_Metodos", 1);  // the probable column
        testing::WhenModal(step);
        return;
      }
      // Reopened with the method chosen: matches 1 and 2 triple, marked, probable 1 and X.
      for (int m : {1, 2}) {
        Press(screen, "Pic_Base", Cell(m, 2));
        Press(screen, "Pic_Base", Cell(m, 3));
        Press(screen, "Pic_Elegir", CheckBox(m));
      }
      Press(screen, "Pic_ColBas", Cell(1, 1));
      Press(screen, "Pic_ColBas", Cell(2, 2));
      Choose(screen, QPoint(350, 200), "Lis_MaxErrores", 1);
      Press(screen, "Pic_Reducir", QPoint(5, 5));
      Press(screen, "Pic_SalirPorcen", QPoint(5, 5));
      Press(screen, "Pic_Salir", QPoint(5, 5));
    };
    testing::WhenModal(step);
    testing::PressAt(&menu, QPoint(50, 275));
    QCOMPARE(openings, 2);
    QCOMPARE(f.t.folder.Read("RED0101.VTR"),
             std::string("\"11111111111111\"\r\n\"1X111111111111\"\r\n\"XX111111111111\"\r\n"
                         "\"2X111111111111\"\r\n\"12111111111111\"\r\n"));
    QCOMPARE(f.t.folder.Read("BASES.VTR").substr(0, 29), std::string("01012 0 1            9      5"));
    QCOMPARE(f.t.folder.Read("BASES.VTR").substr(29, 12), std::string("111311111312"));
  }

  void EditingTheBaseGridKeepsTheErrorListsInStep() {
    Fixture f;
    f.t.app.reductionMethod = 2;
    Reducir screen(f.t.app, nullptr);
    screen.show();
    // An empty key: sign 1 everywhere, painted selected.
    const QImage grid = screen.findChild<DrawingSurface*>(QStringLiteral("Pic_Base"))->Image();
    const QImage strip(QStringLiteral(":/signosel.png"));
    for (int m = 1; m <= 14; ++m) {
      QCOMPARE(grid.copy(3, 3 + 18 * (m - 1), 13, 15), strip.copy(0, 15, 13, 15).convertToFormat(grid.format()));
      QCOMPARE(grid.copy(18, 3 + 18 * (m - 1), 13, 15), strip.copy(13, 0, 13, 15).convertToFormat(grid.format()));
    }

    for (int m : {1, 2}) {
      Press(&screen, "Pic_Base", Cell(m, 2));
      Press(&screen, "Pic_Elegir", CheckBox(m));
    }
    Choose(&screen, QPoint(350, 160), "Lis_MinErrores", 2);
    auto* minList = screen.findChild<PickList*>(QStringLiteral("Lis_MinErrores"));
    QCOMPARE(minList->count(), 3);
    Press(&screen, "Pic_Base", Cell(2, 2));  // match 2 back to one sign: unmarked
    QCOMPARE(minList->count(), 2);
    QCOMPARE(f.t.app.minErrors, std::int16_t{1});
  }

  void AnUnreachableTotalCannotBeSwitchedOn() {
    Fixture f;
    f.t.app.reductionMethod = 3;
    Reducir screen(f.t.app, nullptr);
    screen.show();
    Press(&screen, "Pic_Base", Cell(1, 2));
    Press(&screen, "Pic_Elegir", CheckBox(1));
    // One marked match carrying 1 and X: totals 0 and 1 of those, only 0 of
    // "2". The unreachable one does not even answer the press.
    f.t.sounds.clear();
    Press(&screen, "Pic_Signos", Total(3, 1));
    QVERIFY(f.t.sounds.empty());
    Press(&screen, "Pic_Signos", Total(1, 1));
    QCOMPARE(f.t.app.allowedTotals[0][1], std::int16_t{1});
  }

  void ARefusalWritesNothingAndLeavingSavesTheDescriptionAlone() {
    Fixture f;
    BaseRecord stored = EmptyBaseRecord();  // a direct reduction, nothing marked
    stored.matchday = stored.orderNumber = stored.reductionMethod = 1;
    std::string line = BaseLine(stored);
    f.t.folder.Write("BASES.VTR", line + "\r\n");
    f.t.folder.Write("RED0101.VTR", "\"1X21X21X21X21X\"\r\n");
    Reducir screen(f.t.app, nullptr);
    screen.show();
    QString title;
    SetMessageHookForTesting([&title](Mensajes& dialog) {
      title = dialog.findChild<QLabel*>(QStringLiteral("Tex_Titulo"))->text();
      dialog.accept();
    });
    Press(&screen, "Pic_Reducir", QPoint(5, 5));
    SetMessageHookForTesting(nullptr);
    QCOMPARE(title, QStringLiteral("MULTIPLES A REDUCIR"));

    screen.findChild<QLineEdit*>(QStringLiteral("Tex_Descripcion"))->setText(QStringLiteral("Peña del Bar Ñandú"));
    Press(&screen, "Pic_Salir", QPoint(5, 5));
    QCOMPARE(f.t.folder.Read("BASES.VTR"),
             line.replace(165, 35, "Pe\xF1" "a del Bar \xD1" "and\xFA" + std::string(17, ' ')) + "\r\n");
    QCOMPARE(f.t.folder.Read("RED0101.VTR"), std::string("\"1X21X21X21X21X\"\r\n"));
  }

  void DamagedIndexFilesOpenedAndLeftStayByteIdentical() {
    BaseRecord stored = EmptyBaseRecord();
    stored.matchday = stored.orderNumber = stored.reductionMethod = 1;
    stored.description = "Peña";
    const std::string line = BaseLine(stored);
    std::string letters = line;
    letters.replace(15, 7, "  1a2b3");
    BaseRecord other = stored;
    other.orderNumber = 2;
    const std::string next = BaseLine(other) + "\r\n";
    for (const std::string& index : {
             line.substr(0, 120) + "\r\n" + next,              // the key's line cut short
             next.substr(0, 90) + "\r\n" + line + "\r\n" + next,  // shifted by a short line before it
             letters + "\r\n" + next,                            // letters in a number field
             line + "\n" + next.substr(0, 200),                   // a bare LF, a last line cut short
         }) {
      Fixture f;
      f.t.folder.Write("BASES.VTR", index);
      {
        Reducir screen(f.t.app, nullptr);
        screen.show();
        Press(&screen, "Pic_Salir", QPoint(5, 5));
      }
      QCOMPARE(f.t.folder.Read("BASES.VTR"), index);
    }
  }

  void ACancelledRunKeepsThePreviousReduction() {
    Fixture f;
    BaseRecord stored = EmptyBaseRecord();
    stored.matchday = stored.orderNumber = stored.reductionMethod = 1;
    const std::string index = BaseLine(stored) + "\r\n";
    f.t.folder.Write("BASES.VTR", index);
    f.t.folder.Write("RED0101.VTR", "\"11111111111111\"\r\n");
    Reducir screen(f.t.app, nullptr);
    screen.show();
    testing::PressAt(&screen, QPoint(40 + 20, 385 + 10));  // "Seleccionar todo"
    Press(&screen, "Pic_Elegir", CheckBox(1));
    QCOMPARE(f.t.app.directBets, 4782969);
    // Asked whether to replace the reduction: yes. The cancel press then
    // waits in the queue; the run serves it at its start.
    SetMessageHookForTesting([&f, &screen](Mensajes& dialog) {
      f.t.app.reducePressed = true;
      dialog.accept();
      QTimer::singleShot(0, &screen, [&screen] { Press(&screen, "Pic_Cancelar", QPoint(5, 5)); });
    });
    Press(&screen, "Pic_Reducir", QPoint(5, 5));
    SetMessageHookForTesting(nullptr);
    QVERIFY(screen.Busy());
    QVERIFY(Child(&screen, "Pic_SalirPorcen")->isVisible());
    QCOMPARE(f.t.folder.Read("RED0101.VTR"), std::string("\"11111111111111\"\r\n"));
    QCOMPARE(f.t.folder.Read("BASES.VTR"), index);
    QVERIFY(!f.t.folder.Exists("RED0101.VTR.~tmp"));
    Press(&screen, "Pic_SalirPorcen", QPoint(5, 5));
    QVERIFY(!screen.Busy());
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::ReducirTest)
#include "reducir_test.moc"
