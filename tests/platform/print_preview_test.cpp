// The print preview: the pages a job draws, shown before anything goes to
// paper, and the user's answer.
#include <QComboBox>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>

#include "output/printer.h"
#include "platform/print_preview.h"
#include "tests/support/gui_support.h"
#include "tests/support/pdf_pages.h"

namespace vetra {

namespace {

// Three pages in two jobs; the first holds a black square of one inch,
// beside it the faint box of a form, and below them a text.
void ThreePages(Printer& printer) {
  printer.FillBox(1440, 1440, 1440, 1440);
  printer.FormBox(4320, 1440, 1440, 1440);
  printer.MoveTo(1440, 4320);
  printer.Print("MMMM");  // black, after the faint box
  printer.NewPage();
  printer.Print("dos");
  printer.EndJob();
  printer.Print("tres");
  printer.EndJob();
}

struct Seen {
  int pages = 0;
  QImage picture;
  QStringList printers;
};

// Looks at the preview as soon as it is shown, then presses `button`.
void AnswerPreview(Seen& seen, const char* button) {
  testing::WhenModal([&seen, button](QWidget* dialog) {
    auto* preview = dialog->findChild<QPrintPreviewWidget*>(QStringLiteral("paginas"));
    seen.pages = preview->pageCount();
    seen.picture = preview->grab().toImage().convertToFormat(QImage::Format_Grayscale8);
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("impresora"));
    for (int i = 0; i < printers->count(); ++i) seen.printers << printers->itemData(i).toString();
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
    QCOMPARE(seen.pages, 3);  // the second job follows on a page of its own
    // Without a printer the pages go to a PDF, and only there.
    QCOMPARE(seen.printers, QStringList{QString()});
    // The first page fills the width: the square is there, square, an inch
    // and a quarter from the sheet's corner (the PDF's printable area begins
    // a quarter of an inch in).
    const QImage& picture = seen.picture;
    const QRect square = testing::DarkBounds(picture, QRect(0, 0, picture.width() / 2, picture.height() / 3), 40);
    QVERIFY(square.width() > 20);
    QVERIFY(std::abs(square.width() - square.height()) <= 2);
    int pageLeft = 0;
    while (pageLeft < square.left() && qGray(picture.pixel(pageLeft, square.center().y())) < 250) ++pageLeft;
    QVERIFY(std::abs(square.left() - pageLeft - square.width() * 5 / 4) <= 2);
    // The form's box beside it: drawn, and faint.
    const QRect formArea(square.right() + square.width() / 2, square.top() - 4, square.width() * 2,
                         square.height() + 8);
    QVERIFY(!testing::DarkBounds(picture, formArea, 245).isEmpty());
    QCOMPARE(testing::DarkBounds(picture, formArea, 120), QRect());
    const QRect textArea(square.left(), square.top() + square.height() * 2 + 2, square.width() * 2,
                         square.height() / 4);
    QVERIFY(!testing::DarkBounds(picture, textArea, 100).isEmpty());

    AnswerPreview(seen, "cancelar");
    QVERIFY(!ShowPrintPreview(nullptr, ThreePages));
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::PrintPreviewTest)
#include "print_preview_test.moc"
