// The 12-pixel bitmap font the pictures' texts are set in, kept as a readable glyph file.
#pragma once

#include <istream>
#include <map>
#include <string>
#include <vector>

#include "image.h"

namespace picgen {

struct Glyph {
  int advance = 0;
  // Bounding box as in BDF: width, height, and the offset of its lower-left corner from the
  // origin on the baseline (y up).
  int width = 0;
  int height = 0;
  int xOffset = 0;
  int yOffset = 0;
  std::vector<std::string> rows;  // top to bottom, '#' = ink, '.' = none
};

// Extent of the ink of a text, relative to the pen origin on the baseline (y down).
struct InkBox {
  int left = 0;
  int top = 0;
  int right = -1;
  int bottom = -1;
  int width() const { return right - left + 1; }
  int height() const { return bottom - top + 1; }
};

class Font {
 public:
  // Glyph file: "U+XXXX <char> advance A box W H X Y" followed by H rows of W characters.
  static Font ParseGlyphFile(std::istream& in);
  // Takes from a BDF font just the glyphs of `wanted`; throws if one is missing.
  static Font FromBdf(std::istream& in, const std::u32string& wanted);
  void WriteGlyphFile(std::ostream& out, const std::string& header) const;

  const Glyph& glyph(char32_t c) const;
  // Bold is the usual one-pixel smear to the right; each advance grows by one column with it.
  InkBox Measure(const std::u32string& text, bool bold = false) const;
  // Draws `text` so that the top-left corner of its ink lands on (left, top).
  void DrawInk(Image& image, const std::u32string& text, int left, int top, Rgb colour,
               bool bold = false) const;

 private:
  template <class Plot>
  void ForEachInkPixel(const std::u32string& text, bool bold, Plot plot) const;
  std::map<char32_t, Glyph> glyphs_;
};

std::u32string FromUtf8(const std::string& text);
std::string ToUtf8(char32_t c);

}  // namespace picgen
