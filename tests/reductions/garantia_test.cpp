// The guarantee screen: opened after a run and from the browser, its table
// and print against the core's figures, and a cancel or a close that leaves
// no worker behind.
#include <QCheckBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "app/cp1252.h"
#include "app/data_folder.h"
#include "app/general_data.h"
#include "app/mensajes.h"
#include "app/section_screen.h"
#include "matchdays/matchday_file.h"
#include "output/guarantee_listing.h"
#include "output/listados.h"
#include "output/print_job.h"
#include "platform/drives.h"
#include "platform/locale_marks.h"
#include "platform/mail_transport.h"
#include "platform/text.h"
#include "reductions/column_file.h"
#include "reductions/consredu.h"
#include "reductions/garantia.h"
#include "reductions/reducir.h"
#include "reductions/reduction_store.h"
#include "tests/output/recording_mail_transport.h"
#include "tests/reductions/base_builder.h"
#include "tests/reductions/numbered_columns.h"
#include "tests/support/gui_support.h"
#include "tests/support/recording_printer.h"

namespace vetra {
namespace {

using testing::GuiState;
using testing::MakeReduction;
using testing::Match;

QWidget* Child(QWidget* screen, const char* name) { return screen->findChild<QWidget*>(QString::fromLatin1(name)); }

void Press(QWidget* screen, const char* control) { QTest::mouseClick(Child(screen, control), Qt::LeftButton, {}, {5, 5}); }

QPoint Cell(int match, int sign) { return {3 + 15 * (sign - 1) + 6, 3 + 18 * (match - 1) + 7}; }
QPoint CheckBox(int match) { return {9, 3 + 18 * (match - 1) + 7}; }

QStringList TableLines(QWidget* screen) {
  QStringList lines;
  const auto* list = screen->findChild<QListWidget*>(QStringLiteral("Lis_Garantia"));
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}

QStringList ScreenLines(const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines) text << FromFileText(line);
  return text;
}

// The figures of matchday 1, order 1, worked out apart from the screen.
GuaranteeFigures CoreFigures(const AppState& app, const PrizeAmounts& prizes) {
  testing::RecordingProgress progress;
  return AnalyseGuarantee(DataFilePath(app, ColumnFileName(1, 1)), app.baseGrid, prizes, progress).figures;
}

// A recording printer whose operations outlive it.
struct KeptPrinter : testing::RecordingPrinter {
  explicit KeptPrinter(std::vector<testing::PrintedOperation>& keep) : keep_(keep) {}
  ~KeptPrinter() override { keep_ = operations; }
  std::vector<testing::PrintedOperation>& keep_;
};

struct Fixture {
  Fixture() {
    testing::WriteGeneralDataLine(t.folder, "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"");
    ReadGeneralData(t.app);
    t.folder.Write("BASES.VTR", "");
    // Matchday 1 with the prizes of 14 and 13 hits typed at a scrutiny.
    t.folder.Write("JORNADAS.VTR", "Jor01" "01/09/02" + std::string(450, ' ') + std::string(15, ' ') +
                                       "      10000" "        100" + std::string(33, ' '));
  }
  GuiState t;
};

}  // namespace

class GarantiaTest : public QObject {
  Q_OBJECT

 private slots:
  void AfterARunAndFromTheBrowserTheTableIsTheCoresAndPrintsAsShown() {
    Fixture f;
    f.t.app.reductionMethod = 1;
    Reducir reducir(f.t.app, nullptr);
    reducir.show();
    for (int m = 1; m <= 4; ++m) {  // four marked triples: table A
      QTest::mouseClick(Child(&reducir, "Pic_Base"), Qt::LeftButton, {}, Cell(m, 2));
      QTest::mouseClick(Child(&reducir, "Pic_Base"), Qt::LeftButton, {}, Cell(m, 3));
      QTest::mouseClick(Child(&reducir, "Pic_Elegir"), Qt::LeftButton, {}, CheckBox(m));
    }
    Press(&reducir, "Pic_Reducir");
    QVERIFY(Child(&reducir, "Pic_Garantia")->isVisible());

    const GuaranteeFigures expected = CoreFigures(f.t.app, {10000, 100, 0, 0, 0});
    QCOMPARE(expected.guarantee, 13);
    QVERIFY(expected.withPrizes);
    bool seen = false;
    testing::WhenModal([&](QWidget* screen) {
      QCOMPARE(screen->objectName(), QStringLiteral("garantia"));
      auto* garantia = static_cast<Garantia*>(screen);
      QTRY_VERIFY(!garantia->Computing());
      QVERIFY(!Child(screen, "Prg_Garantia")->isVisible());
      QCOMPARE(TableLines(screen), ScreenLines(GuaranteeLines(expected, LocaleMarks())));
      QVERIFY(ButtonIsActive(Child(screen, "Pic_Imprimir")));

      // Printed after its preview, line for line as the screen shows it.
      std::vector<testing::PrintedOperation> operations;
      SetPrinterForTesting([&operations] { return std::make_unique<KeptPrinter>(operations); });
      testing::WhenModal([](QWidget* preview) {
        QTest::mouseClick(preview->findChild<QPushButton*>(QStringLiteral("imprimir")), Qt::LeftButton);
      });
      Press(screen, "Pic_Imprimir");
      SetPrinterForTesting(nullptr);
      QStringList printed;
      for (const testing::PrintedOperation& op : operations)
        if (op.op == testing::PrinterOp::Print) printed << FromFileText(op.text);
      QVERIFY(!printed.isEmpty());
      for (const QString& line : TableLines(screen)) QVERIFY2(printed.contains(line), qPrintable(line));
      seen = true;
      Press(screen, "Pic_Salir");
    });
    Press(&reducir, "Pic_Garantia");
    QVERIFY(seen);
    Press(&reducir, "Pic_SalirPorcen");

    // The browser opens it on the reduction it shows.
    Consredu browser(f.t.app, nullptr);
    browser.show();
    QVERIFY(ButtonIsActive(Child(&browser, "Pic_Garantia")));
    seen = false;
    testing::WhenModal([&](QWidget* screen) {
      auto* garantia = static_cast<Garantia*>(screen);
      QTRY_VERIFY(!garantia->Computing());
      QCOMPARE(garantia->Run().figures.results, expected.results);
      seen = true;
      Press(screen, "Pic_Salir");
    });
    Press(&browser, "Pic_Garantia");
    QVERIFY(seen);
  }

  void ACancelOrALeaveDuringTheCountLeavesNothingRunning() {
    Fixture f;
    // Every column of 14 signs: long enough a count to be stopped.
    {
      ColumnFileWriter out(f.t.app, 1, 1);
      constexpr long long kChunk = 1 << 16;
      for (long long n = 0; n < kResultCount; n += kChunk) out.Take(testing::NumberedLines(n, std::min(kChunk, kResultCount - n)));
      out.Commit();
    }
    f.t.app.currentMatchday = f.t.app.currentOrder = 1;
    {
      Garantia screen(f.t.app, nullptr);
      screen.show();
      QVERIFY(screen.Computing());
      QVERIFY(Child(&screen, "Prg_Garantia")->isVisible());
      Press(&screen, "Pic_Cancelar");
      QTRY_VERIFY(!screen.Computing());
      QCOMPARE(screen.Run().outcome, GuaranteeOutcome::Stopped);
      QVERIFY(TableLines(&screen).isEmpty());
      QVERIFY(!ButtonIsActive(Child(&screen, "Pic_Imprimir")));
    }
    Garantia screen(f.t.app, nullptr);
    screen.show();
    QVERIFY(screen.Computing());
    Press(&screen, "Pic_Salir");  // waits for the worker, which stops at once
    QVERIFY(!screen.Computing());
    QVERIFY(!screen.isVisible());
  }

  void TickedTheMailAndTheDiskCopyCarryTheTableBesideTheirUsualContents() {
    Fixture f;
    // Table A on four triples, stored as "Reducir" stores it.
    BaseRecord reduction = MakeReduction(
        kDirectMethod, {Match("1X2", true), Match("1X2", true), Match("1X2", true), Match("1X2", true)});
    ReductionFigures figures;
    RecomputeFigures(reduction, figures);
    f.t.app.currentMatchday = f.t.app.currentOrder = 1;
    SetCurrentBaseRecord(f.t.app, reduction);
    testing::RecordingProgress progress;
    QVERIFY(StoreReduction(f.t.app, progress).Finished());
    ReadMatchday(f.t.app);
    f.t.app.slipCount = 2;  // as the output chooser leaves it for 9 columns
    const std::string guarantee = CurrentGuaranteeText(f.t.app, LocaleMarks());
    QVERIFY(guarantee.find(Utf8ToCp1252("se aseguran 13 aciertos")) != std::string::npos);

    testing::RecordingMailTransport kept;
    SetMailTransportForTesting([&kept] { return std::make_unique<testing::RecordingMailTransport>(kept); });
    f.t.folder.Write("DIRECC.VTR", "a@vetra.es\r\n");
    f.t.app.outputType = 5;
    {
      Listados mail(f.t.app, nullptr);
      mail.show();
      // Each sending ends with the notice of the messages sent.
      const auto send = [&mail] {
        testing::WhenModal([](QWidget* notice) { static_cast<QDialog*>(notice)->accept(); });
        Press(&mail, "Pic_Enviar");
      };
      send();
      QTest::mouseClick(mail.findChild<QCheckBox*>(QStringLiteral("Chk_Garantia")), Qt::LeftButton);
      send();
    }
    SetMailTransportForTesting(nullptr);
    QCOMPARE(kept.sent.size(), 2u);
    QCOMPARE(kept.sent[1].text, kept.sent[0].text + guarantee);

    testing::TempFolder drive;
    SetDrivesForTesting({drive.Path() + "/"});
    // Nine columns leave the last slip incomplete: the warning is accepted.
    SetMessageHookForTesting([](Mensajes& dialog) { dialog.accept(); });
    f.t.app.outputType = 3;
    {
      Listados copy(f.t.app, nullptr);
      copy.show();
      Press(&copy, "Pic_Copiar");
      const std::string columns = drive.Read("AD243");
      QVERIFY(!drive.Exists(GuaranteeFileName(1, 1)));
      QTest::mouseClick(copy.findChild<QCheckBox*>(QStringLiteral("Chk_Garantia")), Qt::LeftButton);
      Press(&copy, "Pic_Copiar");
      QCOMPARE(drive.Read("AD243"), columns);
      QCOMPARE(drive.Read(GuaranteeFileName(1, 1)), guarantee);
    }
    SetDrivesForTesting({});
    SetMessageHookForTesting(nullptr);
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::GarantiaTest)
#include "garantia_test.moc"
