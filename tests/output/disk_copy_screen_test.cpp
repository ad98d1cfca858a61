// The copy to disk on the output screen: Pic_Copiar writes the file on the
// drive chosen in Lis_Unidad, and a drive without a disk is asked for again
// while the user answers "Copiar".
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <random>

#include "app/app_state.h"
#include "app/mensajes.h"
#include "output/listados.h"
#include "platform/drives.h"
#include "tests/output/output_test_support.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace {

struct Fixture {
  // 17 columns of matchday 1, order 1, on the output screen of the disk copy.
  Fixture() {
    testing::StoreTestColumns(t, 17);
    t.app.currentMatchdayDate = "07/09/02";
    t.app.delegationCode = "12";
    t.app.receptorCode = "34567";
    t.app.outputType = 3;
  }
  ~Fixture() {
    SetDrivesForTesting({});
    SetMessageHookForTesting(nullptr);
  }
  testing::GuiState t;
  testing::TempFolder drive;
};

// Records each dialog's title and answers it with the next of `answers`.
void AnswerMessages(QStringList& titles, QStringList answers) {
  SetMessageHookForTesting([&titles, answers](Mensajes& dialog) mutable {
    titles << dialog.findChild<QLabel*>(QStringLiteral("Tex_Titulo"))->text();
    const QString button = answers.isEmpty() ? QStringLiteral("Pic_Salir") : answers.takeFirst();
    QTest::mouseClick(dialog.findChild<QWidget*>(button), Qt::LeftButton);
  });
}

void PressCopiar(Listados& screen) {
  QTest::mouseClick(screen.findChild<QWidget*>(QStringLiteral("Pic_Copiar")), Qt::LeftButton);
}

}  // namespace

class DiskCopyScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void CopiarWritesTheFileOnTheChosenDrive() {
    Fixture f;
    const std::string drive = f.drive.Path() + "/";
    SetDrivesForTesting({"/mnt/elsewhere/", drive});
    QStringList titles;
    AnswerMessages(titles, {});
    Listados screen(f.t.app, nullptr);
    screen.show();
    auto* unidad = screen.findChild<QListWidget*>(QStringLiteral("Lis_Unidad"));
    QCOMPARE(unidad->count(), 2);
    QCOMPARE(unidad->currentRow(), 0);
    unidad->setCurrentRow(1);
    screen.findChild<QLineEdit*>(QStringLiteral("Tex_NombreArchivo"))->setText(QStringLiteral(" AD243 "));
    PressCopiar(screen);
    QCOMPARE(titles, QStringList{QStringLiteral("ÚLTIMO BOLETO INCOMPLETO")});
    // A header and three slips; the last holds column 17 twice.
    const std::string bytes = f.drive.Read("AD243");
    QCOMPARE(bytes.size(), 4 * 123u);
    QCOMPARE(bytes.substr(0, 37), std::string("C") + "01" + "243" + "01" + "070902" + "12" + "34567" + "000018" + "01" +
                                      "000003" + "08");
    QCOMPARE(bytes.substr(369, 38), "D000000032" + testing::TestColumn(17) + testing::TestColumn(17));
    QVERIFY(screen.findChild<QWidget*>(QStringLiteral("Pic_Copiar"))->isVisible());
    QVERIFY(screen.findChild<QWidget*>(QStringLiteral("Fra_OpcionesDisco"))->isVisible());
    QVERIFY(!screen.findChild<QWidget*>(QStringLiteral("Pic_Cancelar"))->isVisible());
    QVERIFY(!screen.Running());
  }

  void ADriveWithoutDiskIsAskedForWhileCopiarIsPressed() {
    Fixture f;
    std::random_device rd;
    SetDrivesForTesting({"/mnt/vetra32-no-such-drive-" + std::to_string(rd()) + "/"});
    QStringList titles;
    AnswerMessages(titles, {QStringLiteral("Pic_Copiar"), QStringLiteral("Pic_Salir")});
    Listados screen(f.t.app, nullptr);
    screen.show();
    PressCopiar(screen);
    QCOMPARE(titles, (QStringList{QStringLiteral("NO HAY DISCO"), QStringLiteral("NO HAY DISCO")}));
    QVERIFY(screen.findChild<QWidget*>(QStringLiteral("Pic_Salir"))->isVisible());
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::DiskCopyScreenTest)
#include "disk_copy_screen_test.moc"
