// The reduction screen: from the menu press to the files, the grids' clicks
// and their edge cases, and a cancelled run.
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
  Fixture(const std::string& line = kDefaults) {
    testing::WriteGeneralDataLine(t.folder, line);
    ReadGeneralData(t.app);
    t.folder.Write("BASES.VTR", "");
  }
  GuiState t;
};

}  // namespace

class ReducirTest : public QObject {
  Q_OBJECT

 private slots:
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
      QCOMPARE(f.t.app.maxErrors, std::int16_t{1});
      QCOMPARE(f.t.app.reducedBets, 5);
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
    BaseRecord stored;
    const std::string line = f.t.folder.Read("BASES.VTR");
    QCOMPARE(line.size(), std::size_t{232});
    QCOMPARE(ParseBaseLine(line.substr(0, 230), stored), 0);
    QCOMPARE(stored.reductionMethod, std::int16_t{2});
    QCOMPARE(stored.maxErrors, std::int16_t{1});
    QCOMPARE(stored.directBets, 9);
    QCOMPARE(stored.reducedBets, 5);
    QCOMPARE(stored.baseGrid[1].probable, std::int16_t{2});
  }

  void AnEmptyKeyShowsSignOneEverywhereAndOneBet() {
    Fixture f;
    f.t.app.reductionMethod = 1;
    Reducir screen(f.t.app, nullptr);
    screen.show();
    QCOMPARE(f.t.app.directBets, 1);
    const QImage grid = screen.findChild<DrawingSurface*>(QStringLiteral("Pic_Base"))->Image();
    const QImage strip(QStringLiteral(":/signosel.png"));
    for (int m = 1; m <= 14; ++m) {
      QCOMPARE(grid.copy(3, 3 + 18 * (m - 1), 13, 15), strip.copy(0, 15, 13, 15).convertToFormat(grid.format()));
      QCOMPARE(grid.copy(18, 3 + 18 * (m - 1), 13, 15), strip.copy(13, 0, 13, 15).convertToFormat(grid.format()));
    }
  }

  void RemovingTheSecondSignOfAMarkedDoubleUnmarksItAndShrinksTheErrorLists() {
    Fixture f;
    f.t.app.reductionMethod = 2;
    Reducir screen(f.t.app, nullptr);
    screen.show();
    for (int m : {1, 2}) {
      Press(&screen, "Pic_Base", Cell(m, 2));
      Press(&screen, "Pic_Elegir", CheckBox(m));
    }
    QCOMPARE(screen.Figures().multiplesMarked, std::int16_t{2});
    Choose(&screen, QPoint(350, 160), "Lis_MinErrores", 2);
    Choose(&screen, QPoint(350, 200), "Lis_MaxErrores", 2);
    auto* minList = screen.findChild<PickList*>(QStringLiteral("Lis_MinErrores"));
    QCOMPARE(minList->count(), 3);
    Press(&screen, "Pic_Base", Cell(2, 2));  // match 2 back to one sign
    QCOMPARE(f.t.app.baseGrid[1].marked, std::int16_t{0});
    QCOMPARE(screen.Figures().multiplesMarked, std::int16_t{1});
    QCOMPARE(minList->count(), 2);
    QCOMPARE(f.t.app.minErrors, std::int16_t{1});
    QCOMPARE(f.t.app.maxErrors, std::int16_t{1});
    // The probable column of an unmarked match takes no click.
    const auto before = f.t.app.baseGrid[2];
    f.t.sounds.clear();
    Press(&screen, "Pic_ColBas", Cell(3, 1));
    QCOMPARE(f.t.app.baseGrid[2], before);
    QVERIFY(f.t.sounds.empty());
    // A click in the gap between two rows hits nothing.
    Press(&screen, "Pic_Base", QPoint(8, 3 + 15 + 1));
    QVERIFY(f.t.sounds.empty());

    // The pencil over a sign a click would add, the eraser over one it would remove.
    QWidget* base = Child(&screen, "Pic_Base");
    QTest::mouseMove(base, Cell(5, 3));
    QCOMPARE(testing::PointerOf(base), QStringLiteral("lapiz"));
    Press(&screen, "Pic_Base", Cell(5, 3));
    QCOMPARE(testing::PointerOf(base), QStringLiteral("goma"));
    QTest::mouseMove(base, QPoint(47, 5));
    QCOMPARE(testing::PointerOf(base), QStringLiteral("normal"));
  }

  void AnUnreachableTotalCannotBeSwitchedOn() {
    Fixture f;
    f.t.app.reductionMethod = 3;
    Reducir screen(f.t.app, nullptr);
    screen.show();
    Press(&screen, "Pic_Base", Cell(1, 2));
    Press(&screen, "Pic_Elegir", CheckBox(1));
    // One marked match carrying 1 and X: totals 0 and 1 of those, only 0 of "2".
    Press(&screen, "Pic_Signos", Total(1, 2));
    QCOMPARE(f.t.app.allowedTotals[0][2], std::int16_t{0});
    Press(&screen, "Pic_Signos", Total(3, 1));
    QCOMPARE(f.t.app.allowedTotals[2][1], std::int16_t{0});
    Press(&screen, "Pic_Signos", Total(1, 1));
    QCOMPARE(f.t.app.allowedTotals[0][1], std::int16_t{1});
    // Unmarking the match makes total 1 unreachable: the recomputation clears it.
    Press(&screen, "Pic_Elegir", CheckBox(1));
    QCOMPARE(f.t.app.allowedTotals[0][1], std::int16_t{0});
  }

  void TheDescriptionAloneIsSavedOnLeaving() {
    Fixture f;
    f.t.app.reductionMethod = 1;
    {
      Reducir screen(f.t.app, nullptr);
    screen.show();
      Press(&screen, "Pic_Base", Cell(1, 2));
      Press(&screen, "Pic_Base", Cell(2, 2));
      Press(&screen, "Pic_Elegir", CheckBox(1));
      Press(&screen, "Pic_Elegir", CheckBox(2));
      Press(&screen, "Pic_Reducir", QPoint(5, 5));
      Press(&screen, "Pic_SalirPorcen", QPoint(5, 5));
      Press(&screen, "Pic_Salir", QPoint(5, 5));
    }
    const std::string columns = f.t.folder.Read("RED0101.VTR");
    QVERIFY(!columns.empty());
    Reducir screen(f.t.app, nullptr);
    screen.show();
    auto* text = screen.findChild<QLineEdit*>(QStringLiteral("Tex_Descripcion"));
    text->setText(QStringLiteral("Peña del Bar Ñandú"));
    Press(&screen, "Pic_Salir", QPoint(5, 5));
    QVERIFY(!f.t.app.reshowReductionScreen);
    BaseRecord stored;
    QCOMPARE(ParseBaseLine(f.t.folder.Read("BASES.VTR").substr(0, 230), stored), 0);
    QCOMPARE(stored.description, std::string("Pe\xF1" "a del Bar \xD1" "and\xFA"));
    QCOMPARE(f.t.folder.Read("RED0101.VTR"), columns);
  }

  void ARefusalShowsItsTitleAndWritesNothing() {
    Fixture f;
    f.t.app.reductionMethod = 1;
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
    QVERIFY(!f.t.folder.Exists("RED0101.VTR"));
    QCOMPARE(f.t.folder.Read("BASES.VTR"), std::string());
  }

  void ACancelledRunLeavesNeitherEntryNorFile() {
    Fixture f;
    f.t.app.reductionMethod = 2;
    Reducir screen(f.t.app, nullptr);
    screen.show();
    testing::PressAt(&screen, QPoint(40 + 20, 385 + 10));  // "Seleccionar todo": 3^14 columns
    for (int m = 1; m <= 14; ++m) {
      Press(&screen, "Pic_Elegir", CheckBox(m));
      Press(&screen, "Pic_ColBas", Cell(m, 1));
    }
    Choose(&screen, QPoint(350, 200), "Lis_MaxErrores", 14);
    QCOMPARE(f.t.app.reducedBets, 4782969);
    // The cancel press waits in the queue; the run serves it at its start.
    QTimer::singleShot(0, &screen, [&screen] { Press(&screen, "Pic_Cancelar", QPoint(5, 5)); });
    Press(&screen, "Pic_Reducir", QPoint(5, 5));
    QVERIFY(screen.Busy());
    QVERIFY(Child(&screen, "Pic_SalirPorcen")->isVisible());
    QVERIFY(!f.t.folder.Exists("RED0101.VTR"));
    QCOMPARE(f.t.folder.Read("BASES.VTR").substr(0, 4), std::string("0000"));
    Press(&screen, "Pic_SalirPorcen", QPoint(5, 5));
    QVERIFY(!screen.Busy());
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::ReducirTest)
#include "reducir_test.moc"
