#pragma once
#include <functional>

namespace vetra {

// Plays the stored WAVE recording of that number from memory; with wait the
// call returns when the sound has ended. Without an audio device it plays
// nothing and says nothing.
void PlayWave(int number, bool wait);

// Tests hear nothing: the observer is told the number instead.
void SetSoundObserverForTesting(std::function<void(int)> observer);

}  // namespace vetra
