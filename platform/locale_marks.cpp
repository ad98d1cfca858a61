#include "platform/locale_marks.h"

#include <QLocale>

namespace vetra {

NumberMarks LocaleMarks() {
  const QLocale locale = QLocale::system();
  return {locale.groupSeparator().toStdString(), locale.decimalPoint().toStdString()};
}

}  // namespace vetra
