#pragma once
// The pages of a print job shown on the screen before the job goes to paper.
#include <functional>

class QWidget;

namespace vetra {

class Printer;

// Shows the pages `job` draws on the printer it is given (the job ends itself;
// several jobs follow one another as pages) as they would come out of the
// printer in use, with the boxes of the forms drawn faintly under the marks.
// The user may pick another printer, or a PDF file, for this and the
// following jobs. True when the user sends the pages to print, false when the
// preview is closed without.
bool ShowPrintPreview(QWidget* parent, const std::function<void(Printer&)>& job);

}  // namespace vetra
