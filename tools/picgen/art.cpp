#include "art.h"

#include <map>
#include <sstream>
#include <stdexcept>

namespace picgen {

// Files checked out with Windows line ends read the same.
bool GetLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) {
    return false;
  }
  if (!line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  return true;
}

Art ParseArt(std::istream& in, const std::string& name) {
  Art art;
  int width = 0;
  int height = 0;
  std::map<char, Rgb> colours;
  std::string line;
  int lineNumber = 0;
  auto fail = [&](const std::string& why) {
    throw std::runtime_error(name + " line " + std::to_string(lineNumber) + ": " + why);
  };
  while (GetLine(in, line)) {
    ++lineNumber;
    if (line.empty() || line[0] == '#') {
      continue;
    }
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "size") {
      if (!(words >> width >> height) || width <= 0 || height <= 0) {
        fail("bad size");
      }
    } else if (key == "colour") {
      std::string symbol, value;
      if (!(words >> symbol >> value) || symbol.size() != 1) {
        fail("bad colour");
      }
      if (value == "none") {
        colours[symbol[0]] = kNone;
      } else if (value.size() == 6 &&
                 value.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos) {
        colours[symbol[0]] = static_cast<Rgb>(std::stoul(value, nullptr, 16));
      } else {
        fail("colour must be RRGGBB or none");
      }
    } else if (key == "hotspot") {
      if (!(words >> art.hotX >> art.hotY)) {
        fail("bad hotspot");
      }
    } else if (key == "pixels") {
      if (width == 0) {
        fail("size must come before the pixels");
      }
      art.image = Image(width, height, kNone);
      for (int y = 0; y < height; ++y) {
        ++lineNumber;
        std::string row;
        if (!GetLine(in, row) || static_cast<int>(row.size()) != width) {
          fail("pixel row must be " + std::to_string(width) + " characters");
        }
        for (int x = 0; x < width; ++x) {
          const auto it = colours.find(row[x]);
          if (it == colours.end()) {
            fail(std::string("undeclared colour '") + row[x] + "'");
          }
          art.image.Set(x, y, it->second);
        }
      }
      return art;
    } else {
      fail("unknown directive '" + key + "'");
    }
  }
  throw std::runtime_error(name + ": no pixels");
}

std::ifstream OpenArt(const std::string& artDir, const std::string& file) {
  std::ifstream in(artDir + "/" + file, std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot open " + artDir + "/" + file);
  }
  return in;
}

Art LoadArt(const std::string& artDir, const std::string& file) {
  auto in = OpenArt(artDir, file);
  return ParseArt(in, file);
}

}  // namespace picgen
