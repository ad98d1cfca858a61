// The Qt printer: twips on paper, fonts, pages and the PDF fallback. The PDF
// is read back with poppler's tools and its pages looked at as pictures.
#include <QImage>
#include <QTest>
#include <cmath>
#include <filesystem>

#include "platform/qt_printer.h"
#include "tests/support/pdf_pages.h"
#include "tests/support/temp_folder.h"

namespace vetra {

namespace {

using testing::Run;

// Pages are rendered at 100 dots per inch: 14.4 twips to a dot.
constexpr int kDpi = 100;
int Dots(double twips) { return static_cast<int>(std::lround(twips * kDpi / 1440)); }
// A PDF's printable area begins a quarter of an inch in from the edges.
constexpr double kOrigin = 360;

int PageCount(const std::string& file) {
  const QString info = Run(QStringLiteral("pdfinfo"), {QString::fromStdString(file)});
  return info.section(QStringLiteral("Pages:"), 1).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

QImage RenderPage(const std::string& file, int page, const testing::TempFolder& folder) {
  const QString prefix = QString::fromStdString(folder.File("page" + std::to_string(page)));
  Run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-png"),
                                   QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                   QString::number(page), QStringLiteral("-singlefile"),
                                   QString::fromStdString(file), prefix});
  return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

// Where the ink of a rendered page lies, within `area`.
QRect DarkBounds(const QImage& image, const QRect& area) { return testing::DarkBounds(image, area, 128); }

// Whether `value` lies within `slack` of `expected`, saying which it was if not.
#define NEAR(value, expected, slack) \
  QVERIFY2(std::abs((value) - (expected)) <= (slack), qPrintable(QString::number(value)))

}  // namespace

class QtPrinterTest : public QObject {
  Q_OBJECT

 private slots:
  void TwipsLandWhereTheyShouldOnThePage() {
    testing::TempFolder folder;
    QtPrinter printer(folder.File("pdf"), QtPrinter::Output::Pdf);
    printer.SetFontName("Courier New");
    printer.SetFontSize(9.75);
    printer.MoveTo(1440, 2880);
    printer.Print("MMMMMMMMMM");
    // Top of the text at CurrentY; the next line starts at the left edge.
    QCOMPARE(printer.CurrentX(), 0.0);
    const double lineHeight = printer.CurrentY() - 2880;
    QVERIFY2(lineHeight > 215 && lineHeight < 227, qPrintable(QString::number(lineHeight)));
    printer.Print("MMMMMMMMMM");
    printer.FillBox(2880, 4320, 1440, 720);
    printer.FormBox(2880, 5760, 1440, 720);  // a preview's only: not on paper
    // 30 dots of a 300-dpi printer are a tenth of an inch, on any device.
    printer.SetLineWidth(30);
    printer.Line(1440, 7200, 5760, 7200);
    printer.NewPage();
    printer.Print("SEGUNDA \xC1");  // Windows-1252 "Á"
    printer.NewPage();              // ends the job without a blank page
    QCOMPARE(printer.EndJob(), std::string());

    const std::string pdf = printer.LastPdfFile();
    QCOMPARE(std::filesystem::path(pdf).parent_path(), std::filesystem::path(folder.File("pdf")));
    QCOMPARE(PageCount(pdf), 2);
    QVERIFY(Run(QStringLiteral("pdftotext"), {QString::fromStdString(pdf), QStringLiteral("-")})
                .contains(QStringLiteral("SEGUNDA Á")));

    // The PDF's printable area begins a quarter of an inch in, as on a
    // typical printer: everything lies 360 twips right and down.
    const QImage page = RenderPage(pdf, 1, folder);
    NEAR(page.height(), 1169, 1);  // A4
    QCOMPARE(DarkBounds(page, QRect(0, 0, 827, Dots(kOrigin + 2880) - 5)), QRect());
    QCOMPARE(DarkBounds(page, QRect(0, 0, Dots(kOrigin) - 1, 1169)), QRect());
    // Ten characters of Courier New 9.75 are 1170 twips wide.
    const QRect first = DarkBounds(page, QRect(0, Dots(kOrigin + 2880) - 5, 400, Dots(lineHeight)));
    NEAR(first.left(), Dots(kOrigin + 1440) + 1, 1);
    NEAR(first.top(), Dots(kOrigin + 2880) + 2, 2);
    NEAR(first.right(), Dots(kOrigin + 1440 + 9.75 * 117), Dots(0.25 * 117));
    const QRect second = DarkBounds(page, QRect(0, first.bottom() + 2, 400, Dots(lineHeight)));
    NEAR(second.left(), Dots(kOrigin) + 1, 1);
    NEAR(second.top() - first.top(), lineHeight * kDpi / 1440, 1.0);

    const QRect box = DarkBounds(page, QRect(200, 280, 200, 100));
    NEAR(box.left(), Dots(kOrigin + 2880), 1);
    NEAR(box.top(), Dots(kOrigin + 4320), 1);
    NEAR(box.right() + 1, Dots(kOrigin + 4320), 1);
    NEAR(box.bottom() + 1, Dots(kOrigin + 5040), 1);
    QVERIFY(qGray(page.pixel(box.center())) < 64);  // filled
    QCOMPARE(testing::DarkBounds(page, QRect(200, Dots(kOrigin + 5760) - 5, 200, 60), 250), QRect());

    const QRect line = DarkBounds(page, QRect(50, Dots(kOrigin + 7200) - 20, 500, 40));
    NEAR(line.height(), Dots(144), 2);
    NEAR(line.center().y(), Dots(kOrigin + 7200), 1);

    // Page 2 starts at the corner of its own printable area.
    const QRect top = DarkBounds(RenderPage(pdf, 2, folder), QRect(0, 0, 300, 80));
    NEAR(top.left(), Dots(kOrigin) + 1, 1);
    NEAR(top.top(), Dots(kOrigin) + 3, 3);
  }

  void ContinuousFormsKeepTheirPlaceToTheTwipAndWidePaperIs350Millimetres() {
    testing::TempFolder folder;
    QtPrinter printer(folder.Path(), QtPrinter::Output::Pdf);
    printer.SetPaperSize(PaperSize::A4);
    QCOMPARE(printer.PageHeight(), 16838);
    printer.SetPageHeight(8986);  // 158.5 mm
    QCOMPARE(printer.PageHeight(), 8986);
    constexpr int kForms = 500;
    for (int form = 1; form <= kForms; ++form) {
      printer.MoveTo(1000, 4000);
      printer.Print("X");
      printer.NewPage();
    }
    QCOMPARE(printer.EndJob(), std::string());
    const QString pdf = QString::fromStdString(printer.LastPdfFile());

    // Pages of whole points; the paper under form k begins where the
    // previous pages end.
    const QStringList boxes = Run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                                QStringLiteral("-l"), QString::number(kForms),
                                                                QStringLiteral("-box"), pdf})
                                  .split(QLatin1Char('\n'))
                                  .filter(QStringLiteral("MediaBox"));
    QCOMPARE(boxes.size(), kForms);
    std::vector<double> paperTop{0};
    for (const QString& box : boxes) {
      const QStringList numbers = box.section(QLatin1Char(':'), 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
      NEAR(numbers[2].toDouble(), 595, 0.5);  // A4's width
      paperTop.push_back(paperTop.back() + numbers[3].toDouble() * 20);
    }
    NEAR(paperTop[kForms], kForms * 8986.0, 20);

    // The text of form k, measured from the start of the paper, lies
    // (k - 1) x 8986 twips below that of the first, within a twip.
    const QStringList words = Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")})
                                  .split(QLatin1Char('\n'))
                                  .filter(QStringLiteral("<word"));
    QCOMPARE(words.size(), kForms);
    double first = 0, worst = 0;
    for (int k = 1; k <= kForms; ++k) {
      const double yMin = words[k - 1].section(QStringLiteral("yMin=\""), 1).section(QLatin1Char('"'), 0, 0).toDouble();
      const double onPaper = paperTop[k - 1] + yMin * 20;
      if (k == 1) first = onPaper;
      worst = std::max(worst, std::abs(onPaper - first - (k - 1) * 8986.0));
    }
    QVERIFY2(worst <= 1, qPrintable(QString::number(worst)));

    // The size stays for the next job; the wide paper is 350 mm wide.
    printer.Print("3");
    QCOMPARE(printer.EndJob(), std::string());
    NEAR(RenderPage(printer.LastPdfFile(), 1, folder).height(), 624, 1);
    printer.SetPaperSize(PaperSize::Wide);
    QCOMPARE(printer.PageHeight(), 16838);
    printer.Print("ancho");
    QCOMPARE(printer.EndJob(), std::string());
    const QImage wide = RenderPage(printer.LastPdfFile(), 1, folder);
    NEAR(wide.width(), 1378, 1);  // 350 mm
    NEAR(wide.height(), 1169, 1);
  }

  void EmptyJobsMakeNoFileAndEveryJobItsOwn() {
    testing::TempFolder folder;
    const std::string pdfFolder = folder.File("pdf");
    QtPrinter printer(pdfFolder, QtPrinter::Output::Pdf);
    printer.PrintEmptyLine();
    printer.NewPage();
    QCOMPARE(printer.EndJob(), std::string());
    QVERIFY(!std::filesystem::exists(pdfFolder) || std::filesystem::is_empty(pdfFolder));

    // Two page breaks in a row leave a blank page between; jobs within the
    // same second still get a file each.
    printer.Print("uno");
    printer.NewPage();
    printer.NewPage();
    printer.Print("tres");
    QCOMPARE(printer.EndJob(), std::string());
    const std::string first = printer.LastPdfFile();
    QCOMPARE(PageCount(first), 3);
    QCOMPARE(DarkBounds(RenderPage(first, 2, folder), QRect(0, 0, 827, 1169)), QRect());
    printer.Line(0, 0, 1440, 1440);
    QCOMPARE(printer.EndJob(), std::string());
    QVERIFY(printer.LastPdfFile() != first);
  }

  void AFolderThatCannotBeWrittenIsReportedOncePerJob() {
    testing::TempFolder folder;
    folder.Write("taken", "a file where the folder should be");
    QtPrinter printer(folder.File("taken"), QtPrinter::Output::Pdf);
    printer.Print("nada");
    printer.NewPage();
    printer.Print("nada");
    const std::string error = printer.EndJob();
    QVERIFY2(error.find("taken") != std::string::npos, error.c_str());
    QVERIFY(printer.LastPdfFile().empty());
    QCOMPARE(printer.EndJob(), std::string());  // the next, empty, job has nothing to report
  }

  // The tests see no printer, whatever the machine has.
  void WithoutAPrinterTheJobBecomesAPdf() {
    testing::TempFolder folder;
    QtPrinter printer(folder.Path());
    printer.Print("Vetra32");
    QCOMPARE(printer.EndJob(), std::string());
    QCOMPARE(PageCount(printer.LastPdfFile()), 1);
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::QtPrinterTest)
#include "qt_printer_test.moc"
