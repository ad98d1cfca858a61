// How responsive the reduction screen stays while it reduces a full base:
// a timer that wants to run every millisecond records the longest gap between
// two of its turns while the run is going. Printed, never asserted.
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/app_state.h"
#include "app/general_data.h"
#include "reductions/reducir.h"
#include "tests/support/temp_folder.h"

using namespace vetra;

namespace {

void Press(QWidget* screen, const char* control, QPoint at) {
  QTest::mouseClick(screen->findChild<QWidget*>(QString::fromLatin1(control)), Qt::LeftButton, {}, at);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  testing::TestState t;
  t.folder.Write("DATOSGEN.VTR", "1,\"01/09/02\",1,2,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"No\"\r\n");
  t.folder.Write("BASES.VTR", "");
  ReadGeneralData(t.app);

  Reducir screen(t.app, nullptr);
  screen.show();
  // Every match a triple, marked, probable sign 1; errors 0 to 14: all 4,782,969 columns.
  QTest::mouseClick(screen.findChild<QWidget*>(QStringLiteral("surface")), Qt::LeftButton, {}, QPoint(60, 395));
  for (int m = 1; m <= 14; ++m) {
    Press(&screen, "Pic_Elegir", QPoint(9, 3 + 18 * (m - 1) + 7));
    Press(&screen, "Pic_ColBas", QPoint(9, 3 + 18 * (m - 1) + 7));
  }
  t.app.maxErrors = 14;

  QElapsedTimer sinceTurn, run;
  qint64 longestGap = 0, turns = 0;
  QTimer ticker;
  ticker.setInterval(1);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    if (!screen.Busy()) return;
    longestGap = std::max(longestGap, sinceTurn.restart());
    ++turns;
  });
  ticker.start();
  sinceTurn.start();
  run.start();
  Press(&screen, "Pic_Reducir", QPoint(5, 5));
  const qint64 runMs = run.elapsed();

  const auto bytes = std::filesystem::file_size(t.folder.File("RED0101.VTR"));
  std::printf("full base, probable column 0..14 errors: %lld ms for %llu bytes\n", static_cast<long long>(runMs),
              static_cast<unsigned long long>(bytes));
  std::printf("event loop served %lld times; longest gap between served events: %lld ms\n",
              static_cast<long long>(turns), static_cast<long long>(longestGap));
  return 0;
}
