#include "output/print_job.h"

#include "app/mensajes.h"
#include "app/pointers.h"
#include "platform/print_preview.h"
#include "platform/qt_printer.h"
#include "platform/text.h"

namespace vetra {

namespace {

std::function<std::unique_ptr<Printer>()>& TestPrinter() {
  static std::function<std::unique_ptr<Printer>()> make;
  return make;
}

}  // namespace

std::unique_ptr<Printer> MakeJobPrinter() {
  if (TestPrinter()) return TestPrinter()();
  return std::make_unique<QtPrinter>(DefaultPdfFolder());
}

void SetPrinterForTesting(std::function<std::unique_ptr<Printer>()> make) { TestPrinter() = std::move(make); }

QString SavedAsPdfText(const QString& what, const QString& where) {
  return WhyPdf() + what + QStringLiteral(" se ha guardado en ") + where + QStringLiteral(".");
}

void PreviewAndPrint(QWidget* parent, AppState& app, const std::function<std::string(Printer&)>& job,
                     const QString& pdfTitle, const QString& what) {
  if (!ShowPrintPreview(parent, job)) return;
  ShowHourglass();
  const std::unique_ptr<Printer> printer = MakeJobPrinter();
  const std::string failure = job(*printer);
  ShowNormalPointer();
  const auto* qtPrinter = dynamic_cast<const QtPrinter*>(printer.get());
  if (!failure.empty())
    ShowMessage(app, QStringLiteral("ERROR DE IMPRESIÓN"), FromMessage(failure));
  else if (qtPrinter && !qtPrinter->LastPdfFile().empty())
    ShowMessage(app, pdfTitle,
                SavedAsPdfText(what, QStringLiteral("el fichero ") + QString::fromStdString(qtPrinter->LastPdfFile())));
}

}  // namespace vetra
