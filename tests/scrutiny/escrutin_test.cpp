// The scrutiny screen: from the menu press to the lists, the stored record
// and the printed report; the winning grid's clicks; loading other
// reductions from the lists and the index.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <cmath>
#include <functional>
#include <filesystem>

#include "app/general_data.h"
#include "app/mensajes.h"
#include "app/section_screen.h"
#include "app/vetra.h"
#include "matchdays/selection_lists.h"
#include "output/print_job.h"
#include "output/salida.h"
#include "platform/help_viewer.h"
#include "platform/qt_printer.h"
#include "reductions/consredu.h"
#include "scrutiny/escrutin.h"
#include "tests/scrutiny/seventeen_columns.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

using testing::kWinning;

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
  QTest::mouseClick(screen->findChild<QWidget*>(control), Qt::LeftButton, {}, at);
}
// A press in the middle of the cell of (match, sign) of the winning grid.
void PressGrid(QWidget* screen, int match, int sign) {
  Press(screen, QStringLiteral("Pic_Ganadora"), {15 * sign - 6, 18 * match - 7});
}

// Marks the winning column on an empty grid.
void MarkWinningColumn(QWidget* screen) {
  for (int m = 1; m <= 14; ++m) PressGrid(screen, m, static_cast<int>(std::string("1X2").find(kWinning[m - 1])) + 1);
}

// Types into a prize box and leaves it for the next one.
void TypePrize(QWidget* screen, int k, const QString& text) {
  PrizeBox(screen, k)->setFocus();
  PrizeBox(screen, k)->selectAll();
  QTest::keyClicks(PrizeBox(screen, k), text);
  PrizeBox(screen, k % 5 + 1)->setFocus();
}

// Opens a panel's list and clicks entry `entry` of it.
void Choose(QWidget* screen, QPoint panel, const char* list, int entry) {
  testing::PressAt(screen, panel);
  auto* pick = screen->findChild<PickList*>(QString::fromLatin1(list));
  QTest::mouseClick(pick->viewport(), Qt::LeftButton, {}, pick->visualItemRect(pick->item(entry)).center());
}

// The runs of columns of `area` holding ink, apart by more than two columns.
struct Span {
  int left, right;
};
QList<Span> InkSpans(const QImage& image, const QRect& area, const std::function<bool(QColor)>& ink) {
  QList<Span> spans;
  for (int x = area.left(); x <= area.right(); ++x) {
    bool inked = false;
    for (int y = area.top(); y <= area.bottom() && !inked; ++y) inked = ink(image.pixelColor(x, y));
    if (!inked) continue;
    if (!spans.isEmpty() && x - spans.last().right <= 3)
      spans.last().right = x;
    else
      spans.append({x, x});
  }
  return spans;
}

// The titles of the message dialogs, which are closed.
struct MessageCatcher {
  MessageCatcher() {
    SetMessageHookForTesting([this](Mensajes& dialog) {
      titles << dialog.findChild<QLabel*>(QStringLiteral("Tex_Titulo"))->text();
      dialog.accept();
    });
  }
  ~MessageCatcher() { SetMessageHookForTesting(nullptr); }
  QStringList titles;
};

// Matchday 1 never scrutinised, with orders 1 (the 17 columns, direct
// method) and 2 (probable column); matchday 2 with order 1 (sign selection),
// a stored winning column (match 14 without sign) and two prizes.
struct Fixture {
  Fixture() {
    testing::WriteGeneralDataLine(t.folder, "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"");
    ReadGeneralData(t.app);
    t.folder.Write("JORNADAS.VTR", "Jor01" "01/09/02" + std::string(520, ' ') + "Jor02" "08/09/02" +
                                       std::string(450, ' ') + "31231231231230 " "     1500.5" "         20" +
                                       std::string(33, ' '));
    const std::string rest(225, ' ');  // of an index line after its key and method
    t.folder.Write("BASES.VTR", "01011" + rest + "\r\n01022" + rest + "\r\n02013" + rest + "\r\n");
    t.folder.Write("RED0101.VTR", testing::SeventeenColumns());
  }
  Escrutin* Open() {
    screen = std::make_unique<Escrutin>(t.app, nullptr);
    screen->show();
    screen->activateWindow();
    if (!QTest::qWaitForWindowActive(screen.get())) qWarning("the screen never became active");
    t.sounds.clear();
    return screen.get();
  }
  std::string Record(int matchday) const { return t.folder.Read("JORNADAS.VTR").substr(533 * (matchday - 1), 533); }
  testing::GuiState t;
  std::unique_ptr<Escrutin> screen;
};

const QStringList kSeventeenSlipLines = {"     1    1  1         ", "     3          1      "};

}  // namespace

class EscrutinTest : public QObject {
  Q_OBJECT

 private slots:
  // Without a printer the report goes to a PDF.
  void FromTheMenuButtonToTheListsTheRecordAndTheReport() {
    Fixture f;
    const std::string pdfFolder = f.t.folder.File("pdf");
    SetPrinterForTesting(
        [pdfFolder] { return std::make_unique<QtPrinter>(pdfFolder, QtPrinter::Output::Pdf); });
    MainMenu menu(f.t.app);
    menu.show();
    testing::PressAt(&menu, QPoint(310, 280));
    auto* screen = menu.findChild<Escrutin*>(QStringLiteral("escrutin"));
    QVERIFY(screen && screen->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen));
    f.t.sounds.clear();
    Press(screen, QStringLiteral("Pic_Imprimir"));  // nothing to print yet
    QVERIFY(f.t.sounds.empty());

    MarkWinningColumn(screen);
    TypePrize(screen, 1, QStringLiteral("1000000"));
    TypePrize(screen, 2, QStringLiteral("1500.a50"));  // the letter goes at once, the 0 on leaving
    TypePrize(screen, 3, QStringLiteral("20"));
    f.t.sounds.clear();
    Press(screen, QStringLiteral("Pic_Escrutar"));
    QCOMPARE(f.t.sounds, std::vector<int>{9});
    QCOMPARE(Lines(screen, "Lis_Aciertos").first(), QStringLiteral("Total premios: 1001520.50"));
    QCOMPARE(Lines(screen, "Lis_Boletos"), kSeventeenSlipLines);
    // Box 4 had the focus last: leaving it for the button wrote its "0".
    QCOMPARE(f.Record(1).substr(463),
             std::string("12312312312312 " "    1000000" "     1500.5" "         20" "          0" "           "));

    // The report looked at and left: nothing goes to the printer.
    const auto preview = [](const char* button) {
      testing::WhenModal([button](QWidget* preview) {
        QTest::mouseClick(preview->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
      });
    };
    preview("cancelar");
    Press(screen, QStringLiteral("Pic_Imprimir"));
    QVERIFY(!std::filesystem::exists(pdfFolder));
    MessageCatcher messages;
    preview("imprimir");
    Press(screen, QStringLiteral("Pic_Imprimir"));
    SetPrinterForTesting(nullptr);
    QCOMPARE(messages.titles, QStringList{QStringLiteral("ESCRUTINIO EN PDF")});
    QVERIFY(!std::filesystem::is_empty(pdfFolder));
  }

  void TheWinningGridTakesOneSignPerMatchAndARunNeedsAll() {
    Fixture f;
    Escrutin* s = f.Open();
    const QImage strip(QStringLiteral(":/signosel.png"));
    auto shows = [s, &strip](int match, int sign, bool marked) {
      const QImage grid = s->findChild<DrawingSurface*>(QStringLiteral("Pic_Ganadora"))->Image();
      const QImage cell = grid.copy(15 * (sign - 1) + 3, 18 * (match - 1) + 3, 13, 15);
      return cell == strip.copy(13 * (sign - 1), marked ? 15 : 0, 13, 15).convertToFormat(cell.format());
    };
    QVERIFY(shows(5, 2, false));
    PressGrid(s, 5, 2);
    QCOMPARE(f.t.sounds, std::vector<int>{1});
    QVERIFY(shows(5, 2, true));
    PressGrid(s, 5, 1);  // "1" while "X" is marked: only "1"
    QVERIFY(shows(5, 1, true) && shows(5, 2, false));
    PressGrid(s, 5, 1);  // the marked sign clears the match
    QVERIFY(shows(5, 1, false));

    // A run without all fourteen signs stores them and is refused.
    PressGrid(s, 1, 3);
    MessageCatcher messages;
    Press(s, QStringLiteral("Pic_Escrutar"));
    QCOMPARE(messages.titles, QStringList{QStringLiteral("COLUMNA GANADORA INCOMPLETA")});
    QVERIFY(Lines(s, "Lis_Aciertos").isEmpty());
    QCOMPARE(f.Record(1).substr(463, 14), std::string("30000000000000"));
  }

  void ChoosingMatchdayAndOrderLoadsTheirReductionAndResults() {
    Fixture f;
    Escrutin* s = f.Open();
    MarkWinningColumn(s);
    TypePrize(s, 3, QStringLiteral("99999999999"));
    Press(s, QStringLiteral("Pic_Escrutar"));
    // An amount wider than the usual lines is shown whole, inside the frame.
    auto* aciertos = s->findChild<QListWidget*>(QStringLiteral("Lis_Aciertos"));
    QCOMPARE(aciertos->item(3)->text(), QStringLiteral("  12       1  99999999999.00"));
    QVERIFY(QFontMetrics(aciertos->font()).horizontalAdvance(aciertos->item(3)->text()) <
            aciertos->viewport()->width() - 2);

    // On the grabbed screen each count stands under the last digit of its
    // category in the heading: slip 1 has a 14 and a 13.
    auto* boletos = s->findChild<QListWidget*>(QStringLiteral("Lis_Boletos"));
    const QImage shot = s->grab().toImage();
    const QRect heading(boletos->x() - 40, boletos->y() - 13, boletos->width() + 40, 12);
    const QList<Span> categories = InkSpans(shot, heading, [](QColor c) { return c.red() > 200 && c.blue() < 100; });
    const QRect row = boletos->visualItemRect(boletos->item(0)).translated(boletos->viewport()->mapTo(s, QPoint()));
    const QList<Span> counts = InkSpans(shot, row, [](QColor c) { return c.lightness() < 100; });
    QVERIFY(categories.size() >= 5 && counts.size() == 3);
    const double pitch = QFontMetricsF(boletos->font()).horizontalAdvance(QLatin1Char('0'));
    for (int k = 0; k < 2; ++k) {
      const Span category = categories[categories.size() - 5 + k], count = counts[1 + k];
      QVERIFY2(std::abs((count.left + count.right) / 2.0 - (category.right - pitch / 2)) <= 2.5,
               qPrintable(QStringLiteral("%1 hits").arg(14 - k)));
    }

    // The same matchday again: no reload, the results stay.
    Choose(s, QPoint(50, 30), "Lis_Jornadas", 0);
    QCOMPARE(Lines(s, "Lis_Boletos"), kSeventeenSlipLines);

    // Order 2 is a probable-column reduction: the wide layout, no results,
    // and the grid back from the record as the run stored it. It is
    // highlighted in the open list and taken over by a button's press.
    testing::PressAt(s, QPoint(200, 30));
    QTest::keyClick(s->findChild<PickList*>(QStringLiteral("Lis_Orden")), Qt::Key_Down);
    Press(s, QStringLiteral("Pic_Ayuda"));
    QVERIFY(HelpWindow() && HelpWindow()->close());
    QCOMPARE(f.t.app.currentOrder, std::int16_t{2});
    QVERIFY(Lines(s, "Lis_Aciertos").isEmpty());
    QCOMPARE(s->width(), 637);
    QCOMPARE(WinningColumnText(s->Entry().grid), kWinning);

    // Matchday 2 picked in the index (the binder's third line): order 1
    // again and the matchday's stored prizes.
    testing::WhenModal([](QWidget* historic) {
      QTest::mouseClick(historic->findChild<QWidget*>(QStringLiteral("Pic_Carpeta")), Qt::LeftButton, {},
                        QPoint(200, 34 + 16 * 2 + 8));
    });
    Press(s, QStringLiteral("Pic_Indice"));
    QCOMPARE(f.t.app.currentMatchday, std::int16_t{2});
    QCOMPARE(f.t.app.currentOrder, std::int16_t{1});
    QCOMPARE(s->findChild<PickList*>(QStringLiteral("Lis_Jornadas"))->currentRow(), 1);
    QCOMPARE(PrizeBox(s, 1)->text(), QStringLiteral("1500.5"));
    Press(s, QStringLiteral("Pic_Salir"));
    QVERIFY(!s->isVisible());
  }

  // Opening a screen on a damaged index line shows one message, however
  // often the filling of its lists loads the reduction.
  void ADamagedIndexLineGivesOneMessageWhenAScreenOpens() {
    Fixture f;
    f.t.folder.Write("BASES.VTR", "01011" + std::string(20, 'x') + std::string(205, ' ') + "\r\n");
    MessageCatcher messages;
    const auto shown = [&] {
      const auto count = static_cast<int>(f.t.reporter.messages.size()) + static_cast<int>(messages.titles.size());
      f.t.reporter.messages.clear();
      messages.titles.clear();
      return count;
    };
    { Escrutin screen(f.t.app, nullptr); }
    QCOMPARE(shown(), 1);
    { Consredu screen(f.t.app, nullptr); }
    QCOMPARE(shown(), 1);
    { Salida screen(f.t.app, nullptr); }
    QCOMPARE(shown(), 1);
  }

  // An index that cannot be read: one report on opening; a load the user
  // asks for afterwards also says the reduction cannot be scrutinised.
  void AnUnreadableIndexIsReportedOnOpeningAndAfterALoad() {
    Fixture f;
    std::filesystem::remove(f.t.folder.File("BASES.VTR"));
    std::filesystem::create_directory(f.t.folder.File("BASES.VTR"));  // unreadable as a file
    MessageCatcher messages;
    Escrutin* s = f.Open();
    QCOMPARE(f.t.reporter.messages.size(), 1u);
    QVERIFY(messages.titles.isEmpty());
    Choose(s, QPoint(200, 30), "Lis_Orden", 1);
    QCOMPARE(messages.titles, QStringList{QStringLiteral("ERROR EN JORNADA/ORDEN")});
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::EscrutinTest)
#include "escrutin_test.moc"
