#include "maintenance/historic.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/help.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"
#include "app/wait.h"
#include "maintenance/history_index.h"
#include "platform/text.h"

namespace vetra {
namespace {

// The binder picture and the window around it.
constexpr int kWidth = 612;
constexpr int kHeight = 385;
constexpr QPoint kCarpetaAt(10, 10);
constexpr QSize kWindowSize(kWidth + 20, kHeight + 64);
constexpr QPoint kSalirAt(kWidth + 10 - 36, kHeight + 18);
constexpr int kTaskbarBand = 26;  // kept free at the bottom of the display
constexpr int kIndexHelpTopic = 2300;  // the browser's page describes the index

// The binder pieces within the background picture, and where they go.
constexpr QRect kRingPiece(0, 2, 51, 23);
constexpr QRect kLastRingPiece(0, 19, 51, 23);
constexpr QRect kSheetEdgePiece(26, 0, 25, 368);
constexpr int kRingPieces = 15;  // 2, 25, ... 324; the last piece lands at 346
constexpr int kLastRingAt = 346;
constexpr int kSheetBottom = 368;
constexpr int kSheetRight = kWidth - 4;  // the sheet's own edge line in the picture

// The table on the sheet.
constexpr int kTableLeft = 15;
constexpr int kTableTop = 5;
constexpr int kTableRight = kWidth - 6;
constexpr int kTableBottom = kHeight - 17;
constexpr int kHeadingLine = 35;
constexpr int kColumnLines[] = {45, 105, 138, 286, 441, 520};
constexpr int kFirstRowLine = 49;
constexpr int kTextLeft = 20;
constexpr int kFirstRowText = 35;
constexpr int kCharacterPitch = 7;  // the column lines above sit 7 pixels per character
constexpr std::uint32_t kBlue = 0xFF0000;

// The page corners below the sheet.
constexpr int kCornerWidth = 25;
constexpr int kCornerHeight = 16;

const QString kHeading1 = QStringLiteral("                                                              Apuestas   Apuestas");
const QString kHeading2 =
    QStringLiteral("Jor  Fecha   Ord  Método de reducción      Descripción        Directas   Reducidas");

// A fixed-pitch font whose characters are exactly 7 pixels apart, hinted or
// not, so that the columns of the lines meet the table's lines.
QFont RowFont() {
  QFont font(QStringLiteral("Liberation Mono"));
  font.setPixelSize(12);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::NoAntialias);
  const qreal advance = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
  if (advance != kCharacterPitch) font.setLetterSpacing(QFont::AbsoluteSpacing, kCharacterPitch - advance);
  return font;
}

void Line(QPainter& p, int x1, int y1, int x2, int y2, std::uint32_t colour) {
  p.setPen(Bgr(colour));
  p.drawLine(x1, y1, x2, y2);
}

}  // namespace

Historic::Historic(AppState& app, QWidget* parent)
    : QDialog(parent), app_(app), pieces_(QStringLiteral(":/carpeta.png")) {
  setObjectName(QStringLiteral("historic"));
  setWindowTitle(QStringLiteral("Fichero Histórico de resultados"));
  setFixedSize(kWindowSize);
  app_.historyPicked = false;
  ShowNormalPointer();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect display = screen->geometry();
    move(display.left() + (display.width() - width()) / 2,
         display.top() + (display.height() - kTaskbarBand - height()) / 2);
  }

  carpeta_ = new DrawingSurface(this, QSize(kWidth, kHeight));
  carpeta_->setObjectName(QStringLiteral("Pic_Carpeta"));
  carpeta_->move(kCarpetaAt);
  connect(carpeta_, &DrawingSurface::Pressed, this, &Historic::PressAt);
  connect(carpeta_, &DrawingSurface::Moved, this, &Historic::MoveAt);
  SetNormalPointer(carpeta_);
  app_.pointerZone = 0;

  // The exit button wears the menu's exit picture under a name of its own.
  AddExitButton(this, app_, kSalirAt)->setObjectName(QStringLiteral("Pic_BotSalir"));
  // No help button here: F1 opens the page that describes the index.
  auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(helpKey, &QShortcut::activated, this, [this] {
    PlaySoundEffect(app_, 9);
    ShowHelp(app_, kIndexHelpTopic);
  });

  lines_ = ReadHistoryLines(app_);
  for (const std::string& line : lines_) rows_.append(FromFileText(line));
  topLine_ = PageTopFor(lines_, app_.currentMatchday, app_.currentOrder);
  DrawPage();
}

void Historic::paintEvent(QPaintEvent*) {
  // A raised frame drawn by hand.
  QPainter p(this);
  p.fillRect(rect(), Bgr(colour::kSilver));
  const int r = width() - 1, b = height() - 1;
  for (int i = 0; i < 2; ++i) {
    Line(p, i, i, r - i, i, colour::kWhite);
    Line(p, i, i, i, b - i, colour::kWhite);
    Line(p, i, b - i, r - i, b - i, colour::kGrey);
    Line(p, r - i, i, r - i, b - i, colour::kGrey);
  }
}

void Historic::DrawPage() {
  QPainter p(&carpeta_->Image());
  p.setRenderHint(QPainter::Antialiasing, false);
  p.drawImage(0, 0, pieces_);

  for (int i = 0; i < kRingPieces; ++i)
    p.drawImage(QPoint(0, kRingPiece.top() + i * kRingPiece.height()), pieces_, kRingPiece);
  p.drawImage(QPoint(0, kLastRingAt), pieces_, kLastRingPiece);
  p.fillRect(QRect(QPoint(26, 0), QPoint(50, kSheetBottom)), Bgr(colour::kWhite));
  Line(p, 26, 0, kSheetRight, 0, colour::kBlack);
  Line(p, 26, kSheetBottom, kSheetRight, kSheetBottom, colour::kBlack);
  p.drawImage(QPoint(kWidth - kSheetEdgePiece.width(), 0), pieces_, kSheetEdgePiece);

  Line(p, kTableLeft, kTableTop, kTableRight, kTableTop, colour::kRed);
  Line(p, kTableLeft, kTableBottom, kTableRight, kTableBottom, colour::kRed);
  Line(p, kTableLeft, kTableTop, kTableLeft, kTableBottom, colour::kRed);
  Line(p, kTableRight, kTableTop, kTableRight, kTableBottom, colour::kRed);
  Line(p, kTableLeft, kHeadingLine, kTableRight, kHeadingLine, colour::kRed);
  for (int x : kColumnLines) Line(p, x, kTableTop, x, kTableBottom, colour::kRed);
  // Short of the frame on the right, so that the frame stays whole.
  for (int y = kFirstRowLine; y <= kHistoryRowsEnd; y += kHistoryRowPitch)
    Line(p, kTableLeft + 1, y, kTableRight - 1, y, colour::kGreen);

  p.setFont(RowFont());
  p.setPen(Bgr(colour::kBlack));
  DrawTextAt(p, kTextLeft, 6, kHeading1);
  DrawTextAt(p, kTextLeft, 21, kHeading2);
  p.setPen(Bgr(kBlue));
  const int end = std::min(topLine_ + kHistoryPageLines, static_cast<int>(rows_.size()));
  for (int i = topLine_; i < end; ++i)
    DrawTextAt(p, kTextLeft, kFirstRowText + (i - topLine_) * kHistoryRowPitch, rows_[i]);
  carpeta_->update();
}

bool Historic::OnNextCorner(QPoint point) const {
  return point.x() >= kWidth - kCornerWidth && point.x() <= kWidth && point.y() >= kHeight - kCornerHeight &&
         point.y() <= kHeight && CanTurnForward(topLine_, lines_.size());
}

bool Historic::OnPreviousCorner(QPoint point) const {
  return point.x() >= 0 && point.x() <= kCornerWidth && point.y() >= kHeight - kCornerHeight &&
         point.y() <= kHeight && CanTurnBack(topLine_);
}

int Historic::RowAt(QPoint point) const {
  if (point.x() <= kTableLeft || point.x() >= kTableRight) return kNoHistoryRow;
  return HallaCualLinea(point.y(), topLine_, lines_.size());
}

void Historic::TurnPage(int lines) {
  PlaySoundEffect(app_, 10);
  WaitMilliseconds(50);
  topLine_ += lines;
  DrawPage();
}

void Historic::keyPressEvent(QKeyEvent* event) {
  // The keyboard turns a page on or back, or goes to the first or last page.
  const int lastTop = std::max(0, static_cast<int>(lines_.size()) - 1) / kHistoryPageLines * kHistoryPageLines;
  int top = topLine_;
  switch (event->key()) {
    case Qt::Key_PageDown: top = std::min(topLine_ + kHistoryPageLines, lastTop); break;
    case Qt::Key_PageUp: top = std::max(topLine_ - kHistoryPageLines, 0); break;
    case Qt::Key_Home: top = 0; break;
    case Qt::Key_End: top = lastTop; break;
    default: QDialog::keyPressEvent(event); return;
  }
  if (top != topLine_) TurnPage(top - topLine_);
}

void Historic::PressAt(QPoint point) {
  if (OnNextCorner(point)) {
    TurnPage(kHistoryPageLines);
  } else if (OnPreviousCorner(point)) {
    TurnPage(-kHistoryPageLines);
  } else if (const int row = RowAt(point); row != kNoHistoryRow) {
    const std::string& line = lines_[static_cast<std::size_t>(topLine_ + row)];
    app_.currentMatchday = static_cast<std::int16_t>(HistoryLineMatchday(line));
    app_.currentOrder = static_cast<std::int16_t>(HistoryLineOrder(line));
    app_.historyPicked = true;
    accept();
  }
}

void Historic::MoveAt(QPoint point) {
  const bool active = OnNextCorner(point) || OnPreviousCorner(point) || RowAt(point) != kNoHistoryRow;
  SetZonePointer(app_.pointerZone, carpeta_, active ? 1 : 0, QStringLiteral("ManoIndice"));
}

bool ShowHistoric(AppState& app, QWidget* parent) {
  Historic window(app, parent);
  window.exec();
  return app.historyPicked;
}

}  // namespace vetra
