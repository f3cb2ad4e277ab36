#include "font.h"

#include "art.h"

#include <cstdio>
#include <set>
#include <sstream>
#include <stdexcept>

namespace picgen {

namespace {

std::string HexCode(char32_t c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
  return buffer;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace

std::string ToUtf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

Font Font::ParseGlyphFile(std::istream& in) {
  Font font;
  std::string line;
  int lineNumber = 0;
  auto fail = [&](const std::string& why) {
    throw std::runtime_error("glyph file line " + std::to_string(lineNumber) + ": " + why);
  };
  while (GetLine(in, line)) {
    ++lineNumber;
    if (line.empty() || line[0] == '#') {
      continue;
    }
    if (!StartsWith(line, "U+")) {
      fail("expected a glyph header");
    }
    std::istringstream header(line.substr(2));
    unsigned code = 0;
    header >> std::hex >> code >> std::dec;
    // The character itself follows for the reader's sake; skip up to "advance".
    std::string word;
    while (header >> word && word != "advance") {
    }
    Glyph g;
    std::string box;
    if (!(header >> g.advance >> box >> g.width >> g.height >> g.xOffset >> g.yOffset) || box != "box") {
      fail("malformed glyph header");
    }
    for (int r = 0; r < g.height; ++r) {
      ++lineNumber;
      std::string row;
      if (!GetLine(in, row) || static_cast<int>(row.size()) != g.width ||
          row.find_first_not_of("#.") != std::string::npos) {
        fail("glyph row must be " + std::to_string(g.width) + " of '#' and '.'");
      }
      g.rows.push_back(row);
    }
    font.glyphs_[static_cast<char32_t>(code)] = g;
  }
  return font;
}

Font Font::FromBdf(std::istream& in, const std::u32string& wanted) {
  const std::set<char32_t> want(wanted.begin(), wanted.end());
  Font font;
  std::string line;
  Glyph g;
  long code = -1;
  bool inBitmap = false;
  while (GetLine(in, line)) {
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "STARTCHAR") {
      g = Glyph{};
      code = -1;
    } else if (key == "ENCODING") {
      words >> code;
    } else if (key == "DWIDTH") {
      words >> g.advance;
    } else if (key == "BBX") {
      words >> g.width >> g.height >> g.xOffset >> g.yOffset;
    } else if (key == "BITMAP") {
      inBitmap = true;
    } else if (key == "ENDCHAR") {
      inBitmap = false;
      if (code >= 0 && want.count(static_cast<char32_t>(code))) {
        font.glyphs_[static_cast<char32_t>(code)] = g;
      }
    } else if (inBitmap) {
      const unsigned long bits = std::stoul(key, nullptr, 16);
      const int totalBits = static_cast<int>(key.size()) * 4;
      std::string row;
      for (int x = 0; x < g.width; ++x) {
        row += (bits >> (totalBits - 1 - x)) & 1 ? '#' : '.';
      }
      g.rows.push_back(row);
    }
  }
  for (char32_t c : want) {
    if (!font.glyphs_.count(c)) {
      throw std::runtime_error("the font has no glyph for " + HexCode(c));
    }
  }
  return font;
}

void Font::WriteGlyphFile(std::ostream& out, const std::string& header) const {
  out << header;
  for (const auto& [code, g] : glyphs_) {
    out << '\n'
        << HexCode(code) << ' ' << (code == U' ' ? std::string("space") : ToUtf8(code)) << " advance "
        << g.advance << " box " << g.width << ' ' << g.height << ' ' << g.xOffset << ' ' << g.yOffset << '\n';
    for (const auto& row : g.rows) {
      out << row << '\n';
    }
  }
}

const Glyph& Font::glyph(char32_t c) const {
  const auto it = glyphs_.find(c);
  if (it == glyphs_.end()) {
    throw std::runtime_error("no glyph for " + HexCode(c) + " in the glyph file; rerun extract-glyphs");
  }
  return it->second;
}

}  // namespace picgen
