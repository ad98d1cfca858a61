#pragma once
// The summary block that the screens showing a stored reduction print under
// its sheet: a cyan box with the bet counts, the factor, the cost and the
// share of the outcomes covered.

namespace vetra {

struct AppState;
class DrawingSurface;

// Draws the block of the current reduction on the screen's surface; nothing
// when no reduction is loaded (one direct bet).
void DrawReductionSummary(const AppState& app, DrawingSurface* screen);

}  // namespace vetra
