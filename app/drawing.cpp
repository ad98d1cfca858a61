#include "app/drawing.h"

#include <QFontMetrics>
#include <QPainter>

#include "app/numbers.h"

namespace vetra {
namespace {

const QString kSingleBlank = QStringLiteral(" ");

void FillBox(QPainter& p, int x, int y, int w, int h, std::uint32_t colour) {
  p.fillRect(x, y, w, h, Bgr(colour));
}

void Circle(QPainter& p, int cx, int cy, int r, std::uint32_t fill, std::uint32_t outline) {
  p.setPen(Bgr(outline));
  p.setBrush(Bgr(fill));
  p.drawEllipse(QPoint(cx, cy), r, r);
  p.setBrush(Qt::NoBrush);
}

void Line(QPainter& p, int x1, int y1, int x2, int y2, std::uint32_t colour) {
  p.setPen(Bgr(colour));
  p.drawLine(x1, y1, x2, y2);
}

// A text in `first` colour, then again one pixel right and down in `second`.
void DrawTwoTone(QPainter& p, int x, int y, const QString& line1, const QString& line2, int lineGap,
                 std::uint32_t first, std::uint32_t second, int dx, int dy) {
  p.setFont(ScreenFont(true));
  const bool twoLines = line2 != kSingleBlank;
  p.setPen(Bgr(first));
  DrawTextAt(p, x, y, line1);
  if (twoLines) DrawTextAt(p, x, y + lineGap, line2);
  p.setPen(Bgr(second));
  DrawTextAt(p, x + dx, y + dy, line1);
  if (twoLines) DrawTextAt(p, x + dx, y + dy + lineGap, line2);
  p.setPen(Bgr(colour::kBlack));
  p.setFont(ScreenFont(false));
}

}  // namespace

QColor Bgr(std::uint32_t value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

QFont ScreenFont(bool bold) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(11);
  font.setBold(bold);
  return font;
}

QFont FixedPitchFont(bool bold) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(12);
  font.setBold(bold);
  return font;
}

void DrawTextAt(QPainter& p, int x, int y, const QString& text) {
  p.drawText(x, y + QFontMetrics(p.font()).ascent(), text);
}

void DrawMenuButton(QPainter& p, int x, int y, int w, int h, const QString& line1, const QString& line2,
                    bool pressed) {
  const int r = static_cast<int>(RoundHalfEven((h + 1) / 2.0));
  const int cx1 = x + r;
  const int cx2 = x + w - r;
  const int d = pressed ? 2 : 5;
  p.setRenderHint(QPainter::Antialiasing, false);

  Circle(p, cx1 + d, y + r + d, r, colour::kShadow, colour::kShadow);
  Circle(p, cx2 + d, y + r + d, r, colour::kShadow, colour::kShadow);
  FillBox(p, cx1 + d, y + d, w - 2 * r, h + 2, colour::kShadow);

  Circle(p, cx1, y + r, r, colour::kSilver, colour::kYellow);
  Circle(p, cx2, y + r, r, colour::kSilver, colour::kYellow);
  p.fillRect(QRect(QPoint(cx1, y), QPoint(cx2, y + h + 2)), Bgr(colour::kSilver));
  Line(p, cx1, y, cx2, y, colour::kYellow);
  Line(p, cx1, y + h + 2, cx2, y + h + 2, colour::kYellow);

  const int t = static_cast<int>(RoundHalfEven(h / 3.0 - 1));
  DrawTwoTone(p, x + 10, y + t, line1, line2, 20, colour::kGrey, colour::kWhite, 1, 1);
}

void DrawPanel(QPainter& p, int x, int y, int w, int h, const QString& line1, const QString& line2) {
  p.setRenderHint(QPainter::Antialiasing, false);
  FillBox(p, x, y, w + 4, h + 4, colour::kGround);
  FillBox(p, x + 4, y + 4, w, h, colour::kBlack);
  FillBox(p, x, y, w, h, colour::kSilver);
  p.setPen(Bgr(colour::kRed));
  p.drawRect(x, y, w - 1, h - 1);
  DrawTwoTone(p, x + 12, y + 10, line1, line2, 20, colour::kGrey, colour::kYellow, -1, -1);
}

void DrawPanelOpen(QPainter& p, int x, int y, int w, int h) {
  p.setRenderHint(QPainter::Antialiasing, false);
  FillBox(p, x + w + 3, y + 3, 3, h + 3, colour::kGround);
  FillBox(p, x + 3, y + h + 3, w, 3, colour::kGround);
  Line(p, x + w + 1, y + 1, x + w + 1, y + 4, colour::kBlack);
  Line(p, x + 1, y + h + 1, x + 4, y + h + 1, colour::kBlack);
}

void DrawShadowText(QPainter& p, int x, int y, const QString& text) {
  p.setFont(ScreenFont(true));
  p.setPen(Bgr(colour::kShadow));
  DrawTextAt(p, x + 1, y + 1, text);
  p.setPen(Bgr(colour::kYellow));
  DrawTextAt(p, x, y, text);
  p.setPen(Bgr(colour::kBlack));
  p.setFont(ScreenFont(false));
}

}  // namespace vetra
