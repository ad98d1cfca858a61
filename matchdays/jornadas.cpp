#include "matchdays/jornadas.h"

#include <algorithm>

#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/mensajes.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"
#include "matchdays/equipos.h"
#include "matchdays/matchday_date.h"
#include "matchdays/matchday_file.h"
#include "matchdays/selection_lists.h"
#include "matchdays/team_file.h"
#include "matchdays/team_names.h"
#include "platform/text.h"

namespace vetra {
namespace {

constexpr QSize kScreenSize(525, 400);
constexpr int kMatchdayPanelLeft = 32;
constexpr int kHomeLeft = 190;
constexpr int kAwayLeft = 349;
constexpr int kFirstRowTop = 40;
constexpr int kRowHeight = 24;
constexpr QSize kTeamBoxSize(143, 21);
constexpr int kDateBoxWidth = 24;
const QString kSingleBlank = QStringLiteral(" ");

// The record pads every name with blanks to 15 characters; the boxes show
// the name alone, so that a character typed after it is not lost to the cut.
QString NameInBox(const std::string& stored) {
  QString name = FromFileText(stored);
  while (name.endsWith(QLatin1Char(' '))) name.chop(1);
  return name;
}

}  // namespace

Jornadas::Jornadas(AppState& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName(QStringLiteral("jornadas"));
  setWindowTitle(QStringLiteral("Datos de jornadas"));
  setFixedSize(kScreenSize);
  app_.matchdayListTop = 30;
  matchdayPanel_ = QRect(kMatchdayPanelLeft, app_.matchdayListTop, 90, 30);
  datePanel_ = QRect(19, 194, 116, 30);
  CentreAsTheMenu(this);

  surface_ = new DrawingSurface(this, kScreenSize);
  surface_->Clear(colour::kGround);
  connect(surface_, &DrawingSurface::Pressed, this, &Jornadas::PressAt);
  connect(surface_, &DrawingSurface::Moved, this, &Jornadas::MoveAt);

  BuildTeamBoxes();
  auto* barra = new QLabel(this);
  barra->setObjectName(QStringLiteral("Lab_Barra1"));
  barra->setGeometry(19, 284, 120, 4);
  barra->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  barra->installEventFilter(this);
  barra_ = barra;
  auto* equipos = new PictureButton(this, QStringLiteral("Equipos"), QPoint(33, 300));
  guardar_ = new PictureButton(this, QStringLiteral("Guardar"), QPoint(85, 300));
  AddHelpButton(this, app_, 2100, QPoint(33, 351));
  AddExitButton(this, app_, QPoint(85, 351));
  connect(equipos, &PictureButton::Pressed, this, &Jornadas::EditTeamList);
  connect(guardar_, &PictureButton::Pressed, this, &Jornadas::Save);
  SetPointer(equipos, QStringLiteral("ManoIndice"));

  jornadas_ = new PickList(this, QStringLiteral("Lis_Jornadas"));
  jornadas_->installEventFilter(this);
  // A click on an entry, or the list left while open, closes the panel.
  connect(jornadas_, &PickList::Chosen, this, [this] {
    app_.matchdayPanelOpen = true;
    PressMatchdayPanel();
  });
  connect(jornadas_, &PickList::Left, this, [this] {
    if (app_.matchdayPanelOpen) PressMatchdayPanel();
  });
  BuildDateBox();
  DrawFrame();

  // The panel starts open, so that the list's selection of the current
  // matchday closes it silently and loads the matchday.
  if (app_.currentMatchday < 1) app_.currentMatchday = 1;
  if (app_.currentMatchday > app_.totalMatchdays) app_.currentMatchday = app_.totalMatchdays;
  app_.listsFilling = true;
  app_.matchdayPanelOpen = true;
  FillMatchdayList(app_, jornadas_, kMatchdayPanelLeft);
  FillTeamDropDowns();
  dateOpen_ = false;
  DrawDatePanel();
  app_.listsFilling = false;

  SetNormalPointer(surface_);
  app_.pointerZone = 0;
  ShowNormalPointer();
}

void Jornadas::BuildTeamBoxes() {
  for (int k = 0; k < kTeamNames; ++k) {
    auto* box = new QComboBox(this);
    box->setObjectName(QStringLiteral("Cbo_Equipo%1").arg(k + 1));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setMaxVisibleItems(15);
    box->setFont(ScreenFont(false));
    box->setGeometry(QRect(QPoint(k % 2 == 0 ? kHomeLeft : kAwayLeft, kFirstRowTop + kRowHeight * (k / 2)),
                           kTeamBoxSize));
    box->installEventFilter(this);
    box->lineEdit()->installEventFilter(this);
    box->setValidator(FileTextValidator(box));
    connect(box->lineEdit(), &QLineEdit::textEdited, this, [this, box] {
      CutTeamName(box);
      MarkChanged(true);
    });
    connect(box, &QComboBox::activated, this, [this] { MarkChanged(true); });
    equipos_[k] = box;
  }
}

void Jornadas::BuildDateBox() {
  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("Pic_FecJor"));
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame->setAutoFillBackground(true);
  frame->setPalette(QPalette(Bgr(colour::kSilver)));
  const char* names[] = {"Tex_FecDia", "Tex_FecMes", "Tex_FecAno"};
  int left = 3;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      auto* slash = new QLabel(QStringLiteral("/"), frame);
      slash->setFont(ScreenFont(true));
      slash->setGeometry(left, 3, 8, 21);
      slash->setAlignment(Qt::AlignCenter);
      left += 8;
    }
    QLineEdit* box = AddTextBox(frame, QString::fromLatin1(names[i]), 2, kDateBoxWidth);
    box->setAlignment(Qt::AlignCenter);
    box->move(left, 3);
    box->installEventFilter(this);
    left += kDateBoxWidth;
    fecha_[i] = box;
  }
  // Two characters in the day or month box move on to the next box.
  for (int i = 0; i < 2; ++i)
    connect(fecha_[i], &QLineEdit::textEdited, this, [this, i] {
      if (fecha_[i]->cursorPosition() == 2) {
        fecha_[i + 1]->setFocus();
        fecha_[i + 1]->selectAll();
      }
    });
  frame->setFixedSize(left + 3, 27);
  frame->setFocusProxy(fecha_[0]);
  frame->move(datePanel_.left() + (datePanel_.width() - frame->width()) / 2, datePanel_.bottom() + 2);
  frame->installEventFilter(this);
  frame->hide();
  fecJor_ = frame;
}

void Jornadas::DrawFrame() {
  QPainter p(&surface_->Image());
  DrawTitledFrame(p, QRect(154, 22, 349, 364), QRect(244, 14, 180, 15), QPoint(249, 14),
                  QStringLiteral("Partidos incluidos en el boleto"));
  // The match numbers left of each row and a dash between its two teams.
  p.setFont(ScreenFont(true));
  const QFontMetrics metrics(p.font());
  for (int m = 1; m <= kTeamNames / 2; ++m) {
    const int top = kFirstRowTop + kRowHeight * (m - 1) + 4;
    const QString number = QString::number(m);
    DrawShadowText(p, 180 - metrics.horizontalAdvance(number), top, number);
    DrawShadowText(p, kAwayLeft - 10, top, QStringLiteral("-"));
  }
  surface_->update();
}

void Jornadas::DrawMatchdayPanel() {
  QPainter p(&surface_->Image());
  DrawPanel(p, matchdayPanel_.x(), matchdayPanel_.y(), matchdayPanel_.width(), matchdayPanel_.height(),
            QStringLiteral("Jornada ") + QString::number(app_.currentMatchday), kSingleBlank);
  surface_->update();
}

void Jornadas::DrawDatePanel() {
  QPainter p(&surface_->Image());
  DrawPanel(p, datePanel_.x(), datePanel_.y(), datePanel_.width(), datePanel_.height(),
            QStringLiteral("Fecha:") + FromFileText(app_.currentMatchdayDate), kSingleBlank);
  surface_->update();
}

void Jornadas::PressAt(QPoint point) {
  if (matchdayPanel_.contains(point)) PressMatchdayPanel();
  if (datePanel_.contains(point)) PressDatePanel();
}

void Jornadas::MoveAt(QPoint point) {
  SetZonePointer(app_.pointerZone, surface_, matchdayPanel_.contains(point) ? 1 : datePanel_.contains(point) ? 2 : 0,
                 QStringLiteral("ManoIndice"));
}

void Jornadas::PressMatchdayPanel() {
  if (!app_.matchdayPanelOpen) {
    // Only one panel is open at a time; a date that cannot be taken over
    // was never valid and is dropped after the message.
    if (dateOpen_ && !TakeOverDate()) {
      dateOpen_ = false;
      fecJor_->hide();
      ShowDateInBoxes();
      DrawDatePanel();
    }
    OpenPanelEditor(app_, surface_, matchdayPanel_, jornadas_);
    app_.matchdayPanelOpen = true;
    return;
  }
  if (!app_.listsFilling) PlaySoundEffect(app_, 7);
  // Closed before hiding: hiding takes the focus away from the list.
  app_.matchdayPanelOpen = false;
  jornadas_->hide();
  const int chosen = jornadas_->currentRow() + 1;
  // Closing the list on the matchday already shown keeps its edits.
  if (chosen >= 1 && (app_.listsFilling || chosen != app_.currentMatchday)) {
    app_.currentMatchday = static_cast<std::int16_t>(chosen);
    LoadChosenMatchday();
  }
  DrawDatePanel();
  DrawMatchdayPanel();
}

void Jornadas::LoadChosenMatchday() {
  ReadMatchday(app_);
  ShowDateInBoxes();
  for (int k = 0; k < kTeamNames; ++k) equipos_[k]->setEditText(NameInBox(TeamName(app_.matchdayRecord, k + 1)));
  MarkChanged(false);
}

void Jornadas::ShowDateInBoxes() {
  const QString date = FromFileText(app_.currentMatchdayDate);
  for (int i = 0; i < 3; ++i) fecha_[i]->setText(date.mid(3 * i, 2));
}

void Jornadas::PressDatePanel() {
  if (dateOpen_) {
    TakeOverDate();
    return;
  }
  if (app_.matchdayPanelOpen) PressMatchdayPanel();
  OpenPanelEditor(app_, surface_, datePanel_, fecJor_);
  fecha_[0]->selectAll();
  dateOpen_ = true;
}

bool Jornadas::TakeOverDate() {
  PlaySoundEffect(app_, 7);
  for (QLineEdit* box : fecha_) box->setText(FromFileText(PadDateField(ToFileText(box->text()))));
  if (!DateIsValid()) return false;
  dateOpen_ = false;
  fecJor_->hide();
  const std::string date = ToFileText(fecha_[0]->text() + QLatin1Char('/') + fecha_[1]->text() +
                                      QLatin1Char('/') + fecha_[2]->text());
  if (date != app_.currentMatchdayDate) MarkChanged(true);
  app_.currentMatchdayDate = date;
  DrawDatePanel();
  return true;
}

bool Jornadas::DateIsValid() {
  if (IsValidMatchdayDate(ToFileText(fecha_[0]->text()), ToFileText(fecha_[1]->text()),
                          ToFileText(fecha_[2]->text())))
    return true;
  ShowMessage(app_, QStringLiteral("ERROR EN LA FECHA"),
              QStringLiteral("No ha indicado la fecha de la jornada o no es correcta. No se pueden guardar los "
                             "datos de la jornada  si  no  se incluye una fecha válida.  Introduzca  un  valor  "
                             "correcto  antes  de  intentar guardar los datos de la jornada."));
  ShowNormalPointer();
  return false;
}

void Jornadas::CutTeamName(QComboBox* box) {
  QLineEdit* edit = box->lineEdit();
  if (edit->text().size() <= static_cast<qsizetype>(kTeamNameWidth)) return;
  const int caret = std::min(edit->cursorPosition(), static_cast<int>(kTeamNameWidth));
  edit->setText(edit->text().left(static_cast<qsizetype>(kTeamNameWidth)));
  edit->setCursorPosition(caret);
}

// The drop-downs offer the team list, sorted; the typed texts stay. A file
// that cannot be read leaves them as they were.
void Jornadas::FillTeamDropDowns() {
  std::vector<std::string> names = ReadTeamNames(app_);
  if (app_.lastFileError != 0) return;
  SortTeamNames(names);
  QStringList entries;
  for (const std::string& name : names) entries << FromFileText(name);
  for (QComboBox* box : equipos_) {
    const QString text = box->currentText();
    box->clear();
    box->addItems(entries);
    box->setCurrentIndex(-1);
    box->setEditText(text);
  }
}

void Jornadas::MarkChanged(bool changed) { ShowButtonActive(guardar_, changed); }

void Jornadas::Save() {
  if (!ButtonIsActive(guardar_)) return;
  PlaySoundEffect(app_, 9);
  if (dateOpen_ && !TakeOverDate()) return;
  if (!DateIsValid()) return;
  ShowHourglass();
  MarkChanged(false);
  SetMatchdayHead(app_.matchdayRecord, app_.currentMatchday, app_.currentMatchdayDate);
  for (int k = 0; k < kTeamNames; ++k)
    SetTeamName(app_.matchdayRecord, k + 1, ToFileText(equipos_[k]->currentText()));
  WriteMatchday(app_);
  // A failed write keeps the changes savable.
  if (app_.lastFileError != 0) MarkChanged(true);
  ShowNormalPointer();
}

void Jornadas::EditTeamList() {
  PlaySoundEffect(app_, 9);
  Equipos(app_, this).exec();
  FillTeamDropDowns();
}

bool Jornadas::eventFilter(QObject* watched, QEvent* event) {
  if (IsEnterKey(event)) {
    for (QLineEdit* box : fecha_)
      if (watched == box) {
        if (dateOpen_) PressDatePanel();
        return true;
      }
    // The key reaches the box that has the focus, which hands it to its line
    // edit directly, past this filter.
    for (int k = 0; k < kTeamNames; ++k)
      if (watched == equipos_[k] || watched == equipos_[k]->lineEdit()) {
        if (k + 1 < kTeamNames) equipos_[k + 1]->setFocus(Qt::TabFocusReason);
        return true;
      }
  }
  // Typing in a date box replaces what it holds ("00" for a new matchday),
  // also after a click, which places the caret once the focus has come.
  if (event->type() == QEvent::FocusIn)
    for (QLineEdit* box : fecha_)
      if (watched == box) QTimer::singleShot(0, box, &QLineEdit::selectAll);
  // The wheel would change a team while the mouse merely passes over a box.
  if (event->type() == QEvent::Wheel && qobject_cast<QComboBox*>(watched)) return true;
  if (event->type() == QEvent::Enter && (watched == jornadas_ || watched == fecJor_ || watched == barra_))
    SetZonePointer(app_.pointerZone, surface_, 0, QString());
  return QDialog::eventFilter(watched, event);
}

}  // namespace vetra
