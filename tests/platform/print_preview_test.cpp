// The print preview: the pages a job draws, shown before anything goes to
// paper, and the user's answer.
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>

#include "output/printer.h"
#include "platform/print_preview.h"
#include "tests/support/gui_support.h"
#include "tests/support/pdf_pages.h"

namespace vetra {

namespace {

// Three pages; the first holds only a black square of one inch.
void ThreePages(Printer& printer) {
  printer.FillBox(1440, 1440, 1440, 1440);
  printer.NewPage();
  printer.Print("dos");
  printer.NewPage();
  printer.Print("tres");
  printer.EndJob();
}

struct Seen {
  QString dialog;
  int pages = 0;
  QString count;
  QImage picture;
};

// Looks at the preview as soon as it is shown, then presses `button`.
void AnswerPreview(Seen& seen, const char* button) {
  testing::WhenModal([&seen, button](QWidget* dialog) {
    seen.dialog = dialog->objectName();
    auto* pages = dialog->findChild<QPrintPreviewWidget*>(QStringLiteral("paginas"));
    seen.pages = pages ? pages->pageCount() : -1;
    if (auto* count = dialog->findChild<QLabel*>(QStringLiteral("numeroPaginas"))) seen.count = count->text();
    if (pages) seen.picture = pages->grab().toImage().convertToFormat(QImage::Format_Grayscale8);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
  });
}

}  // namespace

class PrintPreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void ThePagesAreShownAndPrintedOnlyWhenAsked() {
    Seen seen;
    AnswerPreview(seen, "imprimir");
    QVERIFY(ShowPrintPreview(nullptr, ThreePages));
    QCOMPARE(seen.dialog, QStringLiteral("vistaPrevia"));
    QCOMPARE(seen.pages, 3);
    QCOMPARE(seen.count, QStringLiteral("3 páginas"));
    // The first page fills the width: the square is there, square, an inch
    // from the page's corner.
    const QImage& picture = seen.picture;
    const QRect square = testing::DarkBounds(picture, QRect(0, 0, picture.width() / 2, picture.height() / 3), 40);
    QVERIFY(square.width() > 20);
    QVERIFY(std::abs(square.width() - square.height()) <= 2);
    int pageLeft = 0;
    while (pageLeft < square.left() && qGray(picture.pixel(pageLeft, square.center().y())) < 250) ++pageLeft;
    QVERIFY(std::abs(square.left() - pageLeft - square.width()) <= 2);

    Seen cancelled;
    AnswerPreview(cancelled, "cancelar");
    QVERIFY(!ShowPrintPreview(nullptr, ThreePages));
    QCOMPARE(cancelled.pages, 3);
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::PrintPreviewTest)
#include "print_preview_test.moc"
