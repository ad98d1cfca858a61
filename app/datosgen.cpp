#include "app/datosgen.h"

#include <algorithm>

#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScreen>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/general_data.h"
#include "app/help.h"
#include "app/numbers.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"
#include "platform/text.h"

namespace vetra {
namespace {

constexpr QSize kScreenSize(410, 262);
const QString kSingleBlank = QStringLiteral(" ");

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

}  // namespace

Datosgen::Datosgen(AppState& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName(QStringLiteral("datosgen"));
  setWindowTitle(QStringLiteral("Mantenimiento de Datos Generales"));
  setFixedSize(kScreenSize);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->geometry().center() - rect().center());

  surface_ = new DrawingSurface(this, kScreenSize);
  surface_->Clear(colour::kGround);
  connect(surface_, &DrawingSurface::Pressed, this, &Datosgen::PressAt);
  connect(surface_, &DrawingSurface::Moved, this, &Datosgen::MoveAt);

  AddHelpButton(this, app_, 2700, QPoint(21, 212));
  guardar_ = new PictureButton(this, QStringLiteral("Guardar"), QPoint(187, 212));
  AddExitButton(this, app_, QPoint(353, 212));
  connect(guardar_, &PictureButton::Pressed, this, &Datosgen::Save);

  totJor_ = AddEditor("Tex_TotJor", 2, 40);
  preApu_ = AddEditor("Tex_PreApu", 4, 50);
  delegacion_ = AddEditor("Tex_Delegacion", 2, 40);
  receptor_ = AddEditor("Tex_Receptor", 5, 60);
  connect(totJor_, &QLineEdit::textEdited, this, &Datosgen::FilterSeason);
  connect(preApu_, &QLineEdit::textEdited, this, [this] { FilterDigits(preApu_, true); });
  connect(delegacion_, &QLineEdit::textEdited, this, [this] { FilterDigits(delegacion_, false); });
  connect(receptor_, &QLineEdit::textEdited, this, [this] { FilterDigits(receptor_, false); });

  sonido_ = new QListWidget(this);
  sonido_->setObjectName(QStringLiteral("Lis_Sonido"));
  sonido_->addItems({QStringLiteral("Si"), QStringLiteral("No")});
  sonido_->setFixedSize(50, 38);
  sonido_->setFont(ScreenFont(false));
  sonido_->setCurrentRow(-1);
  sonido_->clearSelection();
  sonido_->installEventFilter(this);
  connect(sonido_, &QListWidget::itemClicked, this, [this] {
    if (panels_[kSound].open) ClosePanel(kSound);
  });

  panels_ = {{{QRect(37, 25, 130, 30), totJor_},
              {QRect(232, 25, 140, 30), preApu_},
              {QRect(21, 90, 160, 30), delegacion_},
              {QRect(221, 90, 160, 30), receptor_},
              {QRect(131, 155, 140, 30), sonido_}}};
  for (Panel& panel : panels_) {
    QWidget* e = panel.editor;
    e->move(panel.rect.left() + (panel.rect.width() - e->width()) / 2, panel.rect.bottom() + 2);
    e->hide();
  }
  totJor_->setText(QString::number(app_.totalMatchdays));
  preApu_->setText(FromFileText(app_.betPriceText));
  delegacion_->setText(FromFileText(app_.delegationCode));
  receptor_->setText(FromFileText(app_.receptorCode));
  for (int i = kSeason; i <= kReceptor; ++i) RedrawPanel(i);

  // The sound panel starts open, so that closing it silently selects the
  // list entry of the current setting and draws the panel.
  panels_[kSound].open = true;
  app_.listsFilling = true;
  TogglePanel(kSound);
  app_.listsFilling = false;

  MarkChanged(false);
  SetNormalPointer(surface_);
  app_.pointerZone = 0;
  ShowNormalPointer();
}

QLineEdit* Datosgen::AddEditor(const char* name, int maxLength, int width) {
  QLineEdit* box = AddTextBox(this, QString::fromLatin1(name), maxLength, width);
  box->installEventFilter(this);
  return box;
}

QString Datosgen::PanelText(int index) const {
  switch (index) {
    case kSeason: return QStringLiteral("Total jornadas:  ") + QString::number(app_.totalMatchdays);
    case kPrice: return QStringLiteral("Precio apuesta: ") + FromFileText(app_.betPriceText);
    case kDelegation: return QStringLiteral("Código Delegación: ") + FromFileText(app_.delegationCode);
    case kReceptor: return QStringLiteral("Código Receptor: ") + FromFileText(app_.receptorCode);
    default: return QStringLiteral("Sonido activado:  ") + FromFileText(app_.soundSetting);
  }
}

void Datosgen::RedrawPanel(int index) {
  const QRect& r = panels_[index].rect;
  QPainter p(&surface_->Image());
  DrawPanel(p, r.x(), r.y(), r.width(), r.height(), PanelText(index), kSingleBlank);
  surface_->update();
}

void Datosgen::PressAt(QPoint point) {
  for (int i = 0; i < static_cast<int>(panels_.size()); ++i)
    if (panels_[i].rect.contains(point)) TogglePanel(i);
}

void Datosgen::TogglePanel(int index) {
  Panel& panel = panels_[index];
  if (panel.open) {
    ClosePanel(index);
    return;
  }
  OpenPanelEditor(app_, surface_, panel.rect, panel.editor);
  panel.open = true;
}

void Datosgen::ClosePanel(int index) {
  Panel& panel = panels_[index];
  if (index != kSound || !app_.listsFilling) PlaySoundEffect(app_, 7);
  // Closed before hiding: hiding takes the focus away, which closes an open panel.
  panel.open = false;
  panel.editor->hide();
  switch (index) {
    case kSeason: CloseSeason(); break;
    case kPrice: ClosePrice(); break;
    case kDelegation: CloseCode(delegacion_, app_.delegationCode, 2); break;
    case kReceptor: CloseCode(receptor_, app_.receptorCode, 5); break;
    default: CloseSound(); break;
  }
  RedrawPanel(index);
}

void Datosgen::CloseSeason() {
  const std::int16_t value = SeasonLengthInRange(ValueOf(ToFileText(totJor_->text())));
  if (value != app_.totalMatchdays) MarkChanged(true);
  app_.totalMatchdays = value;
  totJor_->setText(QString::number(value));
}

void Datosgen::ClosePrice() {
  std::string text = FixedWidth(ShortestDecimal(static_cast<float>(ValueOf(ToFileText(preApu_->text())))), 4);
  if (text.front() == '.') text = "0" + text.substr(0, 3);
  app_.betPriceText = text;
  preApu_->setText(FromFileText(text));
  const auto price = static_cast<float>(ValueOf(text));
  if (price != app_.betPrice) MarkChanged(true);
  app_.betPrice = price;
}

void Datosgen::CloseCode(QLineEdit* editor, std::string& code, int width) {
  QString text = editor->text();
  if (text.size() < width) text = text.rightJustified(width, QLatin1Char('0'));
  editor->setText(text);
  const std::string bytes = ToFileText(text);
  if (bytes != code) MarkChanged(true);
  code = bytes;
}

void Datosgen::CloseSound() {
  const QList<QListWidgetItem*> selected = sonido_->selectedItems();
  if (!selected.isEmpty()) {
    const std::string entry = ToFileText(selected.front()->text());
    if (entry != app_.soundSetting) MarkChanged(true);
    app_.soundSetting = entry;
    return;
  }
  // "si" in any letter case means the sounds are on, as when they are played.
  const bool on = FromFileText(app_.soundSetting).compare(QStringLiteral("Si"), Qt::CaseInsensitive) == 0;
  sonido_->setCurrentRow(on ? 0 : 1);
}

void Datosgen::FilterDigits(QLineEdit* editor, bool allowPoint) {
  QString text = editor->text();
  int caret = editor->cursorPosition();
  if (caret > 0) {
    const QChar typed = text.at(caret - 1);
    if (!IsDigit(typed) && !(allowPoint && typed == QLatin1Char('.'))) {
      text.remove(caret - 1, 1);
      --caret;
    }
  }
  const QString trimmed = text.trimmed();
  int leading = 0;
  while (leading < text.size() && text.at(leading).isSpace()) ++leading;
  caret = std::clamp(caret - leading, 0, static_cast<int>(trimmed.size()));
  if (trimmed != editor->text()) {
    editor->setText(trimmed);
    editor->setCursorPosition(caret);
  }
}

void Datosgen::FilterSeason() {
  const QString text = totJor_->text().trimmed();
  const double value = ValueOf(ToFileText(text));
  if (value < 1 || value > 99)
    totJor_->clear();
  else if (text != totJor_->text())
    totJor_->setText(text);
}

void Datosgen::MarkChanged(bool changed) {
  changed_ = changed;
  ShowButtonActive(guardar_, changed);
}

void Datosgen::Save() {
  ShowHourglass();
  PlaySoundEffect(app_, 9);
  if (changed_) WriteGeneralData(app_);
  MarkChanged(false);
  ShowNormalPointer();
}

void Datosgen::MoveAt(QPoint point) {
  int zone = 0;
  for (int i = 0; i < static_cast<int>(panels_.size()); ++i)
    if (panels_[i].rect.contains(point)) zone = i + 1;
  SetZonePointer(app_.pointerZone, surface_, zone, QStringLiteral("ManoIndice"));
}

bool Datosgen::eventFilter(QObject* watched, QEvent* event) {
  const auto index = static_cast<int>(
      std::find_if(panels_.begin(), panels_.end(), [watched](const Panel& p) { return p.editor == watched; }) -
      panels_.begin());
  if (index < static_cast<int>(panels_.size())) {
    Panel& panel = panels_[index];
    switch (event->type()) {
      case QEvent::KeyPress:
        if (IsEnterKey(event) && panel.open) {
          ClosePanel(index);
          return true;
        }
        break;
      case QEvent::FocusOut: {
        // Switching to another window is not leaving the editor.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (panel.open && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
          ClosePanel(index);
        break;
      }
      case QEvent::Enter:
        SetZonePointer(app_.pointerZone, surface_, 0, QString());
        break;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void Datosgen::done(int result) {
  // The file holds the truth: unsaved edits are dropped.
  ReadGeneralData(app_);
  if (app_.currentMatchday > app_.totalMatchdays) app_.currentMatchday = app_.totalMatchdays;
  QDialog::done(result);
}

}  // namespace vetra
