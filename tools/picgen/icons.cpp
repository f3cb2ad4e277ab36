#include "icons.h"

#include <fstream>
#include <stdexcept>

#include "art.h"

namespace picgen {

namespace {

Image LoadIconArt(const std::string& artDir, const std::string& file) {
  std::ifstream in(artDir + "/" + file, std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot open " + artDir + "/" + file);
  }
  return ParseArt(in, file).image;
}

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

// The tray shows the small image; drawn on its own, it stays sharp where a scaled-down
// 32-pixel one would blur.
const IconSize kSizes[] = {
    {"AppIcon.txt", "PausedSign.txt", 24},
    {"AppIcon16.txt", "PausedSign16.txt", 24},
};

}  // namespace

std::vector<PictureFile> MakeIcons(const std::string& artDir) {
  std::vector<IconImage> app;
  std::vector<IconImage> paused;
  for (const IconSize& size : kSizes) {
    const Image icon = LoadIconArt(artDir, size.icon);
    app.push_back({icon, size.bitsPerPixel});
    paused.push_back({WithSign(icon, LoadIconArt(artDir, size.sign)), size.bitsPerPixel});
  }
  return {{"AppIcon.ico", EncodeIcon(app)}, {"PausedIcon.ico", EncodeIcon(paused)}};
}

}  // namespace picgen
