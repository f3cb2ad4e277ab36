#include "pixel_checks.h"

#include <algorithm>
#include <cstdio>

namespace pictures_test {

std::string ColourName(Rgb c) {
  switch (c) {
    case kBlack:
      return "black";
    case kWhite:
      return "white";
    case kLightGrey:
      return "light grey";
    case kDarkGrey:
      return "dark grey";
    default:
      break;
  }
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "#%06X", static_cast<unsigned>(c));
  return buffer;
}

::testing::AssertionResult AreaIs(const Picture& pic, int x0, int y0, int x1, int y1, Rgb colour) {
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      if (pic.at(x, y) != colour) {
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") is " << ColourName(pic.at(x, y)) << ", expected "
               << ColourName(colour);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult RowIs(const Picture& pic, int y, int x0, int x1, Rgb colour) {
  return AreaIs(pic, x0, y, x1, y, colour);
}

::testing::AssertionResult ColumnIs(const Picture& pic, int x, int y0, int y1, Rgb colour) {
  return AreaIs(pic, x, y0, x, y1, colour);
}

Box InkBox(const Picture& pic, Rgb colour, int x0, int y0, int x1, int y1) {
  Box box{x1 + 1, y1 + 1, x0 - 1, y0 - 1};
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      if (pic.at(x, y) == colour) {
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x);
        box.top = std::min(box.top, y);
        box.bottom = std::max(box.bottom, y);
      }
    }
  }
  return box;
}

std::string InkPattern(const Picture& pic, Rgb colour, int x0, int y0, int x1, int y1) {
  std::string out;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      out += pic.at(x, y) == colour ? '#' : '.';
    }
    out += '\n';
  }
  return out;
}

std::set<Rgb> ColoursIn(const Picture& pic, int x0, int y0, int x1, int y1) {
  std::set<Rgb> colours;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      colours.insert(pic.at(x, y));
    }
  }
  return colours;
}

}  // namespace pictures_test
