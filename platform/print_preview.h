#pragma once
// The pages of a print job shown on the screen before the job goes to paper.
#include <functional>

class QWidget;

namespace vetra {

class Printer;

// Shows the pages `job` draws on the printer it is given (the job ends itself)
// as they would come out of the default printer. True when the user sends
// them to print, false when the preview is closed without.
bool ShowPrintPreview(QWidget* parent, const std::function<void(Printer&)>& job);

}  // namespace vetra
