// The output chooser and the output screen: from the menu press to the
// output type's screen, the fields' rules, a run of individual slips with the
// operator, and a real continuous-paper page through the Qt printer.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/general_data.h"
#include "app/mensajes.h"
#include "app/vetra.h"
#include "matchdays/selection_lists.h"
#include "output/listados.h"
#include "output/salida.h"
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
  // A direct-method reduction of `columns` columns under the key.
  void Store(int matchday, int order, int columns) {
    BaseRecord record = EmptyBaseRecord();
    record.matchday = static_cast<std::int16_t>(matchday);
    record.orderNumber = static_cast<std::int16_t>(order);
    record.reductionMethod = 1;
    record.directBets = 81;
    record.reducedBets = columns;
    t.folder.Write("BASES.VTR", t.folder.Read("BASES.VTR") + BaseLine(record) + "\r\n");
    std::string lines;
    for (int n = 1; n <= columns; ++n) lines += ColumnLine(testing::TestColumn(n));
    t.folder.Write(ColumnFileName(matchday, order), lines);
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

constexpr QPoint kFirstPanel(120, 60), kSecondPanel(340, 60), kThirdPanel(120, 125), kFourthPanel(340, 125);

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

// Presses the controls in turn, each as soon as it is shown.
void PressWhenShown(QWidget* screen, QStringList controls) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, screen, controls]() mutable {
    QWidget* next = screen->findChild<QWidget*>(controls.front());
    if (!next->isVisible() || QApplication::activeModalWidget()) return;
    controls.pop_front();
    if (controls.isEmpty()) timer->deleteLater();
    QTest::mouseClick(next, Qt::LeftButton);
  });
  timer->start();
}

}  // namespace

class OutputScreensTest : public QObject {
  Q_OBJECT

 private slots:
  void TheMenuOpensTheChooserWhoseButtonsOpenTheOutputScreen() {
    Fixture f;
    f.Store(1, 1, 9);
    MainMenu menu(f.t.app);  // reads the general data
    menu.show();
    f.t.app.printAdjust1 = 15;
    f.t.app.printAdjust2 = 7;
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

    f.t.sounds.clear();
    QString caption;
    OutputValues defaults;
    testing::WhenModal([&](QWidget* listados) {
      caption = listados->windowTitle();
      defaults = static_cast<Listados*>(listados)->Values();
      Press(listados, "Pic_Salir");
    });
    Press(salida, "Pic_Boletos");
    QCOMPARE(caption, QStringLiteral("Imprimir boletos individuales"));
    QCOMPARE(f.t.app.outputType, std::int16_t{1});
    QCOMPARE(std::pair(defaults.firstSlip, defaults.lastSlip), std::pair(1L, 2L));
    QCOMPARE(std::pair(defaults.leftOffset, defaults.topOffset), std::pair(15, 7));
    QCOMPARE(f.t.sounds, (std::vector<int>{9, 5}));
  }

  void TheSameMatchdayAgainDoesNotReloadAndANewOneStartsAtOrderOne() {
    Fixture f;
    f.Store(1, 2, 40);
    f.Store(2, 1, 17);
    f.t.app.currentOrder = 2;
    Salida salida(f.t.app, nullptr);
    salida.show();
    QCOMPARE(f.t.app.reducedBets, 40);
    QCOMPARE(f.t.app.slipCount, 5);

    auto choose = [&](int entry) {
      testing::PressAt(&salida, QPoint(50, 30));
      auto* list = Child<PickList>(&salida, "Lis_Jornadas");
      QVERIFY(list->isVisible());
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(entry)).center());
      QVERIFY(!list->isVisible());
    };
    f.t.app.reducedBets = 777;  // a reload would read 40 again
    choose(0);
    QCOMPARE(f.t.app.reducedBets, 777);
    QCOMPARE(f.t.app.currentOrder, std::int16_t{2});

    choose(1);
    QCOMPARE(f.t.app.currentMatchday, std::int16_t{2});
    QCOMPARE(f.t.app.currentOrder, std::int16_t{1});
    QCOMPARE(f.t.app.reducedBets, 17);
    QCOMPARE(f.t.app.slipCount, 3);
    QCOMPARE(Child<PickList>(&salida, "Lis_Orden")->currentRow(), 0);
  }

  void TheSlipFieldsKeepTheirRangeThenTheRunWaitsForTheOperator() {
    Fixture f;
    testing::StoreTestColumns(f.t, 17);  // 3 slips, the last of one column
    f.t.app.outputType = 1;
    testing::RecordingPrinter printed;
    SetOutputPrinterForTesting([&printed] { return std::make_unique<KeptRecording>(printed); });
    QStringList titles;
    RecordMessages(titles);
    Listados screen(f.t.app, nullptr);
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    auto range = [&] { return std::pair(screen.Values().firstSlip, screen.Values().lastSlip); };
    QCOMPARE(range(), std::pair(1L, 3L));

    Type(&screen, kFirstPanel, "Tex_BolIni", QStringLiteral("5"));  // limited to the slips there are
    QCOMPARE(range(), std::pair(3L, 3L));
    Type(&screen, kSecondPanel, "Tex_BolFin", QStringLiteral("1"));  // the first follows down
    QCOMPARE(range(), std::pair(1L, 1L));
    Type(&screen, kFirstPanel, "Tex_BolIni", QStringLiteral("2"));  // the last follows up
    QCOMPARE(range(), std::pair(2L, 2L));
    Type(&screen, kSecondPanel, "Tex_BolFin", QString());  // empty: the last slip there is
    Type(&screen, kFirstPanel, "Tex_BolIni", QString());  // empty: the first slip
    QCOMPARE(range(), std::pair(1L, 3L));

    // While typing: one digit at most for 3 slips; a 0 empties the box.
    testing::PressAt(&screen, kFirstPanel);
    auto* box = Child<QLineEdit>(&screen, "Tex_BolIni");
    QCOMPARE(box->maxLength(), 1);
    box->clear();
    QTest::keyClicks(box, QStringLiteral("0"));
    QCOMPARE(box->text(), QString());
    QTest::keyClicks(box, QStringLiteral("2"));
    // Leaving the box commits it too.
    Child(&screen, "Opt_Reverso")->setFocus();
    QTRY_COMPARE(range(), std::pair(2L, 3L));
    QVERIFY(!box->isVisible());

    Type(&screen, kThirdPanel, "Tex_MarIzq", QStringLiteral("123"));
    Type(&screen, kFourthPanel, "Tex_MarSup", QStringLiteral("45"));
    QCOMPARE(f.t.app.printAdjust1, std::int16_t{123});
    QCOMPARE(f.t.app.printAdjust2, std::int16_t{45});
    Press(&screen, "Pic_Orientacion");  // switches the slip position and its picture
    QCOMPARE(f.t.app.printOrientation, std::int16_t{2});

    // Slip 2, next; slip 3, the last, offers exit instead of next.
    bool nextHiddenOnTheLast = false;
    PressWhenShown(&screen, {QStringLiteral("Pic_Siguiente"), QStringLiteral("Pic_Salir")});
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (screen.Running() && Child(&screen, "Pic_Salir")->isVisible())
        nextHiddenOnTheLast = !Child(&screen, "Pic_Siguiente")->isVisible();
    });
    watch.start(2);
    f.t.sounds.clear();
    Press(&screen, "Pic_Imprimir");
    watch.stop();
    SetOutputPrinterForTesting(nullptr);
    SetMessageHookForTesting(nullptr);

    QCOMPARE(titles, QStringList{QStringLiteral("ÚLTIMO BOLETO INCOMPLETO")});
    QVERIFY(nextHiddenOnTheLast);
    QCOMPARE(printed.Texts(), (std::vector<std::string>{"2", "3"}));
    QCOMPARE(printed.Of(testing::PrinterOp::EndJob).size(), std::size_t{2});
    QCOMPARE(f.t.sounds, (std::vector<int>{9, 5, 9, 5}));  // print, message closed, next, exit
    // Idle again: the options back, the run's buttons gone, the screen still open.
    QVERIFY(!screen.Running());
    QVERIFY(Child(&screen, "Fra_OpcionesBoletos")->isVisible());
    QVERIFY(!Child(&screen, "Pic_Repetir")->isVisible());
    QVERIFY(screen.isVisible());
  }

  void ATestPrintOnContinuousPaperMakesARealPdfPage() {
    Fixture f;
    f.t.app.outputType = 4;
    LoadBase(f.t.app, 1, 1);  // none stored: only a test print has something to do
    f.t.app.slipCount = 1;
    const std::string pdfFolder = f.t.folder.File("pdf");
    SetOutputPrinterForTesting([&] { return std::make_unique<QtPrinter>(pdfFolder, QtPrinter::Output::Pdf); });
    QStringList titles;
    RecordMessages(titles);
    Listados screen(f.t.app, nullptr);
    screen.show();
    Type(&screen, kThirdPanel, "Tex_MarIzq", QStringLiteral("100"));  // the continuous offsets
    QCOMPARE(f.t.app.printAdjust3, std::int16_t{100});
    QCOMPARE(f.t.app.printAdjust1, std::int16_t{0});
    QWidget* imprimir = Child(&screen, "Pic_Imprimir");
    QCOMPARE(testing::PointerOf(imprimir), QStringLiteral("nodrop"));
    Child<QCheckBox>(&screen, "Chk_PruImp")->setChecked(true);
    QCOMPARE(testing::PointerOf(imprimir), QStringLiteral("manoindice"));
    Press(&screen, "Pic_Imprimir");
    SetOutputPrinterForTesting(nullptr);
    SetMessageHookForTesting(nullptr);
    QCOMPARE(titles, QStringList{QStringLiteral("IMPRESIÓN EN PDF")});

    // One page of continuous paper, 158.5 mm long, with both slots' labels.
    const auto files = std::filesystem::directory_iterator(pdfFolder);
    const QString pdf = QString::fromStdString(begin(files)->path().string());
    QVERIFY(testing::Run(QStringLiteral("pdfinfo"), {pdf}).contains(QStringLiteral("595 x 449")));
    const QString text = testing::Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QCOMPARE(text.count(QRegularExpression(QStringLiteral("999.999"))), 2);
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::OutputScreensTest)
#include "output_screens_test.moc"
