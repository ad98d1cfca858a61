#include "maintenance/borrar.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/mensajes.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"
#include "maintenance/matchday_deletion.h"
#include "matchdays/selection_lists.h"

namespace vetra {
namespace {

constexpr QSize kScreenSize(355, 250);
constexpr int kButtonsTop = 200;
// The lists offer every matchday a season can have, whatever its length.
constexpr int kListedMatchdays = 52;
constexpr int kListColumns = 6;  // columns of ten
constexpr int kListColumnWidth = 18;
constexpr int kListHeight = 140;

QString ConfirmationText(int first, int last) {
  QString text = QStringLiteral("Se  va  a  proceder  a  la  eliminación  de  todos  los  datos");
  if (first != last)
    text += QStringLiteral("  desde la  jornada  ") + TwoCharacters(first) + QStringLiteral("  hasta  la  jornada ") +
            TwoCharacters(last) + QStringLiteral("  ");
  else
    text += QStringLiteral(" de la Jornada ") + TwoCharacters(first);
  return text + QStringLiteral(
                    " .  Si  desea  continuar  con  el  proceso,  pulse Borrar. Si desea cancelar el proceso, pulse "
                    "Salir.");
}

}  // namespace

Borrar::Borrar(AppState& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName(QStringLiteral("borrar"));
  setWindowTitle(QStringLiteral("Borrar reducciones y datos de jornadas"));
  setFixedSize(kScreenSize);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->geometry().center() - rect().center());

  surface_ = new DrawingSurface(this, kScreenSize);
  surface_->Clear(colour::kGround);
  connect(surface_, &DrawingSurface::Pressed, this, &Borrar::PressAt);
  connect(surface_, &DrawingSurface::Moved, this, &Borrar::MoveAt);

  AddHelpButton(this, app_, 2800, QPoint(20, kButtonsTop));
  auto* borrar = new PictureButton(this, QStringLiteral("Borrar"), QPoint(159, kButtonsTop));
  AddExitButton(this, app_, QPoint(299, kButtonsTop));
  connect(borrar, &PictureButton::Pressed, this, &Borrar::DeleteRange);
  SetPointer(borrar, QStringLiteral("ManoIndice"));

  fields_[kFirst].rect = QRect(20, 20, 135, 30);
  fields_[kFirst].label = QStringLiteral("Desde la jornada ");
  fields_[kLast].rect = QRect(200, 20, 135, 30);
  fields_[kLast].label = QStringLiteral("Hasta la jornada ");
  AddList(kFirst, "Lis_JorIni");
  AddList(kLast, "Lis_JorFin");

  // Selecting the first entries draws both fields with matchday 1.
  QStringList entries;
  for (int n = 1; n <= kListedMatchdays; ++n) entries << TwoCharacters(n);
  app_.listsFilling = true;
  for (Field& field : fields_) {
    field.list->Fill(entries, true);
    field.list->Select(0);
  }
  app_.listsFilling = false;

  SetNormalPointer(surface_);
  app_.pointerZone = 0;
  ShowNormalPointer();
}

void Borrar::AddList(int field, const char* name) {
  Field& f = fields_[field];
  f.list = new PickList(this, QString::fromLatin1(name));
  // Six columns of ten, centred under the field, one pixel below it.
  const int width = kListColumns * kListColumnWidth;
  f.list->setGeometry(f.rect.x() + (f.rect.width() - width) / 2, f.rect.bottom() + 2, width, kListHeight);
  connect(f.list, &PickList::Chosen, this, [this, field](int entry) { Choose(field, entry); });
  auto leave = [this, field] {
    if (fields_[field].open) Choose(field, fields_[field].list->currentRow());
  };
  connect(f.list, &PickList::Left, this, leave);
  connect(f.list, &PickList::activated, this, leave);  // Enter
}

void Borrar::RedrawField(int field) {
  const Field& f = fields_[field];
  QPainter p(&surface_->Image());
  DrawPanel(p, f.rect.x(), f.rect.y(), f.rect.width(), f.rect.height(), f.label + QString::number(f.matchday),
            QStringLiteral(" "));
  surface_->update();
}

void Borrar::PressAt(QPoint point) {
  for (int i = kFirst; i <= kLast; ++i) {
    Field& f = fields_[i];
    if (!f.rect.contains(point)) continue;
    if (f.open) {
      Choose(i, f.list->currentRow());
      return;
    }
    // The other list is taken over first, so that a correction it makes to
    // this field happens before this list opens rather than closing it.
    const int other = Other(i);
    if (fields_[other].open) Choose(other, fields_[other].list->currentRow());
    OpenPanelEditor(app_, surface_, f.rect, f.list);
    f.open = true;
    return;
  }
}

void Borrar::Choose(int field, int entry) {
  Field& f = fields_[field];
  if (!f.programSelecting && !app_.listsFilling) PlaySoundEffect(app_, 7);
  // Closed before hiding: hiding takes the focus away, which closes an open list.
  f.open = false;
  f.list->hide();
  f.matchday = static_cast<std::int16_t>(entry + 1);
  RedrawField(field);
  if (f.programSelecting) return;

  // The range never runs backwards: the other end follows this one.
  Field& other = fields_[Other(field)];
  const bool crossed = field == kFirst ? other.matchday < f.matchday : other.matchday > f.matchday;
  if (!crossed) return;
  other.programSelecting = true;
  other.list->Select(f.matchday - 1);
  other.programSelecting = false;
}

void Borrar::DeleteRange() {
  PlaySoundEffect(app_, 9);
  app_.deletePressed = false;
  ShowMessage(app_, QStringLiteral("BORRADO DE DATOS"), ConfirmationText(First(), Last()), {Answer::Borrar});
  if (app_.deletePressed) {
    ShowHourglass();
    DeleteMatchdays(app_, First(), Last());
  }
  ShowNormalPointer();
}

void Borrar::MoveAt(QPoint point) {
  std::int16_t zone = 0;
  for (int i = kFirst; i <= kLast; ++i)
    if (fields_[i].rect.contains(point)) zone = static_cast<std::int16_t>(i + 1);
  if (zone == app_.pointerZone) return;
  app_.pointerZone = zone;
  if (zone)
    SetPointer(surface_, QStringLiteral("ManoIndice"));
  else
    SetNormalPointer(surface_);
}

void Borrar::done(int result) {
  for (Field& f : fields_) {
    f.open = false;
    f.list->hide();
  }
  QDialog::done(result);
}

}  // namespace vetra
