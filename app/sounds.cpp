#include "app/sounds.h"

#include <QString>

#include "app/app_state.h"
#include "platform/sound_player.h"
#include "platform/text.h"

namespace vetra {

void PlaySoundEffect(const AppState& app, int number, bool wait) {
  if (FromFileText(app.soundSetting).compare(QStringLiteral("Si"), Qt::CaseInsensitive) != 0) return;
  PlayWave(number, wait);
}

}  // namespace vetra
