// The pictures of the five windows (backgrounds, face bitmaps) and the browse button's picture,
// drawn for any scale into a plain pixel buffer. Portable standard C++ with no library code behind
// it: the program draws them at run time and picgen draws the committed 96-dpi files with it.
#pragma once

#include <cstdint>

#include "layouts/picture_ids.h"

namespace tarvolin {

// 0x00RRGGBB; kClear marks a transparent pixel of a piece of pixel art.
using Rgb = std::uint32_t;
inline constexpr Rgb kClear = 0xFF000000u;

// One glyph of the 12-pixel font. Its box is as in BDF: width, height, and the offset of the
// lower-left corner from the pen on the baseline (y up); rows[firstRow..] hold the box's rows
// from the top, bit 15 the leftmost column.
struct Glyph {
  char32_t code;
  signed char advance, width, height, xOffset, yOffset;
  std::uint16_t firstRow;
};

struct GlyphSet {
  const Glyph* glyphs;  // by code, ascending
  int count;
  const std::uint16_t* rows;
};

// Pixel art: width x height indices into `colours`, row by row from the top.
struct PixelArt {
  int width, height;
  const Rgb* colours;
  const std::uint8_t* pixels;
};

struct PictureSources {
  GlyphSet glyphs;
  PixelArt question;  // the exit confirmation's symbol
  PixelArt warning;   // the already-running notice's symbol
  PixelArt browse;    // the editor's browse buttons
};

// The sources compiled into the program (picture_sources.cpp, made by picgen from layouts/art).
extern const PictureSources kPictureSources;

// A picture's pixels, row by row from the top.
struct PixelBuffer {
  Rgb* pixels;
  int width, height;
};

// A text of a picture at a scale other than 96 dpi: its ink belongs in the box (picture pixels,
// right and bottom exclusive), the scaled place of its 96-dpi ink, and never outside it: centred,
// or, where the picture lines texts up on their left edge, from the box's left edge.
struct PictureText {
  const char32_t* text;
  int left, top, right, bottom;
  Rgb colour;
  bool bold;
  bool fromLeft;
};

class TextPainter {
 public:
  virtual void Paint(const PictureText& text, PixelBuffer& picture) = 0;

 protected:
  ~TextPainter() = default;
};

// A face bitmap's 96-dpi origin in its 89 x 33 button: its pixels scale as the button's do.
inline constexpr int kFaceLeft = 5;
inline constexpr int kFaceTop = 4;

struct PictureExtent {
  int width, height;  // 0 x 0 for an id that is not a picture
};

// Pictures: the IDB_* backgrounds and faces, and IDI_BROWSE, the browse button's 22 x 22 face
// on its light grey. Every 96-dpi pixel (x, y) becomes the block from P(o + x) - P(o) to
// P(o + x + 1) - P(o), o being the picture's origin in its window or button.
PictureExtent PictureSize(int id, int dpi);

// Draws picture `id` into `buffer`, which must have the picture's size. At 96 dpi the texts come
// from the glyphs; at any other scale `painter` paints them. False for an unknown id or a buffer
// of another size.
bool DrawPicture(int id, int dpi, const PictureSources& sources, PixelBuffer& buffer, TextPainter* painter);

// Every text the pictures show, null-terminated: the characters the glyphs must cover.
const char32_t* const* PictureTexts();

}  // namespace tarvolin
