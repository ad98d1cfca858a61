#include "platform/text.h"

#include "app/cp1252.h"

namespace vetra {

QString FromFileText(std::string_view bytes) { return QString::fromStdString(Cp1252ToUtf8(bytes)); }

std::string ToFileText(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

QString FromMessage(const std::string& utf8) {
  // Messages break their lines with CR LF; on screen a line feed does it.
  return QString::fromStdString(utf8).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

namespace {

class FileTextOnly : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return FromFileText(ToFileText(input)) == input ? Acceptable : Invalid;
  }
};

}  // namespace

QValidator* FileTextValidator(QObject* parent) { return new FileTextOnly(parent); }

}  // namespace vetra
