#include "matchdays/equipos.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPainter>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/mensajes.h"
#include "app/numbers.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"
#include "matchdays/team_file.h"
#include "matchdays/team_names.h"
#include "platform/text.h"

namespace vetra {
namespace {

constexpr QSize kScreenSize(400, 310);
constexpr int kNameLength = 15;

}  // namespace

Equipos::Equipos(AppState& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName(QStringLiteral("equipos"));
  setWindowTitle(QStringLiteral("Modificación de la lista de equipos"));
  setFixedSize(kScreenSize);
  CentreAsTheMenu(this);

  auto* surface = new DrawingSurface(this, kScreenSize);
  surface->Clear(colour::kGround);
  DrawFrames(surface);

  guardar_ = new PictureButton(this, QStringLiteral("Guardar"), QPoint(24, 249));
  anadir_ = new PictureButton(this, QStringLiteral("Añadir"), QPoint(156, 148));
  anadir_->setPixmap(ButtonPicture(QStringLiteral("anadir")));
  anadir_->setFixedSize(anadir_->pixmap().size());
  nuevo_ = AddTextBox(this, QStringLiteral("Tex_NuevoEquipo"), kNameLength, 118);
  nuevo_->move(28, 155);
  nuevo_->installEventFilter(this);
  lista_ = new QListWidget(this);
  lista_->setObjectName(QStringLiteral("Lis_Equipos"));
  lista_->setGeometry(226, 36, 146, 206);
  lista_->setFont(ScreenFont(false));
  lista_->setSelectionMode(QAbstractItemView::SingleSelection);
  borrar_ = new PictureButton(this, QStringLiteral("Borrar"), QPoint(281, 249));
  AddHelpButton(this, app_, 2151, QPoint(90, 249));
  AddExitButton(this, app_, QPoint(156, 249));
  connect(guardar_, &PictureButton::Pressed, this, &Equipos::Save);
  connect(anadir_, &PictureButton::Pressed, this, &Equipos::Add);
  connect(borrar_, &PictureButton::Pressed, this, &Equipos::Remove);
  connect(nuevo_, &QLineEdit::textChanged, this, [this](const QString& text) {
    const std::string name = ToFileText(text);
    ShowButtonActive(anadir_, !Trimmed(name).empty() && !HasTeamName(names_, name));
  });
  connect(lista_, &QListWidget::itemSelectionChanged, this,
          [this] { ShowButtonActive(borrar_, !lista_->selectedItems().isEmpty()); });

  names_ = LoadTeamList(app_);
  SortTeamNames(names_);
  for (const std::string& name : names_) lista_->addItem(FromFileText(name));

  ShowButtonActive(guardar_, false);
  ShowButtonActive(anadir_, false);
  ShowButtonActive(borrar_, false);
  SetNormalPointer(surface);
  ShowNormalPointer();
}

void Equipos::DrawFrames(DrawingSurface* surface) {
  QPainter p(&surface->Image());
  DrawTitledFrame(p, QRect(16, 134, 185, 64), QRect(28, 126, 112, 15), QPoint(33, 126),
                  QStringLiteral("Nombre del equipo"));
  DrawTitledFrame(p, QRect(214, 22, 170, 270), QRect(248, 14, 102, 15), QPoint(253, 14),
                  QStringLiteral("Lista de equipos"));
}

// The name takes its sorted place in the list as typed; the file gets it
// without its outer blanks when the list is saved.
void Equipos::Add() {
  const QString text = nuevo_->text();
  if (Trimmed(ToFileText(text)).empty()) return;
  PlaySoundEffect(app_, 9);
  if (HasTeamName(names_, ToFileText(text))) {
    ShowMessage(app_, QStringLiteral("EQUIPO REPETIDO"),
                QStringLiteral("El equipo ") + text.trimmed() +
                    QStringLiteral(" ya está en la lista de equipos. No se puede añadir dos veces."));
    nuevo_->selectAll();
    nuevo_->setFocus();
    ShowNormalPointer();
    return;
  }
  const auto row = static_cast<int>(InsertTeamName(names_, ToFileText(text)));
  lista_->insertItem(row, text);
  lista_->scrollToItem(lista_->item(row));
  nuevo_->clear();
  nuevo_->setFocus();
  ShowButtonActive(guardar_, true);
}

// A removal alone makes the list savable too: otherwise a name could only
// leave the file together with an addition.
void Equipos::Remove() {
  const QList<QListWidgetItem*> selected = lista_->selectedItems();
  if (selected.isEmpty()) return;
  PlaySoundEffect(app_, 9);
  const int row = lista_->row(selected.front());
  names_.erase(names_.begin() + row);
  delete lista_->takeItem(row);
  lista_->setCurrentItem(nullptr);
  lista_->clearSelection();
  ShowButtonActive(guardar_, true);
}

void Equipos::Save() {
  if (!ButtonIsActive(guardar_)) return;
  PlaySoundEffect(app_, 9);
  ShowHourglass();
  WriteTeamList(app_, names_);
  // A failed write keeps the list savable.
  ShowButtonActive(guardar_, app_.lastFileError != 0);
  ShowNormalPointer();
}

bool Equipos::eventFilter(QObject* watched, QEvent* event) {
  if (watched == nuevo_ && IsEnterKey(event)) {
    Add();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace vetra
