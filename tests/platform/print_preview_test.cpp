// The print preview: the pages a job draws, shown before anything goes to
// paper, and the user's answer.
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

// Looks at the preview as soon as it is shown, then presses `button`.
void AnswerPreview(int& pages, QImage& picture, const char* button) {
  testing::WhenModal([&pages, &picture, button](QWidget* dialog) {
    auto* preview = dialog->findChild<QPrintPreviewWidget*>(QStringLiteral("paginas"));
    pages = preview->pageCount();
    picture = preview->grab().toImage().convertToFormat(QImage::Format_Grayscale8);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
  });
}

}  // namespace

class PrintPreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void ThePagesAreShownAndPrintedOnlyWhenAsked() {
    int pages = 0;
    QImage picture;
    AnswerPreview(pages, picture, "imprimir");
    QVERIFY(ShowPrintPreview(nullptr, ThreePages));
    QCOMPARE(pages, 3);
    // The first page fills the width: the square is there, square, an inch
    // from the page's corner.
    const QRect square = testing::DarkBounds(picture, QRect(0, 0, picture.width() / 2, picture.height() / 3), 40);
    QVERIFY(square.width() > 20);
    QVERIFY(std::abs(square.width() - square.height()) <= 2);
    int pageLeft = 0;
    while (pageLeft < square.left() && qGray(picture.pixel(pageLeft, square.center().y())) < 250) ++pageLeft;
    QVERIFY(std::abs(square.left() - pageLeft - square.width()) <= 2);

    AnswerPreview(pages, picture, "cancelar");
    QVERIFY(!ShowPrintPreview(nullptr, ThreePages));
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::PrintPreviewTest)
#include "print_preview_test.moc"
