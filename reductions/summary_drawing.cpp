#include "reductions/summary_drawing.h"

#include <QFontMetrics>
#include <QPainter>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/section_screen.h"
#include "platform/locale_marks.h"
#include "reductions/base_file.h"
#include "reductions/reduction_figures.h"

namespace vetra {
namespace {

constexpr int kTop = 369;
constexpr int kBoxWidth = 240;
constexpr int kBoxHeight = 64;
constexpr int kValueOffset = 120;
constexpr std::uint32_t kCyan = 0xFFFF00;

}  // namespace

void DrawReductionSummary(const AppState& app, DrawingSurface* screen) {
  const SummaryBlock block = ReductionSummary(CurrentBaseRecord(app), app.betPrice, LocaleMarks());
  if (block.lines.empty()) return;
  QPainter p(&screen->Image());
  p.fillRect(block.left - 10, kTop, kBoxWidth, kBoxHeight, Bgr(kCyan));
  // A size smaller than the screens' texts, so that five lines fill the box
  // and the labels keep clear of the values.
  QFont font = ScreenFont(false);
  font.setPixelSize(10);
  p.setFont(font);
  p.setPen(Bgr(colour::kBlack));
  const int lineHeight = QFontMetrics(p.font()).height();
  int y = kTop;
  for (const FigureLine& line : block.lines) {
    DrawTextAt(p, block.left, y, QString::fromStdString(line.label));
    DrawTextAt(p, block.left + kValueOffset, y, QString::fromStdString(line.value));
    y += lineHeight;
  }
  screen->update();
}

}  // namespace vetra
