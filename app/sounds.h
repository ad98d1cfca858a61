#pragma once

namespace vetra {

struct AppState;

// Plays sound `number` (1, 5, 6, 7, 9, 10) when the sounds are on ("Si" in
// any letter case).
void PlaySoundEffect(const AppState& app, int number, bool wait = true);

}  // namespace vetra
