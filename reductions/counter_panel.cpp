#include "reductions/counter_panel.h"

#include <QPainter>

#include "app/drawing.h"
#include "app/section_screen.h"
#include "platform/locale_marks.h"
#include "reductions/reduction_figures.h"

namespace vetra {
namespace {

constexpr int kRowHeight = 16;
constexpr int kGroupGap = 10;

}  // namespace

void DrawCounterPanel(DrawingSurface* panel, const BaseRecord& record, const ReductionFigures& figures,
                      float betPrice) {
  panel->Clear(colour::kSilver);
  QPainter p(&panel->Image());
  p.setPen(Bgr(colour::kRed));
  p.drawRect(0, 0, panel->width() - 1, panel->height() - 1);
  p.setFont(ScreenFont(false));
  int y = CounterPanelTop(record.reductionMethod);
  for (const FigureLine& row : CounterPanelRows(record, figures, betPrice, LocaleMarks())) {
    p.setPen(Bgr(colour::kBlack));
    DrawTextAt(p, 8, y, QString::fromStdString(row.label));
    p.setPen(Bgr(colour::kRed));
    DrawTextAt(p, 111, y, QString::fromStdString(row.value));
    y += kRowHeight + (row.gapAfter ? kGroupGap : 0);
  }
  panel->update();
}

}  // namespace vetra
