#pragma once
// Text between the core and the screens: file bytes are Windows-1252, the
// program's own messages UTF-8, the screens QString.
#include <QString>
#include <QValidator>
#include <string>
#include <string_view>

namespace vetra {

QString FromFileText(std::string_view bytes);   // Windows-1252 bytes → screen text
std::string ToFileText(const QString& text);    // screen text → Windows-1252 bytes
QString FromMessage(const std::string& utf8);   // the core's messages, lines broken by CR LF

// Refuses, as they are typed, the characters a data file cannot hold, which
// would otherwise be stored as "?".
QValidator* FileTextValidator(QObject* parent);

}  // namespace vetra
