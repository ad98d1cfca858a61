#include "platform/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/text.h"

namespace vetra {
namespace {

void Show(QMessageBox::Icon icon, const std::string& message) {
  QMessageBox box(icon, QStringLiteral("Vetra32"), FromMessage(message), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setObjectName(QStringLiteral("system_message_box"));
  box.exec();
}

}  // namespace

void MessageBoxReporter::Report(const std::string& message) { Show(QMessageBox::Critical, message); }

void ShowNotice(const std::string& message) { Show(QMessageBox::Information, message); }

}  // namespace vetra
