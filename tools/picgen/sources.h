// The glyphs and the pixel art the pictures are drawn from, as the drawing in layouts/ takes them:
// built in memory from layouts/art, and written out as the program's generated source file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "font.h"
#include "image.h"
#include "layouts/picture_drawing.h"

namespace picgen {

struct OwnedArt {
  int width = 0;
  int height = 0;
  std::vector<tarvolin::Rgb> colours;  // in the order they first appear
  std::vector<std::uint8_t> pixels;
};

struct OwnedSources {
  std::vector<tarvolin::Glyph> glyphs;
  std::vector<std::uint16_t> rows;
  OwnedArt question;
  OwnedArt warning;
  OwnedArt browse;
  // Points into this object: valid while it lives unchanged.
  tarvolin::PictureSources View() const;
};

// Throws for a glyph wider than 16 pixels or a piece of art with more than 256 colours.
OwnedSources MakeSources(const Font& font, const Image& question, const Image& warning, const Image& browse);

// The C++ source that gives the program the same sources as constant arrays.
std::string SourceFileText(const OwnedSources& sources);

// A picture drawn at 96 dpi by the program's own drawing, as an image to encode.
Image DrawAt96(int id, const OwnedSources& sources);

}  // namespace picgen
