// The copy to disk on the output screen: a drive without a disk is asked for
// again while the user answers "Copiar"; Pic_Copiar writes the file named on
// the drive chosen in Lis_Unidad, in the format chosen in Opt_Exportar.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <filesystem>
#include <random>

#include "app/mensajes.h"
#include "output/listados.h"
#include "platform/drives.h"
#include "tests/output/output_test_support.h"
#include "tests/support/gui_support.h"

namespace vetra {

class DiskCopyScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void CopiarAsksForAMissingDiskThenWritesTheChosenFormatOnTheChosenDrive() {
    testing::GuiState t;
    testing::StoreTestColumns(t, 17);
    t.app.outputType = 3;
    testing::TempFolder drive;
    std::random_device rd;
    const std::string missing = "/mnt/vetra32-no-such-drive-" + std::to_string(rd()) + "/";
    SetDrivesForTesting({missing, drive.Path() + "/"});
    // Each dialog's title is kept; the dialog is answered with the next button.
    QStringList titles, answers{QStringLiteral("Pic_Copiar"), QStringLiteral("Pic_Salir")};
    SetMessageHookForTesting([&titles, &answers](Mensajes& dialog) {
      titles << dialog.findChild<QLabel*>(QStringLiteral("Tex_Titulo"))->text();
      const QString button = answers.isEmpty() ? QStringLiteral("Pic_Salir") : answers.takeFirst();
      QTest::mouseClick(dialog.findChild<QWidget*>(button), Qt::LeftButton);
    });
    Listados screen(t.app, nullptr);
    screen.show();
    QWidget* copiar = screen.findChild<QWidget*>(QStringLiteral("Pic_Copiar"));

    QTest::mouseClick(copiar, Qt::LeftButton);
    QCOMPARE(titles, (QStringList{QStringLiteral("NO HAY DISCO"), QStringLiteral("NO HAY DISCO")}));
    QVERIFY(!std::filesystem::exists(missing));

    auto* unidad = screen.findChild<QListWidget*>(QStringLiteral("Lis_Unidad"));
    // A long folder is shown without a sideways scroll bar over it.
    QVERIFY(!unidad->horizontalScrollBar()->isVisible());
    QTest::mouseClick(unidad->viewport(), Qt::LeftButton, {}, unidad->visualItemRect(unidad->item(1)).center());
    QTest::mouseClick(copiar, Qt::LeftButton);
    QCOMPARE(drive.Read("AD243").size(), 4 * 123u);  // a header and three slips

    // TXT2: one column to a line, under the name that goes with the format.
    QTest::mouseClick(screen.findChildren<QAbstractButton*>(QStringLiteral("Opt_Exportar"))[2], Qt::LeftButton);
    QCOMPARE(screen.findChild<QLineEdit*>(QStringLiteral("Tex_NombreArchivo"))->text(), QStringLiteral("Col0101.txt"));
    QTest::mouseClick(copiar, Qt::LeftButton);
    QCOMPARE(drive.Read("Col0101.txt").substr(0, 32), testing::TestColumn(1) + "\r\n" + testing::TestColumn(2) + "\r\n");
    QVERIFY(!screen.Running());
    SetDrivesForTesting({});
    SetMessageHookForTesting(nullptr);
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::DiskCopyScreenTest)
#include "disk_copy_screen_test.moc"
