// The Qt printer: twips on paper, fonts, pages and the PDF fallback. The PDF
// is read back with poppler's tools and its pages looked at as pictures.
#include <QImage>
#include <QPrinterInfo>
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
#define NEAR(value, expected, slack) QVERIFY2(std::abs((value) - (expected)) <= (slack), qPrintable(QString::number(value)))

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
    // 60 dots of a 600-dot PDF are a tenth of an inch.
    printer.SetLineWidth(60);
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

    const QImage page = RenderPage(pdf, 1, folder);
    NEAR(page.height(), 1169, 1);  // A4
    QCOMPARE(DarkBounds(page, QRect(0, 0, 90, Dots(2880) - 5)), QRect());
    // Ten characters of Courier New 9.75 are 1170 twips wide.
    const QRect first = DarkBounds(page, QRect(0, Dots(2880) - 5, 300, Dots(lineHeight)));
    NEAR(first.left(), Dots(1440) + 1, 1);
    NEAR(first.top(), Dots(2880) + 2, 2);
    NEAR(first.right(), Dots(1440 + 9.75 * 117), Dots(0.25 * 117));
    const QRect second = DarkBounds(page, QRect(0, first.bottom() + 2, 300, Dots(lineHeight)));
    NEAR(second.left(), 1, 1);
    NEAR(second.top() - first.top(), lineHeight * kDpi / 1440, 1.0);

    const QRect box = DarkBounds(page, QRect(150, 250, 200, 150));
    NEAR(box.left(), Dots(2880), 1);
    NEAR(box.top(), Dots(4320), 1);
    NEAR(box.right() + 1, Dots(4320), 1);
    NEAR(box.bottom() + 1, Dots(5040), 1);
    QVERIFY(qGray(page.pixel(box.center())) < 64);  // filled

    const QRect line = DarkBounds(page, QRect(50, Dots(7200) - 20, 400, 40));
    NEAR(line.height(), Dots(144), 2);
    NEAR(line.center().y(), Dots(7200), 1);

    // Page 2 starts at its own top-left corner.
    const QRect top = DarkBounds(RenderPage(pdf, 2, folder), QRect(0, 0, 300, 60));
    QVERIFY(top.left() <= 2 && top.top() <= 4);
  }

  void ContinuousPaperGetsAShorterSheetThatOutlivesTheJob() {
    testing::TempFolder folder;
    QtPrinter printer(folder.Path(), QtPrinter::Output::Pdf);
    printer.SetPaperSize(PaperSize::A4);
    printer.SetPageHeight(static_cast<int>(std::lround(printer.PageHeight() * 158.5 / 297)));
    printer.Print("1");
    printer.NewPage();
    printer.Print("2");
    QCOMPARE(printer.EndJob(), std::string());
    NEAR(RenderPage(printer.LastPdfFile(), 2, folder).height(), 624, 1);
    printer.Print("3");
    QCOMPARE(printer.EndJob(), std::string());
    // Every page 158.5 mm long, as near as Qt's whole points allow; A4's width.
    const QImage page = RenderPage(printer.LastPdfFile(), 1, folder);
    NEAR(page.height(), 624, 1);
    NEAR(page.width(), 827, 1);
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

  void WithoutAPrinterTheJobBecomesAPdf() {
    if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("this machine has a printer");
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
