#include "app/help.h"

#include "app/app_state.h"
#include "platform/help_viewer.h"

namespace vetra {

void ShowHelp(const AppState& app, int topic) {
  ShowHelpTopic(QString::fromStdString(app.programFolder), topic);
}

}  // namespace vetra
