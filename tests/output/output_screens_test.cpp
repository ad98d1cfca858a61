// The output chooser and the output screen: from the menu press to the
// output type's screen, the fields' rules, a run of individual slips with the
// operator, and a real continuous-paper page through the Qt printer.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QTest>

#include "tests/support/pdf_pages.h"
#include <QTimer>
#include <filesystem>

#include "app/general_data.h"
#include "app/mensajes.h"
#include "app/section_screen.h"
#include "app/vetra.h"
#include "matchdays/selection_lists.h"
#include "output/listados.h"
#include "output/salida.h"
#include "platform/qt_printer.h"
#include "reductions/base_file.h"
#include "tests/output/output_test_support.h"
#include "tests/support/gui_support.h"
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
  // The loaded reduction as the chooser leaves it for the output screen.
  void Load(int columns) {
    Store(1, 1, columns);
    LoadBase(t.app, 1, 1);
    t.app.slipCount = (columns + 7) / 8;
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
class KeptRecording : public testing::RecordingPrinter {
 public:
  explicit KeptRecording(std::vector<testing::PrintedOperation>* kept) : kept_(kept) {}
  ~KeptRecording() override { *kept_ = operations; }

 private:
  std::vector<testing::PrintedOperation>* kept_;
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

using testing::Run;

// Where the ink of a rendered page lies, within `area`.
QRect DarkBounds(const QImage& image, const QRect& area) { return testing::DarkBounds(image, area, 160); }

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
    QCOMPARE(salida->windowTitle(), QStringLiteral("Salida de Datos por Impresora o a Disco Flexible"));
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
    bool onTheFront = false;
    testing::WhenModal([&](QWidget* listados) {
      caption = listados->windowTitle();
      defaults = static_cast<Listados*>(listados)->Values();
      onTheFront = Child<QAbstractButton>(listados, "Opt_Reverso")->isChecked();
      Press(listados, "Pic_Salir");
    });
    Press(salida, "Pic_Boletos");
    QCOMPARE(caption, QStringLiteral("Imprimir boletos individuales"));
    QCOMPARE(defaults.firstSlip, 1L);
    QCOMPARE(defaults.lastSlip, 2L);
    QCOMPARE(defaults.leftOffset, 15);
    QCOMPARE(defaults.topOffset, 7);
    QVERIFY(onTheFront);
    QCOMPARE(f.t.app.outputType, std::int16_t{1});
    QCOMPARE(f.t.sounds, (std::vector<int>{9, 5}));

    testing::WhenModal([&](QWidget* listados) {
      caption = listados->windowTitle();
      Press(listados, "Pic_Salir");
    });
    Press(salida, "Pic_Continuo");
    QCOMPARE(caption, QStringLiteral("Imprimir boletos en papel continuo"));
    QCOMPARE(f.t.app.outputType, std::int16_t{4});

    // The next press on the menu, even beside its buttons, closes the chooser.
    testing::PressAt(&menu, QPoint(5, 5));
    QTRY_VERIFY(!salida);
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

  void TheSlipFieldsKeepTheirRangeAndTheOffsetsGoToTheGeneralData() {
    Fixture f;
    f.Load(160);  // 20 slips
    f.t.app.outputType = 1;
    Listados screen(f.t.app, nullptr);
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    auto range = [&] { return std::pair(screen.Values().firstSlip, screen.Values().lastSlip); };
    QCOMPARE(range(), std::pair(1L, 20L));

    Type(&screen, kFirstPanel, "Tex_BolIni", QStringLiteral("25"));  // limited to the slips there are
    QCOMPARE(range(), std::pair(20L, 20L));
    Type(&screen, kSecondPanel, "Tex_BolFin", QStringLiteral("5"));  // the first follows down
    QCOMPARE(range(), std::pair(5L, 5L));
    Type(&screen, kSecondPanel, "Tex_BolFin", QString());  // empty: the last slip there is
    Type(&screen, kFirstPanel, "Tex_BolIni", QStringLiteral("7"));
    QCOMPARE(range(), std::pair(7L, 20L));
    Type(&screen, kSecondPanel, "Tex_BolFin", QStringLiteral("3"));
    QCOMPARE(range(), std::pair(3L, 3L));
    Type(&screen, kFirstPanel, "Tex_BolIni", QString());  // empty: the first slip
    QCOMPARE(range(), std::pair(1L, 3L));
    Type(&screen, kFirstPanel, "Tex_BolIni", QStringLiteral("9"));  // the last follows up
    QCOMPARE(range(), std::pair(9L, 9L));

    // While typing: two digits at most for 20 slips; a 0 empties the box.
    testing::PressAt(&screen, kFirstPanel);
    auto* box = Child<QLineEdit>(&screen, "Tex_BolIni");
    QCOMPARE(box->maxLength(), 2);
    box->clear();
    QTest::keyClicks(box, QStringLiteral("0"));
    QCOMPARE(box->text(), QString());
    QTest::keyClicks(box, QStringLiteral("x4"));
    QCOMPARE(box->text(), QStringLiteral("4"));
    // Leaving the box commits it too.
    Child(&screen, "Opt_Reverso")->setFocus();
    QTRY_COMPARE(range(), std::pair(4L, 9L));
    QVERIFY(!box->isVisible());

    Type(&screen, kThirdPanel, "Tex_MarIzq", QStringLiteral("123"));
    Type(&screen, kFourthPanel, "Tex_MarSup", QStringLiteral("45"));
    QCOMPARE(f.t.app.printAdjust1, std::int16_t{123});
    QCOMPARE(f.t.app.printAdjust2, std::int16_t{45});
    Type(&screen, kThirdPanel, "Tex_MarIzq", QString());
    QCOMPARE(f.t.app.printAdjust1, std::int16_t{0});
    QCOMPARE(Child<QLineEdit>(&screen, "Tex_MarIzq")->maxLength(), 3);

    // The slip position switches between its two pictures.
    f.t.sounds.clear();
    Press(&screen, "Pic_Orientacion");
    QCOMPARE(f.t.app.printOrientation, std::int16_t{2});
    Press(&screen, "Pic_Orientacion");
    QCOMPARE(f.t.app.printOrientation, std::int16_t{1});
    QCOMPARE(f.t.sounds, (std::vector<int>{9, 9}));
  }

  void ContinuousOffsetsCopiesAndAPrintButtonWithNothingToDo() {
    Fixture f;
    f.t.app.outputType = 4;
    LoadBase(f.t.app, 1, 1);  // none stored: nothing to print
    f.t.app.slipCount = 1;
    {
      Listados screen(f.t.app, nullptr);
      screen.show();
      Type(&screen, kThirdPanel, "Tex_MarIzq", QStringLiteral("12"));
      Type(&screen, kFourthPanel, "Tex_MarSup", QStringLiteral("0"));
      QCOMPARE(f.t.app.printAdjust3, std::int16_t{12});
      QCOMPARE(f.t.app.printAdjust1, std::int16_t{0});
      QWidget* imprimir = Child(&screen, "Pic_Imprimir");
      QCOMPARE(testing::PointerOf(imprimir), QStringLiteral("nodrop"));
      Child<QCheckBox>(&screen, "Chk_PruImp")->setChecked(true);  // a test print needs no reduction
      QCOMPARE(testing::PointerOf(imprimir), QStringLiteral("manoindice"));
    }

    f.t.app.outputType = 0;
    f.Load(9);
    Listados screen(f.t.app, nullptr);
    screen.show();
    QCOMPARE(screen.windowTitle(), QStringLiteral("Imprimir los datos básicos de la reducción"));
    Type(&screen, kFirstPanel, "Tex_Copias", QStringLiteral("3"));
    QCOMPARE(screen.Values().copies, 3);
    Type(&screen, kFirstPanel, "Tex_Copias", QStringLiteral("0"));  // emptied while typing: one copy
    QCOMPARE(screen.Values().copies, 1);
  }

  void IndividualSlipsWaitForTheOperatorAndWarnOfALastSlipOfOneColumn() {
    Fixture f;
    f.Load(17);
    f.t.app.outputType = 1;
    std::vector<testing::PrintedOperation> printed;
    SetOutputPrinterForTesting([&printed] { return std::make_unique<KeptRecording>(&printed); });
    QStringList titles;
    RecordMessages(titles);
    Listados screen(f.t.app, nullptr);
    screen.show();
    Type(&screen, kFirstPanel, "Tex_BolIni", QStringLiteral("2"));

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
    QStringList labels;
    int jobs = 0;
    for (const auto& op : printed) {
      if (op.op == testing::PrinterOp::Print) labels << QString::fromStdString(op.text);
      jobs += op.op == testing::PrinterOp::EndJob;
    }
    QCOMPARE(labels, (QStringList{QStringLiteral("2"), QStringLiteral("3")}));
    QCOMPARE(jobs, 2);
    QCOMPARE(f.t.sounds, (std::vector<int>{9, 5, 9, 5}));  // print, message closed, next, exit
    // Idle again: the options back, the run's buttons gone.
    QVERIFY(!screen.Running());
    QVERIFY(Child(&screen, "Fra_OpcionesBoletos")->isVisible());
    QVERIFY(Child(&screen, "Pic_Imprimir")->isVisible());
    QVERIFY(!Child(&screen, "Pic_Repetir")->isVisible());
    QVERIFY(!Child(&screen, "Pic_Cancelar")->isVisible());
    QVERIFY(screen.isVisible());
  }

  void ATestPrintOnContinuousPaperMakesARealPdfPage() {
    Fixture f;
    f.Load(16);
    f.t.app.outputType = 4;
    const std::string pdfFolder = f.t.folder.File("pdf");
    SetOutputPrinterForTesting(
        [&] { return std::make_unique<QtPrinter>(pdfFolder, QtPrinter::Output::Pdf); });
    QStringList titles;
    RecordMessages(titles);
    Listados screen(f.t.app, nullptr);
    screen.show();
    Child<QCheckBox>(&screen, "Chk_PruImp")->setChecked(true);
    Press(&screen, "Pic_Imprimir");
    SetOutputPrinterForTesting(nullptr);
    SetMessageHookForTesting(nullptr);
    QCOMPARE(titles, QStringList{QStringLiteral("IMPRESIÓN EN PDF")});

    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(pdfFolder)) files.push_back(entry.path());
    QCOMPARE(files.size(), std::size_t{1});
    const QString pdf = QString::fromStdString(files[0].string());
    QVERIFY(Run(QStringLiteral("pdfinfo"), {pdf}).contains(QStringLiteral("x 449")));  // 158.5 mm
    QVERIFY(Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).contains(QStringLiteral("999")));
    const QString png = QString::fromStdString(f.t.folder.File("page"));
    // Without smoothing, so that the thin strokes of the marks stay black.
    Run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-aaVector"),
                                     QStringLiteral("no"), QStringLiteral("-png"),
                                     QStringLiteral("-singlefile"), pdf, png});
    const QImage page = QImage(png + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
    QVERIFY(!page.isNull());

    // At 100 dots to the inch: the cross of column 1 "1" of match 1 in each
    // slot, 130 by 70 twips from its corner; the reading bars below them.
    const auto dots = [](double twips) { return static_cast<int>(twips * 100 / 1440 + 0.5); };
    for (int slot : {0, 1}) {
      const int x = dots(1050 + 5990 * slot), y = dots(1270 + 23 * 213);
      const QRect cross = DarkBounds(page, QRect(x - 4, y - 4, 17, 12));
      QVERIFY2(std::abs(cross.left() - x) <= 1 && std::abs(cross.top() - y) <= 1,
               qPrintable(QStringLiteral("%1,%2").arg(cross.left()).arg(cross.top())));
      QVERIFY(std::abs(cross.right() - dots(1050 + 5990 * slot + 130)) <= 1);
      QVERIFY(std::abs(cross.bottom() - dots(1270 + 23 * 213 + 70)) <= 1);
      const QRect bar = DarkBounds(page, QRect(dots(5990 * slot + 964) - 4, dots(8748) - 4, 24, 13));
      QVERIFY(std::abs(bar.left() - dots(5990 * slot + 964)) <= 1);
      QVERIFY(std::abs(bar.width() - dots(227)) <= 1);
    }
    // Nothing between the two slips' grids.
    QCOMPARE(DarkBounds(page, QRect(dots(1050 + 13 * 284 + 200), dots(1300), dots(500), dots(4000))), QRect());
  }

  void DiskCopyAndMailShowTheirFieldsAndDefaults() {
    Fixture f;
    f.Load(16);
    f.t.folder.Write("DIRECC.VTR", "b@vetra.es\r\na@vetra.es\r\n");
    QStringList titles;
    RecordMessages(titles);
    {
      f.t.app.outputType = 3;
      Listados screen(f.t.app, nullptr);
      screen.show();
      QCOMPARE(Child<QLineEdit>(&screen, "Tex_NombreArchivo")->text(), QStringLiteral("AD243"));
      const auto options = screen.findChildren<QAbstractButton*>(QStringLiteral("Opt_Exportar"));
      QCOMPARE(options.size(), 7);
      QVERIFY(options[0]->isChecked());
      QTest::mouseClick(options[2], Qt::LeftButton);
      QCOMPARE(Child<QLineEdit>(&screen, "Tex_NombreArchivo")->text(), QStringLiteral("Col0101.txt"));
    }
    {
      f.t.app.outputType = 5;
      Listados screen(f.t.app, nullptr);
      screen.show();
      QVERIFY(Child<QCheckBox>(&screen, "Chk_MailBase")->isChecked());
      QVERIFY(!Child<QCheckBox>(&screen, "Chk_MailColumnas")->isChecked());
      auto* list = Child<QListWidget>(&screen, "Lis_Direcciones");
      QCOMPARE(list->count(), 2);
      QCOMPARE(list->item(0)->text(), QStringLiteral("a@vetra.es"));
      QCOMPARE(list->selectedItems().size(), 2);
      Press(&screen, "Pic_Salir");
      QVERIFY(!screen.isVisible());
    }
    SetMessageHookForTesting(nullptr);
    QVERIFY(titles.isEmpty());
    QCOMPARE(f.t.folder.Read("DIRECC.VTR"), std::string("a@vetra.es\r\nb@vetra.es\r\n"));
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::OutputScreensTest)
#include "output_screens_test.moc"
