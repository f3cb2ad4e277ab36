#include "sources.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace picgen {

namespace {

OwnedArt MakeArt(const Image& image) {
  OwnedArt art;
  art.width = image.width();
  art.height = image.height();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      // The art's transparent pixels keep their marker: kNone and kClear are the same value.
      const tarvolin::Rgb colour = image.at(x, y);
      auto it = std::find(art.colours.begin(), art.colours.end(), colour);
      if (it == art.colours.end()) {
        if (art.colours.size() == 256) {
          throw std::runtime_error("more than 256 colours in a piece of pixel art");
        }
        it = art.colours.insert(art.colours.end(), colour);
      }
      art.pixels.push_back(static_cast<std::uint8_t>(it - art.colours.begin()));
    }
  }
  return art;
}

tarvolin::PixelArt ViewOf(const OwnedArt& art) {
  return {art.width, art.height, art.colours.data(), art.pixels.data()};
}

std::string Format(const char* format, unsigned value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

std::string ArtArrays(const char* name, const OwnedArt& art) {
  std::string out = std::string("const Rgb k") + name + "Colours[] = {";
  for (std::size_t i = 0; i < art.colours.size(); ++i) {
    out += i ? ", " : "";
    out += art.colours[i] == tarvolin::kClear ? "kClear" : Format("0x%06X", art.colours[i]);
  }
  out += std::string("};\nconst std::uint8_t k") + name + "Pixels[] = {\n";
  for (int y = 0; y < art.height; ++y) {
    out += "    ";
    for (int x = 0; x < art.width; ++x) {
      out += std::to_string(art.pixels[static_cast<std::size_t>(y * art.width + x)]) + ",";
    }
    out += "\n";
  }
  return out + "};\n";
}

std::string ArtView(const char* name, const OwnedArt& art) {
  return "    {" + std::to_string(art.width) + ", " + std::to_string(art.height) + ", k" + name +
         "Colours, k" + name + "Pixels},\n";
}

}  // namespace

tarvolin::PictureSources OwnedSources::View() const {
  return {{glyphs.data(), static_cast<int>(glyphs.size()), rows.data()},
          ViewOf(question),
          ViewOf(warning),
          ViewOf(browse)};
}

OwnedSources MakeSources(const Font& font, const Image& question, const Image& warning, const Image& browse) {
  OwnedSources sources;
  for (const auto& [code, g] : font.glyphs()) {  // by code, as the drawing looks them up
    if (g.width > 16) {
      throw std::runtime_error("a glyph is wider than 16 pixels");
    }
    sources.glyphs.push_back({code, static_cast<signed char>(g.advance), static_cast<signed char>(g.width),
                              static_cast<signed char>(g.height), static_cast<signed char>(g.xOffset),
                              static_cast<signed char>(g.yOffset),
                              static_cast<std::uint16_t>(sources.rows.size())});
    for (const std::string& row : g.rows) {
      unsigned bits = 0;
      for (std::size_t col = 0; col < row.size(); ++col) {
        if (row[col] == '#') bits |= 0x8000u >> col;
      }
      sources.rows.push_back(static_cast<std::uint16_t>(bits));
    }
  }
  sources.question = MakeArt(question);
  sources.warning = MakeArt(warning);
  sources.browse = MakeArt(browse);
  return sources;
}

std::string SourceFileText(const OwnedSources& sources) {
  std::string out =
      "// The glyphs and pixel art the pictures are drawn from, made by tools/picgen from layouts/art\n"
      "// (glyphs.txt, QuestionSymbol.txt, WarningSymbol.txt, BrowseIcon.txt). Not to be edited: change\n"
      "// those files and run picgen (see layouts/art/README.md).\n"
      "#include \"layouts/picture_drawing.h\"\n"
      "\n"
      "// clang-format off\n"
      "namespace tarvolin {\n"
      "\n"
      "namespace {\n"
      "\n"
      "// Each glyph's rows from the top, bit 15 the leftmost column.\n"
      "const std::uint16_t kGlyphRows[] = {\n";
  for (const tarvolin::Glyph& g : sources.glyphs) {
    out += "    ";
    for (int r = 0; r < g.height; ++r) {
      out += Format("0x%04X,", sources.rows[g.firstRow + static_cast<std::size_t>(r)]);
    }
    out += "  // " + Format("U+%04X", g.code) + "\n";
  }
  out += "};\n\nconst Glyph kGlyphs[] = {\n";
  for (const tarvolin::Glyph& g : sources.glyphs) {
    out += "    {" + Format("0x%04X", g.code) + ", " + std::to_string(g.advance) + ", " +
           std::to_string(g.width) + ", " + std::to_string(g.height) + ", " + std::to_string(g.xOffset) +
           ", " + std::to_string(g.yOffset) + ", " + std::to_string(g.firstRow) + "},  // " +
           (g.code == U' ' ? std::string("space") : ToUtf8(g.code)) + "\n";
  }
  out += "};\n\n";
  out += ArtArrays("Question", sources.question) + "\n";
  out += ArtArrays("Warning", sources.warning) + "\n";
  out += ArtArrays("Browse", sources.browse) + "\n";
  out += "}  // namespace\n\nconst PictureSources kPictureSources = {\n";
  out += "    {kGlyphs, " + std::to_string(sources.glyphs.size()) + ", kGlyphRows},\n";
  out += ArtView("Question", sources.question) + ArtView("Warning", sources.warning) +
         ArtView("Browse", sources.browse);
  out += "};\n\n}  // namespace tarvolin\n// clang-format on\n";
  return out;
}

Image DrawAt96(int id, const OwnedSources& sources) {
  const tarvolin::PictureExtent size = tarvolin::PictureSize(id, 96);
  std::vector<tarvolin::Rgb> pixels(static_cast<std::size_t>(size.width) * size.height);
  tarvolin::PixelBuffer buffer{pixels.data(), size.width, size.height};
  if (!tarvolin::DrawPicture(id, 96, sources.View(), buffer, nullptr)) {
    throw std::runtime_error("no picture " + std::to_string(id));
  }
  Image image(size.width, size.height, kBlack);
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x)
      image.Set(x, y, pixels[static_cast<std::size_t>(y) * size.width + x]);
  }
  return image;
}

}  // namespace picgen
