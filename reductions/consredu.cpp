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
#include "matchdays/matchday_file.h"
#include "platform/locale_marks.h"
#include "reductions/base_file.h"
#include "reductions/garantia.h"
#include "reductions/reduction_tables.h"
#include "reductions/summary_drawing.h"

namespace vetra {
namespace {

constexpr int kScreenHeight = 440;
constexpr int kMargin = 10;

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

constexpr std::uint32_t kNavy = 0x800000;
constexpr std::uint32_t kPink = 0xFFC0FF;

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
  PrepareSheetScreen(app_, sheet_, panels_->Matchdays(), panels_->Orders());
}

void Consredu::BuildControls() {
  setFixedHeight(kScreenHeight);
  // Room for the wider layout; the narrow one leaves its right edge out.
  pictures_ = AddStoredSheetPictures(this, QSize(kWideSheetScreenWidth, kScreenHeight));
  colum_ = new DrawingSurface(this, kColumSize);
  colum_->setObjectName(QStringLiteral("Pic_Colum"));
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
  garantia_ = new PictureButton(this, QStringLiteral("Garantia"), {});
  connect(garantia_, &PictureButton::Pressed, this, [this] {
    if (!reader_.IsOpen()) return;
    PlaySoundEffect(app_, 9);
    ShowGuarantee(app_, this);
  });
  buttons_ = {garantia_, indice, AddHelpButton(this, app_, 2300, {}), AddExitButton(this, app_, {})};

  panels_ = new SheetPanels(app_, this, sheet_.screen, [this] { LoadBrowser(); });
  connect(sheet_.screen, &DrawingSurface::Pressed, panels_, &SheetPanels::Press);
  connect(sheet_.screen, &DrawingSurface::Moved, panels_, &SheetPanels::Move);
  connect(indice, &PictureButton::Pressed, panels_, &SheetPanels::OpenIndex);
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
  ShowButtonActive(garantia_, false);
  if (reader_.Open(app_) != 0) return;
  ShowButtonActive(garantia_, true);
  DrawSlipCount();
  DrawBrowserPage();
  if (ButtonDraggable(app_.reducedBets)) SetPointer(boton_, QStringLiteral("ManoAbierta"));
  PlaceButton();
}

void Consredu::ArrangeBrowser() {
  const int method = app_.reductionMethod;
  const WidthAndPlaces layout = ThirdGridLayoutOf(method);
  const int width = layout.width;
  setFixedWidth(width);
  panels_->Arrange(layout.panels);
  pictures_.ShowGridsOf(method);

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
  p.setFont(FixedPitchFont(true));
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

void Consredu::done(int result) {
  reader_.Close();
  QDialog::done(result);
}

}  // namespace vetra
