#pragma once
#include <QString>

class QTextBrowser;

namespace vetra {

inline constexpr const char* kHelpFile = "VETRA32.CHM";

// Opens the help file of the program folder at a numbered topic (0: the
// default page) in the help window, which stays open beside the screens.
// Returns false, after telling the user, when the help file is missing.
bool ShowHelpTopic(const QString& programFolder, int topic);

// The help window, or null while it has not been opened.
QTextBrowser* HelpWindow();

}  // namespace vetra
