#include "app/folder_hold.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "app/app_state.h"
#include "app/file_io.h"
#include "platform/folder_lock.h"

namespace vetra {
namespace {

enum class Choice { kReadOnly, kLeave, kTakeOver };

QString HolderText(const AppState& app, const FolderHolder& holder) {
  const QString who = holder.user.isEmpty() ? QStringLiteral("de otro usuario") : QStringLiteral("del usuario ") + holder.user;
  return QStringLiteral("La carpeta de datos\n%1\nestá abierta por Vetra32 %2 en el equipo %3 desde el %4 a las %5.")
      .arg(QString::fromStdString(app.dataFolder), who, holder.machine,
           holder.since.toString(QStringLiteral("dd/MM/yyyy")), holder.since.toString(QStringLiteral("HH:mm")));
}

Choice AskWhatToDo(const AppState& app, const FolderHolder& holder) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("CARPETA OCUPADA"),
                  HolderText(app, holder) +
                      QStringLiteral("\n\nMientras tanto puede abrirla solo para consulta (ver, imprimir, copiar a "
                                     "disco, enviar por correo y escrutar, sin guardar nada en ella) o salir."));
  box.setObjectName(QStringLiteral("carpeta_ocupada"));
  QPushButton* readOnly = box.addButton(QStringLiteral("Solo consulta"), QMessageBox::AcceptRole);
  readOnly->setObjectName(QStringLiteral("Cmd_Consulta"));
  QPushButton* leave = box.addButton(QStringLiteral("Salir"), QMessageBox::RejectRole);
  leave->setObjectName(QStringLiteral("Cmd_Salir"));
  QPushButton* takeOver = nullptr;
  if (!holder.thisMachine) {
    takeOver = box.addButton(QStringLiteral("Tomar la carpeta..."), QMessageBox::DestructiveRole);
    takeOver->setObjectName(QStringLiteral("Cmd_Tomar"));
  }
  box.setDefaultButton(readOnly);
  box.setEscapeButton(leave);
  box.exec();
  if (box.clickedButton() == readOnly) return Choice::kReadOnly;
  if (takeOver && box.clickedButton() == takeOver) return Choice::kTakeOver;
  return Choice::kLeave;
}

bool ConfirmTakeOver(const FolderHolder& holder) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("TOMAR LA CARPETA"),
                  QStringLiteral("Tome la carpeta solo si Vetra32 ya no está abierto en el equipo %1 (por ejemplo, "
                                 "si ese equipo se apagó sin cerrar el programa). Si sigue abierto, los dos programas "
                                 "escribirán en los mismos ficheros y se perderán reducciones.\n\n¿Tomar la carpeta?")
                      .arg(holder.machine),
                  QMessageBox::Yes | QMessageBox::No);
  box.setObjectName(QStringLiteral("tomar_carpeta"));
  box.setDefaultButton(QMessageBox::No);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Sí, tomarla"));
  return box.exec() == QMessageBox::Yes;
}

}  // namespace

bool HoldDataFolder(AppState& app, FolderLock& lock) {
  ProtectFolder("");
  if (lock.Take()) return true;
  for (;;) {
    const FolderHolder holder = lock.Holder();
    switch (AskWhatToDo(app, holder)) {
      case Choice::kReadOnly:
        ProtectFolder(app.dataFolder);
        return true;
      case Choice::kLeave:
        return false;
      case Choice::kTakeOver:
        if (ConfirmTakeOver(holder) && lock.TakeOver()) return true;
        break;
    }
  }
}

}  // namespace vetra
