// The output chooser and the output screen: from the menu press through the
// choice of matchday to the output type's screen, the fields' rules, a run of
// individual slips with the operator, and a real continuous-paper page through
// the Qt printer.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/general_data.h"
#include "app/mensajes.h"
#include "app/vetra.h"
#include "matchdays/selection_lists.h"
#include "output/listados.h"
#include "output/print_job.h"
#include "platform/qt_printer.h"
#include "reductions/base_file.h"
#include "tests/output/output_test_support.h"
#include "tests/support/gui_support.h"
#include "tests/support/pdf_pages.h"
#include "tests/support/recording_printer.h"

namespace vetra {
namespace {

using testing::GuiState;

// Matchday 1, order 1, direct method, offsets 0, orientation 1, 44 matchdays.
const std::string kDefaults = "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"";

struct Fixture {
  Fixture() {
    testing::WriteGeneralDataLine(t.folder, kDefaults);
    ReadGeneralData(t.app);
    t.folder.Write("BASES.VTR", "");
  }
  // A direct-method reduction of `columns` columns in the index; the chooser
  // reads no columns.
  void Store(int matchday, int order, int columns) {
    BaseRecord record = EmptyBaseRecord();
    record.matchday = static_cast<std::int16_t>(matchday);
    record.orderNumber = static_cast<std::int16_t>(order);
    record.reductionMethod = 1;
    record.reducedBets = columns;
    t.folder.Write("BASES.VTR", t.folder.Read("BASES.VTR") + BaseLine(record) + "\r\n");
  }
  GuiState t;
};

template <typename T = QWidget>
T* Child(QWidget* screen, const char* name) {
  return screen->findChild<T*>(QString::fromLatin1(name));
}

void Press(QWidget* screen, const char* control) { QTest::mouseClick(Child(screen, control), Qt::LeftButton); }

// Opens a field's panel, types into its box and commits with Enter.
void Type(QWidget* screen, QPoint panel, const char* box, const QString& text) {
  testing::PressAt(screen, panel);
  auto* edit = Child<QLineEdit>(screen, box);
  QVERIFY(edit->isVisible());
  edit->clear();
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, Qt::Key_Return);
  QVERIFY(!edit->isVisible());
}

constexpr QPoint kFirstPanel(120, 60), kSecondPanel(340, 60), kThirdPanel(120, 125);

// Keeps what the screen printed after the screen has dropped the printer.
struct KeptRecording : testing::RecordingPrinter {
  explicit KeptRecording(testing::RecordingPrinter& kept) : kept_(kept) {}
  ~KeptRecording() override { kept_.operations = operations; }
  testing::RecordingPrinter& kept_;
};

// Titles of the message dialogs shown, each closed at once.
void RecordMessages(QStringList& titles) {
  SetMessageHookForTesting([&titles](Mensajes& dialog) {
    titles << Child<QLabel>(&dialog, "Tex_Titulo")->text();
    QTest::mouseClick(Child(&dialog, "Pic_Salir"), Qt::LeftButton);
  });
}

// Sends the pages to print as soon as the preview shows them, keeping how
// many there were.
void PrintFromPreview(int& pages) {
  testing::WhenModal([&pages](QWidget* preview) {
    QCOMPARE(preview->objectName(), QStringLiteral("vistaPrevia"));
    pages = Child<QPrintPreviewWidget>(preview, "paginas")->pageCount();
    Press(preview, "imprimir");
  });
}

}  // namespace

class OutputScreensTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    SetPrinterForTesting(nullptr);
    SetMessageHookForTesting(nullptr);
  }

  void TheMenuOpensTheChooserWhoseMatchdaysAndButtonsLeadToTheOutputScreen() {
    Fixture f;
    f.Store(1, 2, 9);
    f.Store(2, 1, 17);
    // Order 2 and a left offset of 15 in the general data the menu reads.
    testing::WriteGeneralDataLine(f.t.folder, "1,\"01/09/02\",2,1,15,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"");
    MainMenu menu(f.t.app);
    menu.show();
    testing::PressAt(&menu, QPoint(310, 230));
    QPointer<QWidget> salida;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QStringLiteral("salida") && w->isVisible()) salida = w;
    QVERIFY(salida);
    // Nine columns are two slips, written beside the first output button.
    QCOMPARE(f.t.app.slipCount, 2);
    const QImage image = testing::SurfaceImage(salida);
    const int left = Child(salida, "Pic_Quiniela")->x() + 20;
    int white = 0;
    for (int y = 35; y < 35 + 14; ++y)
      for (int x = left; x < left + 70; ++x) white += image.pixel(x, y) == qRgb(255, 255, 255);
    QVERIFY(white > 30);

    OutputValues defaults;
    testing::WhenModal([&](QWidget* listados) {
      defaults = static_cast<Listados*>(listados)->Values();
      Press(listados, "Pic_Salir");
    });
    Press(salida, "Pic_Boletos");
    QCOMPARE(f.t.app.outputType, std::int16_t{1});
    QCOMPARE(std::pair(defaults.lastSlip, defaults.leftOffset), std::pair(2L, 15));

    // The same matchday again is not reloaded; another one starts at order 1.
    auto choose = [&](int entry) {
      testing::PressAt(salida, QPoint(50, 30));
      auto* list = Child<PickList>(salida, "Lis_Jornadas");
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(entry)).center());
    };
    f.t.app.reducedBets = 777;  // a reload would read 9 again
    choose(0);
    QCOMPARE(f.t.app.reducedBets, 777);
    QCOMPARE(f.t.app.currentOrder, std::int16_t{2});
    choose(1);
    QCOMPARE(f.t.app.currentMatchday, std::int16_t{2});
    QCOMPARE(f.t.app.currentOrder, std::int16_t{1});
    QCOMPARE(f.t.app.reducedBets, 17);
    QCOMPARE(Child<PickList>(salida, "Lis_Orden")->currentRow(), 0);
  }

  void TheSlipFieldsKeepTheirRangeThenTheRunWaitsForTheOperator() {
    Fixture f;
    testing::StoreTestColumns(f.t, 17);  // 3 slips, the last of one column
    f.t.app.outputType = 1;
    testing::RecordingPrinter printed;
    SetPrinterForTesting([&printed] { return std::make_unique<KeptRecording>(printed); });
    QStringList titles;
    RecordMessages(titles);
    Listados screen(f.t.app, nullptr);
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    auto range = [&] { return std::pair(screen.Values().firstSlip, screen.Values().lastSlip); };

    Type(&screen, kFirstPanel, "Tex_BolIni", QStringLiteral("5"));  // limited to the slips there are
    QCOMPARE(range(), std::pair(3L, 3L));
    Type(&screen, kSecondPanel, "Tex_BolFin", QStringLiteral("1"));  // the first follows down
    QCOMPARE(range(), std::pair(1L, 1L));
    Type(&screen, kFirstPanel, "Tex_BolIni", QStringLiteral("2"));  // the last follows up
    QCOMPARE(range(), std::pair(2L, 2L));
    Type(&screen, kSecondPanel, "Tex_BolFin", QString());  // empty: the last slip there is
    Type(&screen, kFirstPanel, "Tex_BolIni", QString());  // empty: the first slip
    QCOMPARE(range(), std::pair(1L, 3L));

    // While typing a 0 empties the box.
    testing::PressAt(&screen, kFirstPanel);
    auto* box = Child<QLineEdit>(&screen, "Tex_BolIni");
    box->clear();
    QTest::keyClicks(box, QStringLiteral("0"));
    QCOMPARE(box->text(), QString());
    QTest::keyClicks(box, QStringLiteral("2"));
    // Leaving the box commits it too.
    Child(&screen, "Opt_Reverso")->setFocus();
    QTRY_COMPARE(range(), std::pair(2L, 3L));

    // A typed minus makes the offset negative: the box empties and commits 0.
    Type(&screen, kThirdPanel, "Tex_MarIzq", QStringLiteral("4-"));
    QCOMPARE(f.t.app.printAdjust1, std::int16_t{0});
    Type(&screen, kThirdPanel, "Tex_MarIzq", QStringLiteral("123"));
    QCOMPARE(f.t.app.printAdjust1, std::int16_t{123});
    Press(&screen, "Pic_Orientacion");  // switches the slip position and its picture
    QCOMPARE(f.t.app.printOrientation, std::int16_t{2});

    // The operator presses each control as soon as it is shown: next on slip
    // 2, then exit on slip 3, the last, which offers no next.
    QStringList hand{QStringLiteral("Pic_Siguiente"), QStringLiteral("Pic_Salir")};
    bool nextHiddenOnTheLast = false;
    QTimer operatorTimer;
    QObject::connect(&operatorTimer, &QTimer::timeout, [&] {
      QWidget* control = screen.findChild<QWidget*>(hand.front());
      if (!control->isVisible() || QApplication::activeModalWidget()) return;
      hand.pop_front();
      if (hand.isEmpty()) operatorTimer.stop();
      nextHiddenOnTheLast = !Child(&screen, "Pic_Siguiente")->isVisible();
      QTest::mouseClick(control, Qt::LeftButton);
    });
    operatorTimer.start(5);
    int previewed = 0;
    PrintFromPreview(previewed);
    Press(&screen, "Pic_Imprimir");
    QCOMPARE(previewed, 2);  // a page for each slip, and nothing asked while previewing
    QCOMPARE(titles, QStringList{QStringLiteral("ÚLTIMO BOLETO INCOMPLETO")});
    QVERIFY(nextHiddenOnTheLast);
    QCOMPARE(printed.Texts(), (std::vector<std::string>{"2", "3"}));
    // Idle again: the options back, the screen still open.
    QVERIFY(!screen.Running());
    QVERIFY(Child(&screen, "Fra_OpcionesBoletos")->isVisible());
    QVERIFY(screen.isVisible());
  }

  void ATestPrintOnContinuousPaperMakesARealPdfPage() {
    Fixture f;
    f.t.app.outputType = 4;
    LoadBase(f.t.app, 1, 1);  // none stored: only a test print has something to do
    f.t.app.slipCount = 1;
    const std::string pdfFolder = f.t.folder.File("pdf");
    SetPrinterForTesting([&] { return std::make_unique<QtPrinter>(pdfFolder, QtPrinter::Output::Pdf); });
    QStringList titles;
    RecordMessages(titles);
    Listados screen(f.t.app, nullptr);
    screen.show();
    Type(&screen, kThirdPanel, "Tex_MarIzq", QStringLiteral("100"));  // the continuous offsets
    QCOMPARE(f.t.app.printAdjust3, std::int16_t{100});
    QCOMPARE(f.t.app.printAdjust1, std::int16_t{0});
    Child<QCheckBox>(&screen, "Chk_PruImp")->setChecked(true);
    int previewed = 0;
    PrintFromPreview(previewed);
    Press(&screen, "Pic_Imprimir");
    QCOMPARE(previewed, 1);
    QCOMPARE(titles, QStringList{QStringLiteral("IMPRESIÓN EN PDF")});

    // One page of continuous paper: A4 wide, 158.5 mm long.
    const auto files = std::filesystem::directory_iterator(pdfFolder);
    const QString pdf = QString::fromStdString(begin(files)->path().string());
    QVERIFY(testing::Run(QStringLiteral("pdfinfo"), {pdf}).contains(QStringLiteral("595 x 449")));
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::OutputScreensTest)
#include "output_screens_test.moc"
