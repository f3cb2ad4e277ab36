#include "icons.h"

#include <fstream>
#include <stdexcept>

#include "art.h"

namespace picgen {

namespace {

// The paused icon: the sign drawn over the program icon of the same size.
Image WithSign(const Image& icon, const Image& sign) {
  if (sign.width() != icon.width() || sign.height() != icon.height()) {
    throw std::runtime_error("the paused sign must be the size of the icon it covers");
  }
  Image paused = icon;
  paused.Overlay(sign, 0, 0);
  return paused;
}

struct IconSize {
  const char* icon;
  const char* sign;
  int bitsPerPixel;
};

// An image for each size Windows asks for, largest first: the small icon (the tray's) is 16, 20,
// 24 and 32 pixels at 100, 125, 150 and 200 %, the big one 32, 40 and 48 at 100, 125 and 150 %.
// Each is drawn for its size, so none is blurred by scaling. The 32 and 16 images stay in true
// colour as they always were; the others take 16 colours of their own, a quarter of the bytes.
const IconSize kSizes[] = {
    {"AppIcon48.txt", "PausedSign48.txt", 4}, {"AppIcon40.txt", "PausedSign40.txt", 4},
    {"AppIcon.txt", "PausedSign.txt", 24},    {"AppIcon24.txt", "PausedSign24.txt", 4},
    {"AppIcon20.txt", "PausedSign20.txt", 4}, {"AppIcon16.txt", "PausedSign16.txt", 24},
};

}  // namespace

std::vector<PictureFile> MakeIcons(const std::string& artDir) {
  std::vector<IconImage> app;
  std::vector<IconImage> paused;
  for (const IconSize& size : kSizes) {
    const Image icon = LoadArt(artDir, size.icon).image;
    app.push_back({icon, size.bitsPerPixel});
    paused.push_back({WithSign(icon, LoadArt(artDir, size.sign).image), size.bitsPerPixel});
  }
  return {{"AppIcon.ico", EncodeIcon(app)}, {"PausedIcon.ico", EncodeIcon(paused)}};
}

}  // namespace picgen
