#pragma once
// A printed matter as the user sends it: looked at in the preview first, then
// drawn on the printer in use, or in a PDF file when there is none.
#include <QString>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace vetra {

struct AppState;
class Printer;

// What the jobs of the screens are drawn on: the printer in use, or a PDF
// file in the documents folder. Tests put their own printer in place.
std::unique_ptr<Printer> MakeJobPrinter();
void SetPrinterForTesting(std::function<std::unique_ptr<Printer>()> make);

// The message that says where printed matter went as PDF: `what` is its
// name as a sentence starts it ("El escrutinio"), `where` the file or folder.
QString SavedAsPdfText(const QString& what, const QString& where);

// Shows `job` in the preview and, when the user sends it, prints it with the
// hourglass up; a failure is told under "ERROR DE IMPRESIÓN", a PDF file
// under `pdfTitle`. The job returns its failure, empty when it printed.
void PreviewAndPrint(QWidget* parent, AppState& app, const std::function<std::string(Printer&)>& job,
                     const QString& pdfTitle, const QString& what);

}  // namespace vetra
