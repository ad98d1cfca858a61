#pragma once

namespace vetra {

struct AppState;
struct BaseRecord;
struct ReductionFigures;
class DrawingSurface;

// The counter panel of the reduction screen: labels at x = 8, values at
// x = 111, in four groups; repainted whole after every change.
void DrawCounterPanel(DrawingSurface* panel, const BaseRecord& record, const ReductionFigures& figures,
                      float betPrice);

}  // namespace vetra
