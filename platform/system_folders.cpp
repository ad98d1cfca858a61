#include "platform/system_folders.h"

#include "app/app_state.h"

namespace vetra {

std::string SystemDirectory(AppState& app) {
  // /var/tmp survives reboots and every user of the machine may write there.
  const std::string folder = "/var/tmp/vetra32";
  app.systemDirectoryLength = static_cast<std::int16_t>(folder.size());
  return folder.back() == '/' ? folder : folder + "/";
}

}  // namespace vetra
