// The program icon and the paused tray icon, drawn from the art directory.
#pragma once

#include <string>
#include <vector>

#include "pictures.h"

namespace picgen {

// AppIcon.ico and PausedIcon.ico.
std::vector<PictureFile> MakeIcons(const std::string& artDir);

}  // namespace picgen
