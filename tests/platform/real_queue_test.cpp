// Printing through real CUPS queues: a private cupsd with a queue of zero
// hardware margins and one with a quarter of an inch on every side. A slip
// with its reading marks, a test print, the basic-data listing, three
// continuous forms and a wide relation go through the program's own printer;
// the PDFs that come out are measured against the layout, which the
// recording printer gives in twips, and their texts against the program's
// own PDF.
#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <map>

#include "output/listings.h"
#include "output/slip_printing.h"
#include "platform/print_preview.h"
#include "platform/qt_printer.h"
#include "tests/output/output_test_support.h"
#include "tests/support/gui_support.h"
#include "tests/support/pdf_pages.h"
#include "tests/support/private_cups.h"
#include "tests/support/recording_printer.h"

namespace vetra {

namespace {

using testing::PrintedOperation;
using testing::PrinterOp;
using testing::RecordingPrinter;
using testing::Run;

// Pages are rendered at 360 dots per inch, 4 twips to a dot; the ink's
// centre of gravity gives a mark's place to a fraction of a dot.
constexpr double kDpi = 360;
constexpr double kTwipsPerDot = 1440 / kDpi;
// Courier New 9.75 is 5.85 points, 117 twips, a character.
constexpr double kCharacter = 117;
// How near a mark must land to its place.
constexpr double kSlack = 5;

#define NEAR(value, expected, slack)                  \
  QVERIFY2(std::abs((value) - (expected)) <= (slack), \
           qPrintable(                                \
               QStringLiteral("%1 where %2 was expected (%3)").arg(value).arg(expected).arg(QStringLiteral(#value))))

// Where the program's own PDF puts the printable area's corner.
constexpr double kPdfOrigin = 360;

// The sizes of a PDF's pages, in twips.
std::vector<QSizeF> PageSizes(const QString& pdf) {
  std::vector<QSizeF> sizes;
  const QStringList boxes =
      Run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                      QStringLiteral("999"), QStringLiteral("-box"), pdf})
          .split(QLatin1Char('\n'))
          .filter(QStringLiteral("MediaBox"));
  for (const QString& box : boxes) {
    const QStringList n = box.section(QLatin1Char(':'), 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (n.size() < 4) continue;
    sizes.emplace_back((n[2].toDouble() - n[0].toDouble()) * 20, (n[3].toDouble() - n[1].toDouble()) * 20);
  }
  return sizes;
}

QImage RenderPage(const QString& pdf, int page) {
  const QString prefix = pdf + QStringLiteral("-page");
  Run(QStringLiteral("pdftoppm"),
      {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-gray"), QStringLiteral("-f"),
       QString::number(page), QStringLiteral("-l"), QString::number(page), QStringLiteral("-singlefile"), pdf, prefix});
  return QImage(prefix + QStringLiteral(".pgm")).convertToFormat(QImage::Format_Grayscale8);
}

QRect Dots(const QRectF& twips) {
  return QRect(QPoint(static_cast<int>(twips.left() / kTwipsPerDot), static_cast<int>(twips.top() / kTwipsPerDot)),
               QPoint(static_cast<int>(twips.right() / kTwipsPerDot), static_cast<int>(twips.bottom() / kTwipsPerDot)));
}

// The ink within `area` (twips): its centre of gravity and its amount, in
// twips and square twips, and the darkest dot there.
struct Ink {
  double x = 0, y = 0, amount = 0;
  int darkest = 255;
};
Ink InkWithin(const QImage& image, const QRectF& area) {
  double sum = 0, sx = 0, sy = 0;
  Ink ink;
  const QRect dots = Dots(area);
  for (int y = dots.top(); y <= dots.bottom(); ++y)
    for (int x = dots.left(); x <= dots.right(); ++x) {
      if (!image.valid(x, y)) continue;
      const int gray = qGray(image.pixel(x, y));
      ink.darkest = std::min(ink.darkest, gray);
      const double weight = (255 - gray) / 255.0;
      sum += weight;
      sx += weight * (x + 0.5);
      sy += weight * (y + 0.5);
    }
  if (sum > 0) {
    ink.x = sx / sum * kTwipsPerDot;
    ink.y = sy / sum * kTwipsPerDot;
  }
  ink.amount = sum * kTwipsPerDot * kTwipsPerDot;
  return ink;
}

// The smallest rectangle (twips) holding the dark dots of `area` (twips).
QRectF InkBounds(const QImage& image, const QRectF& area) {
  const QRect dots = testing::DarkBounds(image, Dots(area), 128);
  if (dots.isEmpty()) return {};
  return QRectF(dots.left() * kTwipsPerDot, dots.top() * kTwipsPerDot, (dots.width()) * kTwipsPerDot,
                dots.height() * kTwipsPerDot);
}

// A job as it came out: its file, its pages' sizes and where each page's
// printable area begins, in twips from the page's corner.
struct Output {
  QString pdf;
  std::vector<QSizeF> sizes;
  double origin = 0;
  int formHeight = 0;  // continuous forms: their length

  // How far below the top of page k (1 for the first) its form begins: the
  // forms lie end to end on the paper, each formHeight long.
  double FormTop(int k) const {
    if (formHeight == 0) return 0;
    double paperTop = 0;
    for (int i = 1; i < k; ++i) paperTop += sizes[i - 1].height();
    return (k - 1) * static_cast<double>(formHeight) - paperTop;
  }
  // A rectangle of the layout on page k, on the sheet.
  QRectF OnSheet(const QRectF& layout, int k) const { return layout.translated(origin, origin + FormTop(k)); }
};

// Every cross and filled box of the layout lands with its centre within
// kSlack of its place, black and as thick as the layout says, on every page.
// Reading marks whose place lies beyond the printable area are counted in
// `lost`; every cross must be there.
void CheckMarks(const RecordingPrinter& layout, const Output& out, int& lost) {
  lost = 0;
  const auto lines = layout.Of(PrinterOp::Line);
  const auto boxes = layout.Of(PrinterOp::FillBox);
  QVERIFY(lines.size() > 100);
  for (int k = 1; k <= static_cast<int>(out.sizes.size()); ++k) {
    const QImage image = RenderPage(out.pdf, k);
    const QRectF printable =
        QRectF(QPointF(0, 0), out.sizes[k - 1]).adjusted(out.origin, out.origin, -out.origin, -out.origin);
    const auto check = [&](const QRectF& mark, double amount, bool readingMark) {
      const QRectF place = out.OnSheet(mark, k);
      if (!printable.contains(place)) {
        QVERIFY2(readingMark, "a cross falls outside the printable area");
        ++lost;
        return;
      }
      const Ink ink = InkWithin(image, place.adjusted(-40, -40, 40, 40));
      NEAR(ink.x, place.center().x(), kSlack);
      NEAR(ink.y, place.center().y(), kSlack);
      QVERIFY2(ink.darkest < 100, "a mark is too faint");
      NEAR(ink.amount, amount, amount * 0.3);
    };
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
      if (lines[i].page != k) continue;
      const QRectF cross = QRectF(QPointF(lines[i].x, lines[i].y), QPointF(lines[i].toX, lines[i].toY)).normalized();
      // Two strokes 2 dots of 300 dpi wide: 9.6 twips, on any device.
      check(cross, 2 * std::hypot(cross.width(), cross.height()) * 9.6, false);
    }
    for (const PrintedOperation& box : boxes)
      if (box.page == k) check(QRectF(box.x, box.y, box.width, box.height), box.width * box.height, true);
  }
}

// Every text of the layout lies as it lies in the program's own PDF, whose
// text the PDF tests measure: its ink within kSlack of the same place from
// the printable area's corner, nothing missing, nothing cut.
void CheckTexts(const RecordingPrinter& layout, const Output& out, const Output& own) {
  QCOMPARE(out.sizes.size(), own.sizes.size());
  for (int k = 1; k <= static_cast<int>(out.sizes.size()); ++k) {
    const QImage image = RenderPage(out.pdf, k), ownImage = RenderPage(own.pdf, k);
    // The texts of the page, from the printable area's corner (the marks'
    // boxes kept out of the way).
    QRectF texts;
    for (const PrintedOperation& text : layout.Of(PrinterOp::Print))
      if (text.page == k && !text.text.empty())
        texts |= QRectF(text.x, text.y, text.text.size() * kCharacter * 1.1, 240);
    const QRectF found = InkBounds(image, out.OnSheet(texts, k)).translated(-out.origin, -out.origin - out.FormTop(k));
    const QRectF expected =
        InkBounds(ownImage, own.OnSheet(texts, k)).translated(-own.origin, -own.origin - own.FormTop(k));
    QVERIFY(!expected.isEmpty());
    NEAR(found.left(), expected.left(), kSlack);
    NEAR(found.top(), expected.top(), kSlack);
    // Where a text ends depends a little on how each renderer draws its
    // last glyph.
    NEAR(found.right(), expected.right(), 2 * kSlack);
    NEAR(found.bottom(), expected.bottom(), 2 * kSlack);
  }
}

}  // namespace

class RealQueueTest : public QObject {
  Q_OBJECT

 private:
  testing::TempFolder folder_;
  std::unique_ptr<testing::PrivateCups> cups_;
  testing::TestState state_;
  std::map<QString, int> jobs_;
  int ownJobs_ = 0;

  // Runs `job` on the recording printer for its layout, on the program's own
  // PDF for its text, and through the program's printer, the queue in use.
  void PrintThrough(const QString& queue, double origin, const std::function<void(Printer&)>& job,
                    RecordingPrinter& layout, Output& out, Output& own) {
    job(layout);
    for (const PrintedOperation& height : layout.Of(PrinterOp::PageHeight))
      out.formHeight = own.formHeight = height.value;
    QtPrinter pdf(folder_.File("own" + std::to_string(++ownJobs_)), QtPrinter::Output::Pdf);
    job(pdf);
    own.pdf = QString::fromStdString(pdf.LastPdfFile());
    own.sizes = PageSizes(own.pdf);
    own.origin = kPdfOrigin;
    QtPrinter printer(folder_.File("unused"));
    QVERIFY(!printer.PrintsToPdf());
    job(printer);
    out.pdf = cups_->WaitForJob(queue, ++jobs_[queue]);
    QVERIFY2(!out.pdf.isEmpty(), "the job did not come out of the queue");
    out.sizes = PageSizes(out.pdf);
    out.origin = origin;
  }

 private slots:
  void initTestCase() {
    cups_ = std::make_unique<testing::PrivateCups>(folder_);
    if (!cups_->Failure().isEmpty()) QSKIP(qPrintable(QStringLiteral("no private CUPS server: ") + cups_->Failure()));
    // The program's printer finds the queues through the private server.
    qputenv("CUPS_SERVER", cups_->Socket().toLocal8Bit());
    QCOMPARE(cups_->AddQueue(QStringLiteral("zero"), 0, true), QString());
    QCOMPARE(cups_->AddQueue(QStringLiteral("margins"), 18, false), QString());
    AppState& app = state_.app;
    testing::SetUpReduction(app, 1);
    testing::StoreTestColumns(state_, 7 * 8);
    app.printOrientation = 1;
    app.printAdjust1 = 60;  // 6 mm, so that the reading marks left of the slip are on the sheet
    app.printAdjust2 = 30;
    app.printAdjust3 = 25;
    app.printAdjust4 = 15;
  }

  void cleanupTestCase() { cups_.reset(); }

  void MarksAndTextLandToTheTwipAndNothingIsCut_data() {
    QTest::addColumn<QString>("queue");
    QTest::addColumn<double>("origin");  // twips from the sheet's corner to the printable area's
    QTest::newRow("zero margins") << QStringLiteral("zero") << 0.0;
    QTest::newRow("quarter-inch margins") << QStringLiteral("margins") << 360.0;
  }

  void MarksAndTextLandToTheTwipAndNothingIsCut() {
    QFETCH(QString, queue);
    QFETCH(double, origin);
    AppState& app = state_.app;
    testing::ScriptedRun run;
    // The default printer is the first queue; the preview offers both and
    // the PDF file, and the other queue is chosen there.
    QStringList offered;
    testing::WhenModal([&offered, queue](QWidget* preview) {
      auto* printers = preview->findChild<QComboBox*>(QStringLiteral("impresora"));
      for (int i = 0; i < printers->count(); ++i) offered << printers->itemData(i).toString();
      printers->setCurrentIndex(printers->findData(queue));
      QTest::mouseClick(preview->findChild<QPushButton*>(QStringLiteral("imprimir")), Qt::LeftButton);
    });
    QVERIFY(ShowPrintPreview(nullptr, [&](Printer& p) {
      PrintIndividualSlips(p, app, {.firstSlip = 1, .lastSlip = 1}, run, testing::kSpanish);
    }));
    QCOMPARE(offered,
             (QStringList{QStringLiteral("margins"), QStringLiteral("probe"), QStringLiteral("zero"), QString()}));
    QCOMPARE(CurrentPrinterName(), queue);

    // Slip 1 in layout 1 with the reading marks of the reverse side, on A4.
    RecordingPrinter slipLayout;
    Output slip, ownSlip;
    PrintThrough(
        queue, origin,
        [&](Printer& p) {
          PrintIndividualSlips(p, app, {.firstSlip = 1, .lastSlip = 1, .reverse = true}, run, testing::kSpanish);
        },
        slipLayout, slip, ownSlip);
    QCOMPARE(slip.sizes.size(), std::size_t{1});
    NEAR(slip.sizes[0].width(), 11906, 20);
    NEAR(slip.sizes[0].height(), 16838, 20);
    int lost = 0;
    CheckMarks(slipLayout, slip, lost);
    QCOMPARE(lost, 0);
    CheckTexts(slipLayout, slip, ownSlip);

    // The test print of layout 2, every box marked, and the basic-data
    // listing.
    app.printOrientation = 2;
    RecordingPrinter testLayout;
    Output test, ownTest;
    PrintThrough(
        queue, origin, [&](Printer& p) { PrintIndividualSlips(p, app, {.testPrint = true}, run, testing::kSpanish); },
        testLayout, test, ownTest);
    app.printOrientation = 1;
    CheckMarks(testLayout, test, lost);
    QCOMPARE(lost, 0);
    CheckTexts(testLayout, test, ownTest);
    RecordingPrinter summaryLayout;
    Output summary, ownSummary;
    PrintThrough(
        queue, origin, [&](Printer& p) { PrintReductionSummary(p, app, 1, run, testing::kSpanish); }, summaryLayout,
        summary, ownSummary);
    CheckTexts(summaryLayout, summary, ownSummary);

    // Three continuous forms, each 158.5 mm below the one before.
    RecordingPrinter formLayout;
    Output forms, ownForms;
    PrintThrough(
        queue, origin,
        [&](Printer& p) { ImpriContinuo(p, app, {.firstSlip = 1, .lastSlip = 6}, run, testing::kSpanish); }, formLayout,
        forms, ownForms);
    QCOMPARE(forms.sizes.size(), std::size_t{3});
    double paper = 0;
    for (const QSizeF& size : forms.sizes) {
      NEAR(size.width(), 11906, 20);
      paper += size.height();
    }
    NEAR(paper, 3 * 8986.0, 20);
    CheckMarks(formLayout, forms, lost);
    // The lowest reading marks lie 155.6 mm below the printable area's top
    // of a form 158.5 mm long, the rightmost 200.5 mm right of its left: a
    // printer that cannot print the form's edges cannot print them (on each
    // form the 14 bars and 2 boxes at the bottom and the top right box).
    QCOMPARE(lost, origin == 0 ? 0 : 3 * 17);
    CheckTexts(formLayout, forms, ownForms);

    // The wide relation: 350 mm, seven slips to the row and the page number.
    RecordingPrinter relationLayout;
    Output relation, ownRelation;
    PrintThrough(
        queue, origin, [&](Printer& p) { PrintSlipRelation(p, app, 1, 7, true, run); }, relationLayout, relation,
        ownRelation);
    QCOMPARE(relation.sizes.size(), std::size_t{1});
    NEAR(relation.sizes[0].width(), 350 / 25.4 * 1440, 20);
    CheckTexts(relationLayout, relation, ownRelation);
    // The longest line, the page header, ends where its last character does.
    std::size_t longest = 0;
    for (const std::string& text : relationLayout.Texts()) longest = std::max(longest, text.find_last_not_of(' ') + 1);
    const QRectF ink = InkBounds(RenderPage(relation.pdf, 1), QRectF(QPointF(0, 0), relation.sizes[0]));
    NEAR(ink.right(), origin + longest * kCharacter, kCharacter);
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::RealQueueTest)
#include "real_queue_test.moc"
