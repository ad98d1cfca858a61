// The scrutiny screen: from the menu press to the lists, the winning grid's
// clicks, the prize boxes, loading other reductions, the index, and the
// report on a recording printer and as a real PDF whose page is checked as
// a picture.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <algorithm>
#include <filesystem>

#include "app/general_data.h"
#include "app/mensajes.h"
#include "app/section_screen.h"
#include "app/vetra.h"
#include "matchdays/matchday_file.h"
#include "matchdays/selection_lists.h"
#include "platform/help_viewer.h"
#include "platform/qt_printer.h"
#include "reductions/base_file.h"
#include "scrutiny/escrutin.h"
#include "tests/scrutiny/seventeen_columns.h"
#include "tests/support/gui_support.h"
#include "tests/support/recording_printer.h"

namespace vetra {
namespace {

using testing::GuiState;
using testing::kWinning;
using testing::SeventeenColumns;

const std::string kDefaults = "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"";

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// Presses `button` of the print preview as soon as it is shown; `pages` gets
// the number of pages it showed.
void AnswerPreview(const char* button, int* pages = nullptr) {
  testing::WhenModal([button, pages](QWidget* preview) {
    QCOMPARE(preview->objectName(), QStringLiteral("vistaPrevia"));
    if (pages) *pages = preview->findChild<QPrintPreviewWidget*>(QStringLiteral("paginas"))->pageCount();
    QTest::mouseClick(preview->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
  });
}

// Matchday 1 never scrutinised; matchday 2 with a stored winning column
// (match 14 without sign) and two prizes.
std::string MatchdayFile() {
  std::string one = "Jor01" "01/09/02";
  for (int k = 1; k <= 28; ++k) {
    const std::string name = "Equipo " + std::to_string(k);
    one += name + Blanks(15 - name.size());
  }
  one += Blanks(533 - one.size());
  std::string two = one;
  two.replace(3, 10, "02" "08/09/02");
  two.replace(463, 14, "31231231231230");
  two.replace(478, 22, "     1500.5" "         20");
  return one + two;
}

std::string IndexLine(int matchday, int order, int method) {
  BaseRecord r = EmptyBaseRecord();
  r.matchday = static_cast<std::int16_t>(matchday);
  r.orderNumber = static_cast<std::int16_t>(order);
  r.reductionMethod = static_cast<std::int16_t>(method);
  r.directBets = 81;
  r.reducedBets = 17;
  r.description = "Prueba " + std::to_string(order);
  return BaseLine(r) + "\r\n";
}

// Centre of the cell of (match, sign) in the winning grid.
QPoint Cell(int match, int sign) { return {15 * sign - 6, 18 * match - 7}; }

QWidget* Child(QWidget* screen, const QString& name) { return screen->findChild<QWidget*>(name); }
QLineEdit* PrizeBox(QWidget* screen, int k) {
  return screen->findChild<QLineEdit*>(QStringLiteral("Tex_Premios(%1)").arg(k));
}
QStringList Lines(QWidget* screen, const char* list) {
  QStringList lines;
  auto* widget = screen->findChild<QListWidget*>(QString::fromLatin1(list));
  for (int i = 0; i < widget->count(); ++i) lines << widget->item(i)->text();
  return lines;
}

void Press(QWidget* screen, const QString& control, QPoint at = {5, 5}) {
  QTest::mouseClick(Child(screen, control), Qt::LeftButton, {}, at);
}
void PressGrid(QWidget* screen, int match, int sign) {
  Press(screen, QStringLiteral("Pic_Ganadora"), Cell(match, sign));
}

// Clicks the signs of `column` that are not marked yet.
void MarkWinningColumn(Escrutin* screen, const std::string& column) {
  for (int m = 1; m <= 14; ++m) {
    const int sign = static_cast<int>(std::string("1X2").find(column[m - 1])) + 1;
    if (!screen->Entry().grid[m - 1][sign - 1]) PressGrid(screen, m, sign);
  }
}

// Types into a prize box and leaves it for the next one.
void TypePrize(QWidget* screen, int k, const QString& text) {
  QLineEdit* box = PrizeBox(screen, k);
  box->setFocus();
  box->selectAll();
  QTest::keyClicks(box, text);
  PrizeBox(screen, k % 5 + 1)->setFocus();
}

// Opens a panel's list and clicks entry `entry` of it.
void Choose(QWidget* screen, QPoint panel, const char* list, int entry) {
  testing::PressAt(screen, panel);
  auto* pick = screen->findChild<PickList*>(QString::fromLatin1(list));
  QVERIFY(pick->isVisible());
  QTest::mouseClick(pick->viewport(), Qt::LeftButton, {}, pick->visualItemRect(pick->item(entry)).center());
}

// The title of the next message dialog, which is closed.
struct MessageCatcher {
  MessageCatcher() {
    SetMessageHookForTesting([this](Mensajes& dialog) {
      titles << dialog.findChild<QLabel*>(QStringLiteral("Tex_Titulo"))->text();
      texts << dialog.findChild<QWidget*>(QStringLiteral("Tex_Mensaje"))->property("text").toString();
      dialog.accept();
    });
  }
  ~MessageCatcher() { SetMessageHookForTesting(nullptr); }
  QStringList titles;
  QStringList texts;
};

struct Fixture {
  Fixture() {
    testing::WriteGeneralDataLine(t.folder, kDefaults);
    ReadGeneralData(t.app);
    t.folder.Write("JORNADAS.VTR", MatchdayFile());
    t.folder.Write("BASES.VTR", IndexLine(1, 1, 1) + IndexLine(1, 2, 2) + IndexLine(2, 1, 3));
    t.folder.Write("RED0101.VTR", SeventeenColumns());
  }
  std::string Record(int matchday) const { return t.folder.Read("JORNADAS.VTR").substr(533 * (matchday - 1), 533); }
  GuiState t;
};

struct Screen {
  explicit Screen(Fixture& f) : screen(f.t.app, nullptr) {
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    f.t.sounds.clear();
  }
  Escrutin screen;
};

const QStringList kSeventeenHitLines = {
    "Total premios: 1001520.50", "  14       1   1000000.00", "  13       1      1500.50",
    "  12       1        20.00", "  11       0   ",            "  10       0   ",
    "   9       0   ",            "   8       0   ",            "   7       0   ",
    "   6       0   ",            "   5       0   ",            "   4      14   ",
    "   3       0   ",            "   2       0   ",            "   1       0   ",
    "   0       0   "};
const QStringList kSeventeenSlipLines = {"     1    1  1         ", "     3          1      "};

}  // namespace

class EscrutinTest : public QObject {
  Q_OBJECT

 private slots:
  void FromTheMenuButtonToTheLists() {
    Fixture f;
    MainMenu menu(f.t.app);
    menu.show();
    testing::PressAt(&menu, QPoint(310, 280));
    auto* screen = menu.findChild<Escrutin*>(QStringLiteral("escrutin"));
    QVERIFY(screen && screen->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(screen->windowTitle(), QStringLiteral("Escrutinio de columnas reducidas con el Método Directo"));
    QCOMPARE(screen->width(), 607);
    screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen));
    QCOMPARE(testing::PointerOf(Child(screen, QStringLiteral("Pic_Imprimir"))), QStringLiteral("nodrop"));

    MarkWinningColumn(screen, kWinning);
    TypePrize(screen, 1, QStringLiteral("1000000"));
    TypePrize(screen, 2, QStringLiteral("1500.50"));
    TypePrize(screen, 3, QStringLiteral("20"));
    QCOMPARE(PrizeBox(screen, 2)->text(), QStringLiteral("1500.5"));
    f.t.sounds.clear();
    Press(screen, QStringLiteral("Pic_Escrutar"));
    QCOMPARE(f.t.sounds, std::vector<int>{9});
    QCOMPARE(Lines(screen, "Lis_Aciertos"), kSeventeenHitLines);
    QCOMPARE(Lines(screen, "Lis_Boletos"), kSeventeenSlipLines);
    QCOMPARE(Child(screen, QStringLiteral("Lis_Aciertos"))->width(), 196);
    QCOMPARE(Child(screen, QStringLiteral("Lis_Boletos"))->width(), 178);
    QCOMPARE(testing::PointerOf(Child(screen, QStringLiteral("Pic_Imprimir"))), QStringLiteral("manoindice"));
    const std::string record = f.Record(1);
    QCOMPARE(record.substr(0, 13), std::string("Jor01" "01/09/02"));
    QCOMPARE(record.substr(463, 14), std::string("12312312312312"));
    // Box 4 had the focus last: leaving it for the button wrote its "0".
    QCOMPARE(record.substr(478), std::string("    1000000" "     1500.5" "         20" "          0") + Blanks(11));

    // The next press on the menu closes the screen, whatever it hits.
    QPointer<QWidget> closing(screen);
    testing::PressAt(&menu, QPoint(5, 5));
    QTRY_VERIFY(!closing);
  }

  void TheWinningGridTakesOneSignPerMatch() {
    Fixture f;
    Screen s(f);
    const QImage strip(QStringLiteral(":/signosel.png"));
    auto cellImage = [&s](int match, int sign) {
      const QImage grid = s.screen.findChild<DrawingSurface*>(QStringLiteral("Pic_Ganadora"))->Image();
      return grid.copy(15 * (sign - 1) + 3, 18 * (match - 1) + 3, 13, 15);
    };
    auto glyph = [&strip, &cellImage](int sign, bool marked) {
      return strip.copy(13 * (sign - 1), marked ? 15 : 0, 13, 15).convertToFormat(cellImage(1, 1).format());
    };
    QCOMPARE(cellImage(5, 2), glyph(2, false));

    PressGrid(&s.screen, 5, 2);
    QCOMPARE(f.t.sounds, std::vector<int>{1});
    QCOMPARE(s.screen.Entry().grid[4], (std::array<std::int16_t, 3>{0, 1, 0}));
    QCOMPARE(cellImage(5, 2), glyph(2, true));
    PressGrid(&s.screen, 5, 1);  // "1" while "X" is marked: only "1"
    QCOMPARE(s.screen.Entry().grid[4], (std::array<std::int16_t, 3>{1, 0, 0}));
    QCOMPARE(cellImage(5, 1), glyph(1, true));
    QCOMPARE(cellImage(5, 2), glyph(2, false));
    PressGrid(&s.screen, 5, 1);  // the marked sign clears the match
    QCOMPARE(s.screen.Entry().grid[4], (std::array<std::int16_t, 3>{0, 0, 0}));
    QCOMPARE(cellImage(5, 1), glyph(1, false));

    // Gaps and margins hit nothing and make no sound.
    f.t.sounds.clear();
    for (QPoint at : {QPoint(17, 80), QPoint(10, 20), QPoint(3, 10), QPoint(10, 3), QPoint(48, 10)})
      Press(&s.screen, QStringLiteral("Pic_Ganadora"), at);
    QVERIFY(f.t.sounds.empty());
    QCOMPARE(s.screen.Entry().grid, WinningGrid{});

    // The pencil over an empty cell, the eraser over a marked one.
    QWidget* grid = Child(&s.screen, QStringLiteral("Pic_Ganadora"));
    PressGrid(&s.screen, 1, 3);
    QCOMPARE(testing::PointerOf(grid), QStringLiteral("goma"));
    QTest::mouseMove(grid, Cell(2, 3));
    QCOMPARE(testing::PointerOf(grid), QStringLiteral("lapiz"));
    QTest::mouseMove(grid, QPoint(17, 80));
    QCOMPARE(testing::PointerOf(grid), QStringLiteral("normal"));
  }

  void PrizeBoxesDropLettersAndAreNormalisedOnLeaving() {
    Fixture f;
    Screen s(f);
    QLineEdit* box = PrizeBox(&s.screen, 4);
    QCOMPARE(box->text(), QString());  // nothing stored yet for matchday 1
    QCOMPARE(box->maxLength(), 11);
    TypePrize(&s.screen, 4, QStringLiteral("12a5"));
    QCOMPARE(box->text(), QStringLiteral("125"));
    TypePrize(&s.screen, 4, QStringLiteral("1.2.3"));
    QCOMPARE(box->text(), QStringLiteral("1.2"));
    TypePrize(&s.screen, 4, QStringLiteral("007"));
    QCOMPARE(box->text(), QStringLiteral("7"));
    QCOMPARE(s.screen.Entry().prizes[3], 7.0);
  }

  void AnIncompleteColumnIsStoredAndRefused() {
    Fixture f;
    Screen s(f);
    MarkWinningColumn(&s.screen, kWinning);
    PressGrid(&s.screen, 14, 2);  // the marked "X" of match 14 cleared
    MessageCatcher messages;
    Press(&s.screen, QStringLiteral("Pic_Escrutar"));
    QCOMPARE(messages.titles, QStringList{QStringLiteral("COLUMNA GANADORA INCOMPLETA")});
    QVERIFY(Lines(&s.screen, "Lis_Aciertos").isEmpty());
    QVERIFY(!s.screen.PrintingAvailable());
    QCOMPARE(f.Record(1).substr(463, 14), std::string("12312312312310"));
  }

  void ChoosingMatchdayAndOrderLoadsTheirReductionAndResults() {
    Fixture f;
    Screen s(f);
    MarkWinningColumn(&s.screen, kWinning);
    Press(&s.screen, QStringLiteral("Pic_Escrutar"));
    QVERIFY(s.screen.PrintingAvailable());

    // The same matchday again: no reload, the results stay.
    f.t.sounds.clear();
    Choose(&s.screen, QPoint(50, 30), "Lis_Jornadas", 0);
    QCOMPARE(f.t.sounds, (std::vector<int>{6, 7}));
    QCOMPARE(Lines(&s.screen, "Lis_Boletos"), kSeventeenSlipLines);
    QVERIFY(s.screen.PrintingAvailable());

    // Order 2 is a probable-column reduction: the wide layout.
    Choose(&s.screen, QPoint(200, 30), "Lis_Orden", 1);
    QCOMPARE(f.t.app.currentOrder, std::int16_t{2});
    QCOMPARE(f.t.app.reductionMethod, std::int16_t{2});
    QVERIFY(Lines(&s.screen, "Lis_Aciertos").isEmpty());
    QVERIFY(!s.screen.PrintingAvailable());
    QCOMPARE(s.screen.width(), 637);
    QCOMPARE(s.screen.windowTitle(),
             QStringLiteral("Escrutinio de columnas reducidas con el Método de Columna Probable"));
    QVERIFY(Child(&s.screen, QStringLiteral("Pic_ColBas"))->isVisible());
    QVERIFY(!Child(&s.screen, QStringLiteral("Pic_Signos"))->isVisible());
    QCOMPARE(f.t.app.orderListLeft, std::int16_t{248});
    // The grid and prizes came back from the record as the run stored them.
    QCOMPARE(WinningColumnText(s.screen.Entry().grid), kWinning);

    // Matchday 2: order 1 again, the sign-selection method, its stored entry.
    Choose(&s.screen, QPoint(50, 30), "Lis_Jornadas", 1);
    QCOMPARE(f.t.app.currentMatchday, std::int16_t{2});
    QCOMPARE(f.t.app.currentOrder, std::int16_t{1});
    QCOMPARE(f.t.app.reductionMethod, std::int16_t{3});
    QCOMPARE(s.screen.width(), 637);
    QVERIFY(Child(&s.screen, QStringLiteral("Pic_Signos"))->isVisible());
    QCOMPARE(PrizeBox(&s.screen, 1)->text(), QStringLiteral("1500.5"));
    QCOMPARE(PrizeBox(&s.screen, 2)->text(), QStringLiteral("20"));
    QCOMPARE(s.screen.Entry().prizes[1], 20.0);
    QCOMPARE(s.screen.Entry().grid[0], (std::array<std::int16_t, 3>{0, 0, 1}));
    QCOMPARE(s.screen.Entry().grid[13], (std::array<std::int16_t, 3>{}));
    // No column file: the run ends silently with empty lists.
    MarkWinningColumn(&s.screen, "2" + kWinning.substr(1));
    Press(&s.screen, QStringLiteral("Pic_Escrutar"));
    QVERIFY(Lines(&s.screen, "Lis_Aciertos").isEmpty());
    QVERIFY(!s.screen.PrintingAvailable());
  }

  void AMissingReductionIndexIsReportedAfterTheLoad() {
    Fixture f;
    std::filesystem::remove(f.t.folder.File("BASES.VTR"));
    std::filesystem::create_directory(f.t.folder.File("BASES.VTR"));  // unreadable as a file
    MessageCatcher messages;
    Escrutin screen(f.t.app, nullptr);
    QVERIFY(messages.titles.contains(QStringLiteral("ERROR EN JORNADA/ORDEN")));
    QVERIFY(messages.texts.last().startsWith(QStringLiteral("No existe una reducción que coincida")));
  }

  void TheSummaryBlockOnlyUnderAStoredReduction() {
    Fixture f;
    Screen s(f);
    const QColor cyan(0, 255, 255);
    // Method 1: the cyan box from x = 20, y = 369, 240 by 64.
    QCOMPARE(testing::SurfaceImage(&s.screen).pixelColor(21, 370), cyan);
    QCOMPARE(testing::SurfaceImage(&s.screen).pixelColor(259, 432), cyan);
    QVERIFY(testing::SurfaceImage(&s.screen).pixelColor(261, 400) != cyan);
    Choose(&s.screen, QPoint(200, 30), "Lis_Orden", 4);  // order 5 was never stored
    QCOMPARE(f.t.app.directBets, 1);
    QVERIFY(testing::SurfaceImage(&s.screen).pixelColor(21, 370) != cyan);
  }

  void HelpAtItsTopicAndLeavingWithItsSound() {
    Fixture f;
    Screen s(f);
    Press(&s.screen, QStringLiteral("Pic_Ayuda"));
    QCOMPARE(f.t.sounds, std::vector<int>{9});
    QVERIFY(HelpWindow() && HelpWindow()->source().toString().endsWith(QStringLiteral("2500.html")));
    HelpWindow()->close();
    f.t.sounds.clear();
    Press(&s.screen, QStringLiteral("Pic_Salir"));
    QCOMPARE(f.t.sounds, std::vector<int>{5});
    QVERIFY(!s.screen.isVisible());
  }

  void TheIndexLoadsThePickedReduction() {
    Fixture f;
    Screen s(f);
    testing::WhenModal([](QWidget* historic) {
      QCOMPARE(historic->objectName(), QStringLiteral("historic"));
      // The third line of the binder: matchday 2, order 1.
      QTest::mouseClick(historic->findChild<QWidget*>(QStringLiteral("Pic_Carpeta")), Qt::LeftButton, {},
                        QPoint(200, 34 + 16 * 2 + 8));
    });
    Press(&s.screen, QStringLiteral("Pic_Indice"));
    QCOMPARE(f.t.app.currentMatchday, std::int16_t{2});
    QCOMPARE(f.t.app.currentOrder, std::int16_t{1});
    QCOMPARE(s.screen.findChild<PickList*>(QStringLiteral("Lis_Jornadas"))->currentRow(), 1);
    QCOMPARE(PrizeBox(&s.screen, 1)->text(), QStringLiteral("1500.5"));
    QCOMPARE(f.t.sounds.front(), 9);
  }

  void PrintingWaitsForARunAndThenPrintsTheReport() {
    Fixture f;
    Screen s(f);
    // The recording printer hands its operations over when the screen is
    // done with it.
    int made = 0;
    std::vector<testing::PrintedOperation> operations;
    SetScrutinyPrinterForTesting([&made, &operations] {
      struct Handing : testing::RecordingPrinter {
        explicit Handing(std::vector<testing::PrintedOperation>& out) : out(out) {}
        ~Handing() override { out = operations; }
        std::vector<testing::PrintedOperation>& out;
      };
      ++made;
      return std::make_unique<Handing>(operations);
    });
    Press(&s.screen, QStringLiteral("Pic_Imprimir"));
    QCOMPARE(made, 0);
    QVERIFY(f.t.sounds.empty());

    MarkWinningColumn(&s.screen, kWinning);
    TypePrize(&s.screen, 3, QStringLiteral("20"));
    Press(&s.screen, QStringLiteral("Pic_Escrutar"));
    f.t.sounds.clear();
    // Looked at and left: nothing goes to the printer.
    int pages = 0;
    AnswerPreview("cancelar", &pages);
    Press(&s.screen, QStringLiteral("Pic_Imprimir"));
    QCOMPARE(pages, 1);
    QCOMPARE(made, 0);
    AnswerPreview("imprimir");
    Press(&s.screen, QStringLiteral("Pic_Imprimir"));
    SetScrutinyPrinterForTesting(nullptr);
    QCOMPARE(made, 1);
    QCOMPARE(f.t.sounds, (std::vector<int>{9, 9}));
    QVERIFY(!operations.empty());
    QCOMPARE(operations.back().op, testing::PrinterOp::EndJob);
    const auto printed = [&operations](const std::string& start) {
      return std::any_of(operations.begin(), operations.end(),
                         [&](const auto& o) { return o.text.starts_with(start); });
    };
    QVERIFY(printed("   Escrutinio de la jornada nro.  1 de fecha 01/09/02 (Orden  1)"));
    QVERIFY(printed("     1 columna  de 12 aciertos.:         20"));
  }

  void TheReportAsAPdfWhenThereIsNoPrinter() {
    Fixture f;
    Screen s(f);
    const std::string pdfFolder = f.t.folder.File("pdf");
    SetScrutinyPrinterForTesting(
        [pdfFolder] { return std::make_unique<QtPrinter>(pdfFolder, QtPrinter::Output::Pdf); });
    MarkWinningColumn(&s.screen, kWinning);
    TypePrize(&s.screen, 1, QStringLiteral("1000000"));
    TypePrize(&s.screen, 2, QStringLiteral("1500.5"));
    TypePrize(&s.screen, 3, QStringLiteral("20"));
    Press(&s.screen, QStringLiteral("Pic_Escrutar"));
    MessageCatcher messages;
    AnswerPreview("imprimir");
    Press(&s.screen, QStringLiteral("Pic_Imprimir"));
    SetScrutinyPrinterForTesting(nullptr);
    QCOMPARE(messages.titles, QStringList{QStringLiteral("ESCRUTINIO EN PDF")});
    std::string pdf;
    for (const auto& entry : std::filesystem::directory_iterator(pdfFolder)) pdf = entry.path().string();
    QVERIFY(!pdf.empty());
    QVERIFY(messages.texts.front().contains(QString::fromStdString(pdf)));

    // Page one at 100 dots per inch: 14.4 twips to a dot.
    const QString prefix = QString::fromStdString(f.t.folder.File("page"));
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                                             QStringLiteral("-singlefile"), QString::fromStdString(pdf), prefix});
    QVERIFY(render.waitForFinished());
    const QImage page = QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
    QVERIFY(!page.isNull());
    auto inkIn = [&page](QRect twips) {
      const QRect dots(qRound(twips.x() / 14.4), qRound(twips.y() / 14.4), qRound(twips.width() / 14.4),
                       qRound(twips.height() / 14.4));
      int ink = 0;
      for (int y = dots.top(); y <= dots.bottom(); ++y)
        for (int x = dots.left(); x <= dots.right(); ++x) ink += qGray(page.pixel(x, y)) < 128;
      return ink;
    };
    // Text where the report puts it, and blank paper between.
    QVERIFY(inkIn(QRect(6000, 1500, 3000, 200)) > 20);   // "Premios a repartir por categoría"
    QVERIFY(inkIn(QRect(6050, 2150, 3000, 200)) > 20);   // the 14-hit prize
    QVERIFY(inkIn(QRect(1800, 5950, 4000, 200)) > 20);   // the first category line
    QVERIFY(inkIn(QRect(2850, 10100, 4000, 200)) > 20);  // the total
    QVERIFY(inkIn(QRect(2800, 11850, 2000, 200)) > 10);  // slip 1
    QCOMPARE(inkIn(QRect(6000, 4000, 4000, 1200)), 0);
    QCOMPARE(inkIn(QRect(0, 13000, 11000, 3000)), 0);    // under the last slip line's total
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::EscrutinTest)
#include "escrutin_test.moc"
