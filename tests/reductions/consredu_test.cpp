// The reduction browser: opened and closed by the menu, paged by the arrows
// and by dragging its button (the largest reduction included), the index,
// the signs in the columns picture, help and leaving.
#include <fstream>

#include <QPointer>
#include <QTest>
#include <QTextBrowser>

#include "app/general_data.h"
#include "app/section_screen.h"
#include "app/vetra.h"
#include "matchdays/selection_lists.h"
#include "platform/help_viewer.h"
#include "reductions/base_file.h"
#include "reductions/browser_view.h"
#include "reductions/column_file.h"
#include "reductions/consredu.h"
#include "tests/reductions/numbered_columns.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

using testing::GuiState;
using testing::NumberedLines;

const std::string kDefaults = "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"";
const QColor kPink(255, 192, 255);

QWidget* Child(QWidget* screen, const char* name) { return screen->findChild<QWidget*>(QString::fromLatin1(name)); }
QImage Colum(QWidget* screen) { return screen->findChild<DrawingSurface*>(QStringLiteral("Pic_Colum"))->Image(); }

void Click(QWidget* screen, const char* control) {
  QTest::mouseClick(Child(screen, control), Qt::LeftButton, {}, QPoint(5, 5));
}

// Opens the order panel and clicks entry `entry` of its list.
void ChooseOrder(QWidget* screen, int entry) {
  auto* list = screen->findChild<PickList*>(QStringLiteral("Lis_Orden"));
  testing::PressAt(screen, QPoint(list->x() + 10, 30));  // the list hangs under the panel's middle
  QVERIFY(list->isVisible());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(entry)).center());
}

// Presses the scroll button and drags the pointer `dx` pixels; Drop lets go.
void Drag(QWidget* boton, int dx) {
  QTest::mousePress(boton, Qt::LeftButton, {}, QPoint(5, 8));
  QTest::mouseMove(boton, QPoint(5 + dx, 8));
}
void Drop(QWidget* boton) { QTest::mouseRelease(boton, Qt::LeftButton, {}, QPoint(5, 8)); }

// The leftmost and rightmost pixel columns of ink (neither white nor pink)
// within a rectangle; -1 for none.
std::pair<int, int> InkSpan(const QImage& image, const QRect& rect) {
  int first = -1, last = -1;
  for (int x = rect.left(); x <= rect.right(); ++x)
    for (int y = rect.top(); y <= rect.bottom(); ++y)
      if (const QRgb pixel = image.pixel(x, y); pixel != QColor(Qt::white).rgb() && pixel != kPink.rgb()) {
        if (first < 0) first = x;
        last = x;
      }
  return {first, last};
}

// Room around the sign of a column: its strip and a pixel either side.
QRect SignCell(int columnInPage, int match) {
  const SignPlace at = SignPlaceOf(columnInPage, match);
  return {at.x - 1, at.y, kStripWidth + 2, kMatchPitch};
}

struct Fixture {
  Fixture() {
    testing::WriteGeneralDataLine(t.folder, kDefaults);
    ReadGeneralData(t.app);
  }
  // An index line for matchday 1 and the order and, unless told otherwise,
  // a column file of numbered columns.
  void Store(int order, std::int32_t reducedBets, int method = 1, bool withFile = true) {
    BaseRecord r = EmptyBaseRecord();
    r.matchday = 1;
    r.orderNumber = static_cast<std::int16_t>(order);
    r.reductionMethod = static_cast<std::int16_t>(method);
    r.directBets = 3 * reducedBets;
    r.reducedBets = reducedBets;
    index += BaseLine(r) + "\r\n";
    t.folder.Write("BASES.VTR", index);
    if (withFile) t.folder.Write(ColumnFileName(1, order), NumberedLines(0, reducedBets));
  }
  GuiState t;
  std::string index;
};

}  // namespace

class ConsreduTest : public QObject {
  Q_OBJECT

 private slots:
  void TheArrowsAndTheButtonTurnPagesWithinTheReducedBets() {
    Fixture f;
    f.Store(1, 25);
    f.Store(2, 24);
    f.Store(3, 240);
    // The largest reduction, 86 MB, written at its ends only: reading the
    // hole between would show in the bytes read.
    constexpr std::int32_t kColumns = 4782969;
    constexpr std::int32_t kLastPage = 4782961;
    f.Store(4, kColumns, 1, false);
    {
      std::ofstream out(f.t.folder.File("RED0104.VTR"), std::ios::binary);
      out << NumberedLines(0, 24);
      out.seekp((kLastPage - 1) * static_cast<long long>(kColumnLineSize));
      out << NumberedLines(kLastPage - 1, kColumns - kLastPage + 1);
    }
    Consredu screen(f.t.app, nullptr);
    screen.show();
    const ScrollTrack track{f.t.app.scrollTrackLeft, f.t.app.scrollTrackRight};
    QWidget* boton = Child(&screen, "Pic_Boton");
    QCOMPARE(testing::PointerOf(Child(&screen, "Pic_FleIzq")), QStringLiteral("nodrop"));
    QCOMPARE(boton->x(), track.left);
    f.t.sounds.clear();
    Click(&screen, "Pic_FleDer");
    QCOMPARE(f.t.sounds, std::vector<int>{9});
    QCOMPARE(screen.FirstColumn(), 25);
    QCOMPARE(boton->x(), track.right);
    QCOMPARE(testing::PointerOf(Child(&screen, "Pic_FleDer")), QStringLiteral("nodrop"));
    Click(&screen, "Pic_FleDer");  // no page beyond
    QCOMPARE(screen.FirstColumn(), 25);

    // One full page: the button refused, at the left end; every load starts on the first page.
    ChooseOrder(&screen, 1);
    QCOMPARE(f.t.app.currentOrder, std::int16_t{2});
    QCOMPARE(screen.FirstColumn(), 1);
    Drag(boton, 55);
    QCOMPARE(boton->x(), track.left);
    Drop(boton);

    // Ten pages: released anywhere, the button snaps to the place of the page under it.
    ChooseOrder(&screen, 2);
    Drag(boton, 77);
    QCOMPARE(boton->x(), track.left + 77);
    const std::int32_t first = FirstColumnUnderButton(track.left + 77, 240, track);
    QCOMPARE(screen.FirstColumn(), first);
    QVERIFY(first > 1 && first < 217);
    Drop(boton);
    QCOMPARE(boton->x(), ButtonLeftForPage(240, FirstSlipOf(first), track));

    ChooseOrder(&screen, 3);
    const long long before = testing::BytesRead();
    Drag(boton, 1000);
    QCOMPARE(testing::PointerOf(boton), QStringLiteral("manocerrada"));
    QCOMPARE(boton->x(), track.right);
    QCOMPARE(screen.FirstColumn(), kLastPage);
    Drop(boton);
    QVERIFY(testing::BytesRead() - before < (1 << 20));  // the page alone was read
    const QImage last = Colum(&screen);
    QVERIFY(InkSpan(last, SignCell(8, 14)).first >= 0);  // column 4782969, slip 597872
    QCOMPARE(InkSpan(last, SignCell(9, 14)).first, -1);

    Click(&screen, "Pic_Salir");
    QVERIFY(!screen.isVisible());
    QVERIFY(!screen.Browsing());
  }

  void OpenedByTheMenuEmptyTillTheIndexLoadsAReductionOnItsStrips() {
    Fixture f;
    f.Store(1, 40, 1, false);
    // Order 2: column 11 (slip 2, third column) is the known one; columns 2,
    // 3 and 4 hold nothing but "1", "X" and "2"; the file lacks column 12.
    f.Store(2, 12, kProbableColumnMethod, false);
    std::string lines;
    for (char sign : std::string("11X2111111")) lines += ColumnLine(std::string(kMatches, sign));
    f.t.folder.Write("RED0102.VTR", lines + ColumnLine("1X21X21X21X21X"));
    MainMenu menu(f.t.app);
    menu.show();
    testing::PressAt(&menu, QPoint(40 + 215, 315 + 27));
    auto* found = menu.findChild<Consredu*>(QStringLiteral("consredu"));
    QVERIFY(found && found->isVisible());
    Consredu& screen = *found;
    QVERIFY(!screen.Browsing());
    QVERIFY(f.t.reporter.messages.empty());  // a missing file is not reported
    const QImage empty = Colum(&screen);
    QCOMPARE(InkSpan(empty, empty.rect()).first, -1);
    QCOMPARE(screen.width(), 607);
    QVERIFY(!Child(&screen, "Pic_ColBas")->isVisible());

    testing::WhenModal([](QWidget* modal) {
      QCOMPARE(modal->objectName(), QStringLiteral("historic"));
      QTest::mouseClick(Child(modal, "Pic_Carpeta"), Qt::LeftButton, {}, QPoint(200, 34 + 16 + 8));
    });
    Click(&screen, "Pic_Indice");
    QVERIFY(screen.Browsing());
    QCOMPARE(f.t.app.currentOrder, std::int16_t{2});
    QCOMPARE(screen.findChild<PickList*>(QStringLiteral("Lis_Orden"))->currentRow(), 1);
    // The probable column method shows its base column: a wider screen.
    QCOMPARE(screen.width(), 637);
    QVERIFY(Child(&screen, "Pic_ColBas")->isVisible());

    const QImage page = Colum(&screen);
    // Between the lines of matches 5 and 6: slip 1's box, a strip, the gap after it.
    QCOMPARE(QColor(page.pixel(15, 92)), kPink);
    QCOMPARE(QColor(page.pixel(StripLeft(3, 8) + 3, 92)), kPink);
    QCOMPARE(QColor(page.pixel(StripLeft(3, 8) + kStripWidth, 92)), QColor(Qt::white));
    const QString signs = QStringLiteral("1X21X21X21X21X");
    for (int m = 1; m <= kMatches; ++m) {
      const QRect cell = SignCell(10, m);
      const auto [first, last] = InkSpan(page, cell);
      QVERIFY2(first >= StripLeft(2, 3) && last < StripLeft(2, 3) + kStripWidth, qPrintable(QString::number(m)));
      const int reference = 1 + QStringLiteral("1X2").indexOf(signs[m - 1]);
      QCOMPARE(page.copy(cell), page.copy(SignCell(reference, m)));
    }
    QCOMPARE(InkSpan(page, SignCell(11, 1)).first, -1);  // past the end of the file
    // Navy captions over the bands of slips 1 and 2, none over slip 3.
    const QImage image = testing::SurfaceImage(&screen);
    for (int slip = 0; slip < 3; ++slip) {
      bool ink = false;
      for (int x = Child(&screen, "Pic_Colum")->x() + 15 + 80 * slip, end = x + 64; x < end; ++x)
        for (int y = 70; y <= 85; ++y) ink = ink || QColor(image.pixel(x, y)).blue() > 60;
      QCOMPARE(ink, slip < 2);
    }

    Click(&screen, "Pic_Ayuda");
    QVERIFY(HelpWindow() && HelpWindow()->source().toString().endsWith(QStringLiteral("2300.html")));
    HelpWindow()->close();
    QPointer<QWidget> closing(&screen);  // the menu's next press closes it
    testing::PressAt(&menu, QPoint(5, 5));
    QTRY_VERIFY(!closing);
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::ConsreduTest)
#include "consredu_test.moc"
