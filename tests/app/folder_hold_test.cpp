// One program at a time on a data folder: a second one only reads, a killed
// one's hold is taken over, and two folders are two programs' own.
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSysInfo>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <map>

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/file_io.h"
#include "app/folder_hold.h"
#include "app/general_data.h"
#include "app/vetra.h"
#include "platform/folder_lock.h"
#include "tests/support/gui_support.h"

namespace vetra {
namespace fs = std::filesystem;
namespace {

// The program itself, started on a data folder.
struct OtherProgram {
  explicit OtherProgram(const testing::TempFolder& folder) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VETRA_TEST_PROGRAM_DIR "/vetra32"),
                  {QStringLiteral("--data"), QString::fromStdString(folder.Path())});
  }
  ~OtherProgram() {
    process.kill();
    process.waitForFinished();
  }
  QProcess process;
};

// The lock file is made first and written next: held once it says by whom.
void WaitUntilHeld(const testing::TempFolder& folder) {
  QTRY_VERIFY_WITH_TIMEOUT(!folder.Read(kLockFileName).empty(), 30000);
}

void FillWithShippedFiles(const testing::TempFolder& folder) {
  for (const char* name : kShippedFiles) fs::copy_file(fs::path(VETRA_TEST_PROGRAM_DIR) / name, folder.File(name));
}

std::map<std::string, std::string> Contents(const testing::TempFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder.Path()))
    files[entry.path().filename().string()] = folder.Read(entry.path().filename().string());
  return files;
}

// The widget of a modal screen named `name`, found by its object name.
template <typename T>
T* Child(QWidget* screen, const char* name) {
  return screen->findChild<T*>(QString::fromLatin1(name));
}

}  // namespace

class FolderHoldTest : public QObject {
  Q_OBJECT

 private slots:
  void ASecondProgramSaysWhoHoldsTheFolderAndThenOnlyReads() {
    testing::GuiState t;
    testing::TempFolder data;
    FillWithShippedFiles(data);
    OtherProgram first(data);
    WaitUntilHeld(data);
    const auto before = Contents(data);

    t.app.dataFolder = data.Path();
    FolderLock lock(t.app.dataFolder);
    QString text;
    bool canTakeOver = true;
    testing::WhenModal([&](QWidget* box) {
      text = qobject_cast<QMessageBox*>(box)->text();
      canTakeOver = Child<QPushButton>(box, "Cmd_Tomar") != nullptr;
      QTest::mouseClick(Child<QPushButton>(box, "Cmd_Consulta"), Qt::LeftButton);
    });
    QVERIFY(HoldDataFolder(t.app, lock));
    QVERIFY(IsProtected(data.File("BASES.VTR")));
    QVERIFY(!canTakeOver);  // a program of this machine is alive: nothing to take over
    QVERIFY(text.contains(QSysInfo::machineHostName()));
    QVERIFY(text.contains(QFileInfo(QString::fromStdString(data.File(kLockFileName))).owner()));

    // Browse, scrutinise and leave, as the user would.
    MainMenu menu(t.app);
    menu.show();
    testing::PressAt(&menu, QPoint(300 + 10, 270 + 5));  // ESCRUTINIO DE ACIERTOS
    auto* escrutin = Child<QWidget>(&menu, "escrutin");
    QVERIFY(escrutin);
    escrutin->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(escrutin));
    for (int m = 1; m <= 14; ++m)
      QTest::mouseClick(Child<QWidget>(escrutin, "Pic_Ganadora"), Qt::LeftButton, {}, {15 * 1 - 6, 18 * m - 7});
    QTest::mouseClick(Child<QWidget>(escrutin, "Pic_Escrutar"), Qt::LeftButton, {}, {5, 5});
    const auto* hits = Child<QListWidget>(escrutin, "Lis_Aciertos");
    QVERIFY(hits->count() > 0);                           // shown, though not stored
    testing::PressAt(&menu, QPoint(40 + 10, 315 + 5));    // CONSULTAR REDUCCIONES
    QTest::mouseClick(Child<QWidget>(&menu, "Pic_Salir"), Qt::LeftButton, {}, {5, 5});
    QCOMPARE(Contents(data), before);
    QVERIFY(!t.reporter.messages.empty());  // the scrutiny said it stored nothing
  }

  void AKilledProgramsHoldIsTakenAtOnceAnotherMachinesOnlyAfterAQuestion() {
    testing::GuiState t;
    testing::TempFolder data;
    FillWithShippedFiles(data);
    {
      OtherProgram killed(data);
      WaitUntilHeld(data);
      QVERIFY(!FolderLock(data.Path()).Take());
      killed.process.kill();
      QVERIFY(killed.process.waitForFinished());
    }
    QVERIFY(data.Exists(kLockFileName));  // left behind
    t.app.dataFolder = data.Path();
    QStringList asked;
    {
      QTimer watch;  // any question asked is recorded and closed
      QObject::connect(&watch, &QTimer::timeout, [&asked] {
        if (QWidget* box = QApplication::activeModalWidget()) {
          asked << box->objectName();
          box->close();
        }
      });
      watch.start(5);
      FolderLock lock(t.app.dataFolder);
      QVERIFY(HoldDataFolder(t.app, lock));
      QVERIFY(asked.isEmpty() && !IsProtected(t.app.dataFolder));
      WriteGeneralData(t.app);
      QCOMPARE(t.app.lastFileError, 0);
    }

    // Whether a program of another machine still runs cannot be known: its
    // hold goes only when the user says so.
    data.Write(kLockFileName, "4242\nvetra32\notro-equipo\n");
    FolderLock lock(t.app.dataFolder);
    testing::WhenModal([&](QWidget* box) {
      asked << box->objectName();
      testing::WhenModal([&](QWidget* confirm) {
        asked << confirm->objectName();
        QTest::mouseClick(qobject_cast<QMessageBox*>(confirm)->button(QMessageBox::Yes), Qt::LeftButton);
      });
      QTest::mouseClick(Child<QPushButton>(box, "Cmd_Tomar"), Qt::LeftButton);
    });
    QVERIFY(HoldDataFolder(t.app, lock));
    QCOMPARE(asked, (QStringList{QStringLiteral("carpeta_ocupada"), QStringLiteral("tomar_carpeta")}));
    QVERIFY(data.Read(kLockFileName).find("otro-equipo") == std::string::npos);
    QVERIFY(!IsProtected(t.app.dataFolder));
  }

  void TwoProgramsOnTwoFoldersBothWrite() {
    testing::GuiState t;
    testing::TempFolder theirs, ours;
    FillWithShippedFiles(theirs);
    FillWithShippedFiles(ours);
    OtherProgram other(theirs);
    WaitUntilHeld(theirs);
    t.app.dataFolder = ours.Path();
    FolderLock lock(t.app.dataFolder);
    QVERIFY(HoldDataFolder(t.app, lock));
    QVERIFY(!IsProtected(t.app.dataFolder));
    ReadGeneralData(t.app);
    t.app.totalMatchdays = 40;
    WriteGeneralData(t.app);
    QCOMPARE(t.app.lastFileError, 0);
    QVERIFY(ours.Read("DATOSGEN.VTR").find(",40,") != std::string::npos);
    QVERIFY(ours.Exists(kLockFileName));
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::FolderHoldTest)
#include "folder_hold_test.moc"
