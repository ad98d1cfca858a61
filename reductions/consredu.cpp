#include "reductions/consredu.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <initializer_list>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/numbers.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"
#include "maintenance/historic.h"
#include "matchdays/matchday_file.h"
#include "matchdays/selection_lists.h"
#include "platform/locale_marks.h"
#include "platform/text.h"
#include "reductions/base_file.h"
#include "reductions/reduction_tables.h"
#include "reductions/summary_drawing.h"

namespace vetra {
namespace {

// 9100 twips for the direct method and 9550 for the other two, at 15 twips
// to the pixel.
constexpr int kNarrowWidth = 607;
constexpr int kWideWidth = 637;
constexpr int kScreenHeight = 440;
constexpr int kMargin = 10;

// The sheet's grids, which the shared opening places.
constexpr QSize kGridSize(51, 257);
constexpr QSize kElegirSize(21, 257);
constexpr QSize kSignosSize(54, 271);

// The columns picture: three slips of eight strips, level with the grids.
constexpr QSize kColumSize(255, 257);
constexpr int kSlipCountOffset = 93;  // from the picture's left, at y = 45
constexpr int kSlipCountTop = 45;
constexpr int kBandTop = 70;  // the slip captions' band over the picture
constexpr int kBandBottom = 85;
constexpr int kCaptionTop = 73;
constexpr int kBoxTop = 6;
constexpr int kBoxWidth = 64;
constexpr int kBoxMargin = 13;  // the boxes and strips are this much shorter than the picture

// The arrows under the picture's ends, the track between them at their
// middle height, the button 8 pixels above the track.
constexpr int kArrowTop = 356;
constexpr int kButtonGap = 19;   // from the right limit to the right arrow
constexpr int kButtonRise = 8;
constexpr int kTrackInset = 9;   // the line runs under the button's middle
constexpr int kActionTop = 392;
constexpr int kActionPitch = 40;

const QString kSingleBlank = QStringLiteral(" ");
constexpr std::uint32_t kNavy = 0x800000;
constexpr std::uint32_t kPink = 0xFFC0FF;

DrawingSurface* AddPicture(QWidget* parent, const char* name, QSize size) {
  auto* picture = new DrawingSurface(parent, size);
  picture->setObjectName(QString::fromLatin1(name));
  return picture;
}

QFont ColumnsFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(12);
  font.setBold(true);
  return font;
}

}  // namespace

ScrollButton::ScrollButton(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("Pic_Boton"));
  setPixmap(ButtonPicture(QStringLiteral("Boton")));
  setFixedSize(pixmap().size());
  setMouseTracking(true);
}

void ScrollButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Pressed(event->position().x());
}

void ScrollButton::mouseMoveEvent(QMouseEvent* event) { emit Moved(event->position().x()); }

void ScrollButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Released();
}

Consredu::Consredu(AppState& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName(QStringLiteral("consredu"));
  setWindowTitle(QStringLiteral("Consulta Reducciones"));
  BuildControls();
  PrepareSheetScreen(app_, sheet_, panels_[kMatchdayPanel].list, panels_[kOrderPanel].list);
}

void Consredu::BuildControls() {
  setFixedHeight(kScreenHeight);
  sheet_.screen = new DrawingSurface(this, QSize(kWideWidth, kScreenHeight));
  connect(sheet_.screen, &DrawingSurface::Pressed, this, &Consredu::PressOnScreen);
  connect(sheet_.screen, &DrawingSurface::Moved, this, &Consredu::MoveOnScreen);
  sheet_.base = AddPicture(this, "Pic_Base", kGridSize);
  sheet_.elegir = AddPicture(this, "Pic_Elegir", kElegirSize);
  colBas_ = AddPicture(this, "Pic_ColBas", kGridSize);
  signos_ = AddPicture(this, "Pic_Signos", kSignosSize);
  sheet_.colBas = colBas_;
  sheet_.signos = signos_;
  colum_ = AddPicture(this, "Pic_Colum", kColumSize);
  colum_->Clear(colour::kWhite);

  fleIzq_ = new PictureButton(this, QStringLiteral("FleIzq"), {});
  fleDer_ = new PictureButton(this, QStringLiteral("FleDer"), {});
  boton_ = new ScrollButton(this);
  connect(fleIzq_, &PictureButton::Pressed, this, [this] { TurnPage(-1); });
  connect(fleDer_, &PictureButton::Pressed, this, [this] { TurnPage(1); });
  connect(boton_, &ScrollButton::Pressed, this, &Consredu::PressButton);
  connect(boton_, &ScrollButton::Moved, this, &Consredu::DragButton);
  connect(boton_, &ScrollButton::Released, this, &Consredu::ReleaseButton);

  auto* indice = new PictureButton(this, QStringLiteral("Indice"), {});
  SetPointer(indice, QStringLiteral("ManoIndice"));
  connect(indice, &PictureButton::Pressed, this, &Consredu::OpenIndex);
  buttons_ = {indice, AddHelpButton(this, app_, 2300, {}), AddExitButton(this, app_, {})};

  const char* names[] = {"Lis_Jornadas", "Lis_Orden"};
  for (int i : {kMatchdayPanel, kOrderPanel}) {
    auto* list = new PickList(this, QString::fromLatin1(names[i]));
    panels_[i].list = list;
    connect(list, &PickList::Chosen, this, [this, i](int entry) { ListChosen(i, entry); });
    // Leaving a shown list takes its entry as a click on it would.
    connect(list, &PickList::Left, this, [this, i] {
      if (panels_[i].open) ListChosen(i, panels_[i].list->currentRow());
    });
  }
}

void Consredu::LoadBrowser() {
  ReadMatchday(app_);
  LoadBase(app_, app_.currentMatchday, app_.currentOrder);
  app_.slipCount = SlipCountOf(app_.reducedBets);
  ArrangeBrowser();
  DrawScreen();

  firstColumn_ = 1;
  dragging_ = false;
  colum_->Clear(colour::kWhite);
  colum_->update();
  for (QWidget* w : std::initializer_list<QWidget*>{fleIzq_, fleDer_, boton_}) SetNoDropPointer(w);

  reader_.Close();
  if (reader_.Open(app_) != 0) return;
  DrawSlipCount();
  DrawBrowserPage();
  if (ButtonDraggable(app_.reducedBets)) SetPointer(boton_, QStringLiteral("ManoAbierta"));
  PlaceButton();
}

void Consredu::ArrangeBrowser() {
  const int method = app_.reductionMethod;
  const bool narrow = method == kDirectMethod;
  const int width = narrow ? kNarrowWidth : kWideWidth;
  app_.orderListLeft = static_cast<std::int16_t>(narrow ? 185 : 248);
  app_.sheetTextLeft = static_cast<std::int16_t>(narrow ? 120 : 150);
  setFixedWidth(width);
  panels_[kMatchdayPanel].rect = QRect(10, app_.matchdayListTop, 90, 30);
  panels_[kOrderPanel].rect = QRect(app_.orderListLeft, 15, 80, 30);
  panels_[kOrderPanel].list->move(app_.orderListLeft + 13, 46);

  sheet_.colBas = method == kProbableColumnMethod ? colBas_ : nullptr;
  sheet_.signos = method == kSignSelectionMethod ? signos_ : nullptr;
  colBas_->setVisible(sheet_.colBas != nullptr);
  signos_->setVisible(sheet_.signos != nullptr);

  // The columns at the right edge, the track under them, the buttons below.
  const int columLeft = width - kMargin - kColumSize.width();
  const int columRight = columLeft + kColumSize.width();
  colum_->move(columLeft, sheet_.base->y());
  fleIzq_->move(columLeft, kArrowTop);
  fleDer_->move(columRight - fleDer_->width(), kArrowTop);
  app_.scrollTrackLeft = static_cast<std::int16_t>(fleIzq_->x() + fleIzq_->width() + 1);
  app_.scrollTrackRight = static_cast<std::int16_t>(fleDer_->x() - kButtonGap);
  app_.scrollTrackTop = static_cast<std::int16_t>(kArrowTop + fleIzq_->height() / 2);
  // On the track, where it was; a load that finds the columns places it.
  boton_->move(std::clamp(boton_->x(), int{app_.scrollTrackLeft}, int{app_.scrollTrackRight}),
               app_.scrollTrackTop - kButtonRise);
  int x = columRight - static_cast<int>(buttons_.size()) * kActionPitch + (kActionPitch - buttons_[0]->width());
  for (QWidget* b : buttons_) {
    b->move(x, kActionTop);
    x += kActionPitch;
  }

  setWindowTitle(QStringLiteral("Consulta de columnas reducidas con el ") +
                 QString::fromUtf8(LongMethodName(method)).trimmed());
  CentreAsTheMenu(this);
}

void Consredu::DrawScreen() {
  sheet_.screen->Clear(colour::kGround);
  DrawReductionSheet(app_, sheet_, false);
  if (sheet_.signos) DrawTotalsGrid(app_, sheet_.signos);
  DrawReductionSummary(app_, sheet_.screen);
  QPainter p(&sheet_.screen->Image());
  const int y = app_.scrollTrackTop;
  p.setPen(Bgr(colour::kBlack));
  p.drawLine(app_.scrollTrackLeft + kTrackInset, y, app_.scrollTrackRight + kTrackInset, y);
  p.setPen(Bgr(colour::kGreen));
  p.drawLine(app_.scrollTrackLeft + kTrackInset, y + 1, app_.scrollTrackRight + kTrackInset, y + 1);
  sheet_.screen->update();
}

void Consredu::DrawSlipCount() {
  QPainter p(&sheet_.screen->Image());
  p.setFont(ScreenFont(true));
  p.setPen(Bgr(colour::kWhite));
  DrawTextAt(p, colum_->x() + kSlipCountOffset, kSlipCountTop,
             QString::fromStdString(SlipCountText(app_.reducedBets, LocaleMarks())));
  sheet_.screen->update();
}

void Consredu::DrawBrowserPage() {
  const PageRows rows = ReadBrowserPage(reader_, firstColumn_);
  DrawSlipCaptions(rows);
  DrawColumns(rows);
  ShowButtonActive(fleIzq_, HasPreviousPage(firstColumn_));
  ShowButtonActive(fleDer_, HasNextPage(firstColumn_, app_.reducedBets));
}

void Consredu::DrawSlipCaptions(const PageRows& rows) {
  QPainter p(&sheet_.screen->Image());
  const int left = colum_->x();
  p.fillRect(QRect(QPoint(left, kBandTop), QPoint(left + kColumSize.width(), kBandBottom)), Bgr(colour::kGround));
  p.setFont(ScreenFont(true));
  p.setPen(Bgr(kNavy));
  for (const SlipCaption& caption : SlipCaptions(rows, FirstSlipOf(firstColumn_)))
    DrawTextAt(p, left + caption.x, kCaptionTop, QString::fromStdString(caption.text));
  sheet_.screen->update();
}

void Consredu::DrawColumns(const PageRows& rows) {
  colum_->Clear(colour::kWhite);
  QPainter p(&colum_->Image());
  const int w = kColumSize.width(), h = kColumSize.height();
  p.setPen(Bgr(colour::kRed));
  p.drawRect(0, 0, w - 1, h - 1);
  p.setPen(Bgr(kPink));
  for (int s = 1; s <= kPageSlips; ++s) {
    p.drawRect(SlipBoxLeft(s), kBoxTop, kBoxWidth, h - kBoxMargin);
    for (int c = 1; c <= kPageColumns / kPageSlips; ++c)
      p.fillRect(StripLeft(s, c), kBoxTop, kStripWidth, h - kBoxMargin, Bgr(kPink));
  }
  p.setFont(ColumnsFont());
  p.setPen(Bgr(colour::kBlack));
  for (int m = 1; m <= kMatches; ++m)
    for (int i = 0; i < kPageColumns; ++i) {
      const SignPlace at = SignPlaceOf(i, m);
      p.drawText(QRect(at.x, at.y, kStripWidth, kMatchPitch), Qt::AlignHCenter | Qt::AlignTop,
                 QString(QLatin1Char(rows[m - 1][i])));
    }
  p.end();
  colum_->update();
}

ScrollTrack Consredu::Track() const { return {app_.scrollTrackLeft, app_.scrollTrackRight}; }

void Consredu::PlaceButton() {
  boton_->move(ButtonLeftForPage(app_.reducedBets, FirstSlipOf(firstColumn_), Track()),
               app_.scrollTrackTop - kButtonRise);
}

void Consredu::DrawListPanel(int index) {
  const ListPanel& panel = panels_[index];
  QPainter p(&sheet_.screen->Image());
  const QString text =
      index == kMatchdayPanel ? MatchdayPanelText(app_.currentMatchday) : OrderPanelText(app_.currentOrder);
  DrawPanel(p, panel.rect.x(), panel.rect.y(), panel.rect.width(), panel.rect.height(), text, kSingleBlank);
  if (index == kMatchdayPanel) {
    p.setFont(ScreenFont(true));
    p.setPen(Bgr(colour::kWhite));
    DrawTextAt(p, app_.sheetTextLeft, app_.matchdayListTop + 12, FromFileText(app_.currentMatchdayDate));
  }
  sheet_.screen->update();
}

void Consredu::PressOnScreen(QPoint point) {
  for (int i : {kMatchdayPanel, kOrderPanel})
    if (panels_[i].rect.contains(point)) TogglePanel(i);
}

void Consredu::MoveOnScreen(QPoint point) {
  int zone = 0;
  for (int i : {kMatchdayPanel, kOrderPanel})
    if (panels_[i].rect.contains(point)) zone = i + 1;
  SetZonePointer(screenZone_, sheet_.screen, zone, QStringLiteral("ManoIndice"));
}

void Consredu::TogglePanel(int index) {
  ListPanel& panel = panels_[index];
  if (panel.open) {
    ListChosen(index, panel.list->currentRow());
    return;
  }
  OpenPanelEditor(app_, sheet_.screen, panel.rect, panel.list);
  panel.open = true;
}

void Consredu::ListChosen(int index, int entry) {
  const bool filling = app_.listsFilling;
  if (!filling) PlaySoundEffect(app_, 7);
  ListPanel& panel = panels_[index];
  panel.open = false;
  panel.list->hide();
  const auto chosen = static_cast<std::int16_t>(std::max(entry, 0) + 1);
  std::int16_t& current = index == kMatchdayPanel ? app_.currentMatchday : app_.currentOrder;
  if (chosen != current || filling) {
    current = chosen;
    if (index == kMatchdayPanel && !filling) {
      app_.currentOrder = 1;
      panels_[kOrderPanel].list->setCurrentRow(0);
    }
    LoadBrowser();
  }
  DrawListPanel(index);
}

void Consredu::TurnPage(int pages) {
  if (!reader_.IsOpen()) return;
  const bool possible = pages > 0 ? HasNextPage(firstColumn_, app_.reducedBets) : HasPreviousPage(firstColumn_);
  if (!possible) return;
  PlaySoundEffect(app_, 9);
  firstColumn_ += pages * kPageColumns;
  DrawBrowserPage();
  PlaceButton();
}

void Consredu::PressButton(double x) {
  if (!reader_.IsOpen() || !ButtonDraggable(app_.reducedBets)) return;
  dragging_ = true;
  startX_ = static_cast<int>(RoundHalfEven(x));
  SetPointer(boton_, QStringLiteral("ManoCerrada"));
}

void Consredu::DragButton(double x) {
  if (!dragging_ || x == startX_) return;
  const int left = DraggedButtonLeft(boton_->x(), x, startX_, Track());
  boton_->move(left, boton_->y());
  firstColumn_ = FirstColumnUnderButton(left, app_.reducedBets, Track());
  DrawBrowserPage();
}

void Consredu::ReleaseButton() {
  if (!dragging_) return;
  dragging_ = false;
  SetPointer(boton_, QStringLiteral("ManoAbierta"));
  if (FirstSlipOf(firstColumn_) > 0) PlaceButton();
}

void Consredu::OpenIndex() {
  ShowHourglass();
  PlaySoundEffect(app_, 9);
  if (ShowHistoric(app_, this)) {
    panels_[kMatchdayPanel].list->setCurrentRow(app_.currentMatchday - 1);
    panels_[kOrderPanel].list->setCurrentRow(app_.currentOrder - 1);
    LoadBrowser();
  }
  ShowNormalPointer();
}

void Consredu::done(int result) {
  reader_.Close();
  QDialog::done(result);
}

}  // namespace vetra
