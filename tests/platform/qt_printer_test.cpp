// The Qt printer: twips on paper, fonts, pages and the PDF fallback. The PDF
// is read back with poppler's tools and its pages looked at as pictures.
#include <QFontInfo>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QTest>

#include "tests/support/pdf_pages.h"
#include <cmath>
#include <filesystem>

#include "platform/qt_printer.h"
#include "tests/support/temp_folder.h"

namespace vetra {

namespace {

using testing::Run;

// Pages are rendered at 100 dots per inch: 14.4 twips to a dot.
constexpr int kDpi = 100;
int Dots(double twips) { return static_cast<int>(std::lround(twips * kDpi / 1440)); }

QString PdfInfo(const std::string& file) { return Run(QStringLiteral("pdfinfo"), {QString::fromStdString(file)}); }

// Sizes of every page, "595.276 x 449.3" and so on.
QStringList PageSizes(const std::string& file) {
  const QString info = Run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                                      QStringLiteral("99"), QString::fromStdString(file)});
  QStringList sizes;
  for (const QString& line : info.split(QLatin1Char('\n')))
    if (line.startsWith(QStringLiteral("Page")) && line.contains(QStringLiteral(" size: ")))
      sizes << line.section(QStringLiteral(" size: "), 1).section(QStringLiteral(" pts"), 0, 0).trimmed();
  return sizes;
}

int PageCount(const std::string& file) {
  for (const QString& line : PdfInfo(file).split(QLatin1Char('\n')))
    if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
  return -1;
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

std::vector<std::filesystem::path> FilesIn(const std::string& folder) {
  std::vector<std::filesystem::path> files;
  if (std::filesystem::exists(folder))
    for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path());
  return files;
}

}  // namespace

class QtPrinterTest : public QObject {
  Q_OBJECT

 private slots:
  void CourierNewHasTheWidthsOfCourierNew() {
    // fontconfig's metric aliases stand Liberation Mono in for Courier New.
    const QFontInfo courier(QFont(QStringLiteral("Courier New")));
    QCOMPARE(courier.family(), QStringLiteral("Liberation Mono"));
    QVERIFY(courier.fixedPitch());
    QCOMPARE(QFontInfo(QFont(QStringLiteral("Arial"))).family(), QStringLiteral("Liberation Sans"));
  }

  void TwipsLandWhereTheyShouldOnThePage() {
    testing::TempFolder folder;
    QtPrinter printer(folder.File("pdf"), QtPrinter::Output::Pdf);
    QVERIFY(printer.PrintsToPdf());
    printer.SetFontName("Courier New");
    printer.SetFontSize(9.75);
    printer.SetFontBold(true);
    printer.MoveTo(1440, 1440);
    printer.Print("VETRA");
    // Top of the text at CurrentY; then the start of the next line.
    QCOMPARE(printer.CurrentX(), 0.0);
    const double lineHeight = printer.CurrentY() - 1440;
    QVERIFY2(lineHeight > 215 && lineHeight < 227, qPrintable(QString::number(lineHeight)));

    // Ten characters of Courier New 9.75 are 1170 twips wide; the next line
    // starts at the left edge, one line lower.
    printer.SetFontBold(false);
    printer.MoveTo(1440, 2880);
    printer.Print("MMMMMMMMMM");
    printer.Print("MMMMMMMMMM");

    printer.FillBox(2880, 4320, 1440, 720);
    QCOMPARE(printer.CurrentX(), 4320.0);
    QCOMPARE(printer.CurrentY(), 5040.0);

    // 60 dots of a 600-dot PDF are a tenth of an inch.
    printer.SetLineWidth(60);
    printer.Line(1440, 7200, 5760, 7200);
    QCOMPARE(printer.CurrentX(), 5760.0);
    QCOMPARE(printer.CurrentY(), 7200.0);

    printer.NewPage();
    QCOMPARE(printer.Page(), 2);
    QCOMPARE(printer.CurrentY(), 0.0);
    printer.Print("SEGUNDA \xC1");  // Windows-1252 "Á"
    printer.NewPage();              // ends the job without a blank page
    QCOMPARE(printer.EndJob(), std::string());
    QCOMPARE(printer.Page(), 1);

    const std::string pdf = printer.LastPdfFile();
    QVERIFY(std::filesystem::exists(pdf));
    QCOMPARE(std::filesystem::path(pdf).parent_path(), std::filesystem::path(folder.File("pdf")));
    QCOMPARE(PageCount(pdf), 2);
    QVERIFY(PdfInfo(pdf).contains(QStringLiteral("(A4)")));
    QVERIFY(Run(QStringLiteral("pdffonts"), {QString::fromStdString(pdf)}).contains(QStringLiteral("LiberationMono")));
    QVERIFY(Run(QStringLiteral("pdftotext"), {QString::fromStdString(pdf), QStringLiteral("-")})
                .contains(QStringLiteral("SEGUNDA Á")));

    const QImage page = RenderPage(pdf, 1, folder);
    QVERIFY(std::abs(page.height() - 1169) <= 1);  // A4 at 100 dots per inch
    QCOMPARE(DarkBounds(page, QRect(0, 0, 90, 90)), QRect());  // nothing above and left of the text

    const QRect title = DarkBounds(page, QRect(80, 80, 100, 30));
    QVERIFY2(title.left() >= Dots(1440) && title.left() <= Dots(1440) + 3, qPrintable(QString::number(title.left())));
    QVERIFY2(title.top() >= Dots(1440) && title.top() <= Dots(1440) + 4, qPrintable(QString::number(title.top())));
    QVERIFY(title.right() > Dots(1440 + 4 * 117));
    QVERIFY(title.right() <= Dots(1440 + 5 * 117));

    const QRect first = DarkBounds(page, QRect(0, Dots(2880) - 5, 300, Dots(lineHeight)));
    QVERIFY2(first.left() >= Dots(1440) && first.left() <= Dots(1440) + 2, qPrintable(QString::number(first.left())));
    QVERIFY2(first.right() > Dots(1440 + 9.5 * 117) && first.right() <= Dots(1440 + 10 * 117),
             qPrintable(QString::number(first.right())));
    const QRect second = DarkBounds(page, QRect(0, first.bottom() + 2, 300, Dots(lineHeight)));
    QVERIFY2(second.left() <= 2, qPrintable(QString::number(second.left())));
    QVERIFY(std::abs(second.top() - first.top() - lineHeight * kDpi / 1440) <= 1.0);
    QVERIFY(std::abs(second.width() - first.width()) <= 1);

    const QRect box = DarkBounds(page, QRect(150, 250, 200, 150));
    QVERIFY(std::abs(box.left() - Dots(2880)) <= 1);
    QVERIFY(std::abs(box.top() - Dots(4320)) <= 1);
    QVERIFY(std::abs(box.right() + 1 - Dots(4320)) <= 1);
    QVERIFY(std::abs(box.bottom() + 1 - Dots(5040)) <= 1);
    QCOMPARE(DarkBounds(page, box.adjusted(-5, -5, 5, 5)), box);  // solid, nothing around it
    for (int y = box.top() + 1; y < box.bottom(); ++y)
      for (int x = box.left() + 1; x < box.right(); ++x) QVERIFY(qGray(page.pixel(x, y)) < 64);

    const QRect line = DarkBounds(page, QRect(50, Dots(7200) - 20, 400, 40));
    QVERIFY2(std::abs(line.height() - Dots(144)) <= 2, qPrintable(QString::number(line.height())));
    QVERIFY(std::abs(line.center().y() - Dots(7200)) <= 1);
    QVERIFY(line.left() >= Dots(1440) - Dots(72) - 1 && line.right() <= Dots(5760) + Dots(72) + 1);

    // Page 2 starts at its own top-left corner.
    const QRect top = DarkBounds(RenderPage(pdf, 2, folder), QRect(0, 0, 300, 60));
    QVERIFY(top.left() <= 2 && top.top() <= 4);
  }

  void ContinuousPaperGetsAShorterSheet() {
    testing::TempFolder folder;
    QtPrinter printer(folder.Path(), QtPrinter::Output::Pdf);
    printer.SetPaperSize(PaperSize::User);
    printer.SetPaperSize(PaperSize::A4);
    QCOMPARE(printer.PageHeight(), 16838);
    printer.SetPageHeight(static_cast<int>(std::lround(printer.PageHeight() * 158.5 / 297)));
    QCOMPARE(printer.PageHeight(), 8986);
    printer.MoveTo(0, 8000);
    printer.Print("1");
    printer.NewPage();
    printer.Print("2");
    QCOMPARE(printer.EndJob(), std::string());
    // The width stays that of A4; every page of the job is 158.5 mm long, as
    // near as the whole points Qt writes allow (449.3).
    QCOMPARE(PageSizes(printer.LastPdfFile()), (QStringList{QStringLiteral("595 x 449"), QStringLiteral("595 x 449")}));
    // The setting outlives the job.
    printer.Print("3");
    QCOMPARE(printer.EndJob(), std::string());
    QCOMPARE(PageSizes(printer.LastPdfFile()), QStringList{QStringLiteral("595 x 449")});
  }

  void JobsPagesAndEmptyJobs() {
    testing::TempFolder folder;
    const std::string pdfFolder = folder.File("pdf");
    QtPrinter printer(pdfFolder, QtPrinter::Output::Pdf);

    // Nothing printed: no file, nothing to report.
    printer.PrintEmptyLine();
    printer.NewPage();
    QCOMPARE(printer.EndJob(), std::string());
    QVERIFY(printer.LastPdfFile().empty());
    QVERIFY(FilesIn(pdfFolder).empty());

    // Two page breaks in a row leave a blank page between; one job per slip
    // gives one file per slip, even within the same second.
    printer.Print("uno");
    printer.NewPage();
    printer.NewPage();
    QCOMPARE(printer.Page(), 3);
    printer.Print("tres");
    QCOMPARE(printer.EndJob(), std::string());
    const std::string first = printer.LastPdfFile();
    QCOMPARE(PageCount(first), 3);
    QCOMPARE(DarkBounds(RenderPage(first, 2, folder), QRect(0, 0, 827, 1169)), QRect());

    printer.Line(0, 0, 1440, 1440);
    QCOMPARE(printer.EndJob(), std::string());
    const std::string second = printer.LastPdfFile();
    QVERIFY(second != first);
    QCOMPARE(PageCount(second), 1);
    QCOMPARE(FilesIn(pdfFolder).size(), std::size_t{2});
  }

  void AFolderThatCannotBeWrittenIsReportedNotThrown() {
    testing::TempFolder folder;
    folder.Write("taken", "a file where the folder should be");
    QtPrinter printer(folder.File("taken"), QtPrinter::Output::Pdf);
    printer.SetFontName("Courier New");
    printer.MoveTo(100, 100);
    printer.Print("nada");
    printer.FillBox(0, 0, 10, 10);
    QCOMPARE(printer.CurrentX(), 10.0);  // positions still follow
    printer.NewPage();
    printer.Print("nada");
    const std::string error = printer.EndJob();
    QVERIFY2(error.find("taken") != std::string::npos, error.c_str());
    QVERIFY(printer.LastPdfFile().empty());
    QCOMPARE(printer.Page(), 1);
    // The next job tries again and fails the same way, once.
    printer.Print("otra");
    QVERIFY(!printer.EndJob().empty());
    QCOMPARE(printer.EndJob(), std::string());
  }

  void WithoutAPrinterTheJobBecomesAPdf() {
    if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("this machine has a printer");
    testing::TempFolder folder;
    QtPrinter printer(folder.Path());
    QVERIFY(printer.PrintsToPdf());
    printer.Print("Vetra32");
    QCOMPARE(printer.EndJob(), std::string());
    QCOMPARE(PageCount(printer.LastPdfFile()), 1);
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::QtPrinterTest)
#include "qt_printer_test.moc"
