// Small pixel assertions shared by the picture tests.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "picture_reader.h"

namespace pictures_test {

std::string ColourName(Rgb c);

// Every pixel of the row y from x0 to x1 (inclusive) has `colour`.
::testing::AssertionResult RowIs(const Picture& pic, int y, int x0, int x1, Rgb colour);
// Every pixel of the column x from y0 to y1 (inclusive) has `colour`.
::testing::AssertionResult ColumnIs(const Picture& pic, int x, int y0, int y1, Rgb colour);
// Every pixel of the rectangle has `colour`.
::testing::AssertionResult AreaIs(const Picture& pic, int x0, int y0, int x1, int y1, Rgb colour);

struct Box {
  int left = 0, top = 0, right = -1, bottom = -1;
  bool empty() const { return right < left; }
  int width() const { return right - left + 1; }
  int height() const { return bottom - top + 1; }
};

// The bounding box of the pixels of `colour` inside the rectangle.
Box InkBox(const Picture& pic, Rgb colour, int x0, int y0, int x1, int y1);
// The pixels of `colour` inside the rectangle as '#'/'.' rows, to compare shapes.
std::string InkPattern(const Picture& pic, Rgb colour, int x0, int y0, int x1, int y1);
std::set<Rgb> ColoursIn(const Picture& pic, int x0, int y0, int x1, int y1);

}  // namespace pictures_test
