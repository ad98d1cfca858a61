#include "platform/text.h"

#include "app/cp1252.h"

namespace vetra {

QString FromFileText(std::string_view bytes) { return QString::fromStdString(Cp1252ToUtf8(bytes)); }

std::string ToFileText(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

QString FromMessage(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace vetra
