#include "platform/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/text.h"

namespace vetra {

void MessageBoxReporter::Report(const std::string& message) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Vetra32"), FromMessage(message), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setObjectName(QStringLiteral("system_message_box"));
  box.exec();
}

}  // namespace vetra
