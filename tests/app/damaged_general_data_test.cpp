// A DATOSGEN.VTR damaged outside every range still opens each screen whole:
// no control placed off its left or top edge and no message.
#include <QLabel>
#include <QTest>
#include <memory>

#include "app/datosgen.h"
#include "app/general_data.h"
#include "app/mensajes.h"
#include "maintenance/borrar.h"
#include "maintenance/historic.h"
#include "matchdays/equipos.h"
#include "matchdays/jornadas.h"
#include "output/listados.h"
#include "output/salida.h"
#include "reductions/consredu.h"
#include "reductions/reducir.h"
#include "scrutiny/escrutin.h"
#include "tests/support/gui_support.h"

namespace vetra {

namespace {

template <typename Screen>
std::unique_ptr<QWidget> Open(AppState& app) {
  return std::make_unique<Screen>(app, nullptr);
}

}  // namespace

class DamagedGeneralDataTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { SetMessageHookForTesting(nullptr); }

  void EveryScreenOpensWholeAndSilent() {
    using Maker = std::unique_ptr<QWidget> (*)(AppState&);
    const std::pair<const char*, Maker> screens[] = {
        {"datosgen", Open<Datosgen>}, {"jornadas", Open<Jornadas>}, {"equipos", Open<Equipos>},
        {"reducir", Open<Reducir>},   {"consredu", Open<Consredu>}, {"salida", Open<Salida>},
        {"listados", Open<Listados>}, {"escrutin", Open<Escrutin>}, {"historic", Open<Historic>},
        {"borrar", Open<Borrar>}};
    // Season, matchday, order, method, output type and slip places below and above their ranges.
    for (const char* line : {"0,\"01/09/02\",0,0,0,0,0,0,0,0,\"0.50\",\"00\",\"00000\",\"Si\"",
                             "120,\"01/09/02\",99,9,0,0,0,0,7,120,\"0.50\",\"00\",\"00000\",\"Si\""}) {
      for (const auto& [name, open] : screens) {
        testing::GuiState t;
        testing::WriteGeneralDataLine(t.folder, line);
        t.folder.Write("JORNADAS.VTR", "");
        t.folder.Write("BASES.VTR", "");
        t.folder.Write("EQUIPOS.VTR", "Celta\r\nBetis\r\n");
        ReadGeneralData(t.app);
        QStringList titles;
        SetMessageHookForTesting([&titles](Mensajes& dialog) {
          titles << dialog.findChild<QLabel*>(QStringLiteral("Tex_Titulo"))->text();
          dialog.accept();
        });
        const std::unique_ptr<QWidget> screen = open(t.app);
        screen->show();
        QCoreApplication::processEvents();
        const QString where = QString::fromLatin1(name) + QStringLiteral(" with ") + QString::fromLatin1(line);
        QVERIFY2(titles.isEmpty(), qPrintable(where + QStringLiteral(": ") + titles.join(QStringLiteral(", "))));
        for (const std::string& message : t.reporter.messages)
          QFAIL(qPrintable(where + QStringLiteral(": ") + QString::fromStdString(message)));
        for (const QWidget* control : screen->findChildren<QWidget*>())
          if (control->isVisibleTo(screen.get()))
            QVERIFY2(control->x() >= 0 && control->y() >= 0,
                     qPrintable(where + QStringLiteral(": ") + control->objectName()));
      }
    }
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::DamagedGeneralDataTest)
#include "damaged_general_data_test.moc"
