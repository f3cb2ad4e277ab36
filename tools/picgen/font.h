// The 12-pixel bitmap font the pictures' texts are set in, kept as a readable glyph file.
#pragma once

#include <istream>
#include <map>
#include <string>
#include <vector>

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

class Font {
 public:
  // Glyph file: "U+XXXX <char> advance A box W H X Y" followed by H rows of W characters.
  static Font ParseGlyphFile(std::istream& in);
  // Takes from a BDF font just the glyphs of `wanted`; throws if one is missing.
  static Font FromBdf(std::istream& in, const std::u32string& wanted);
  void WriteGlyphFile(std::ostream& out, const std::string& header) const;

  // Throws for a character the file lacks.
  const Glyph& glyph(char32_t c) const;
  const std::map<char32_t, Glyph>& glyphs() const { return glyphs_; }

 private:
  std::map<char32_t, Glyph> glyphs_;
};

std::string ToUtf8(char32_t c);

}  // namespace picgen
