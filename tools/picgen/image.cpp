#include "image.h"

namespace picgen {

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

void Image::Set(int x, int y, Rgb colour) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) {
    pixels_[index(x, y)] = colour;
  }
}

void Image::Fill(int left, int top, int right, int bottom, Rgb colour) {
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      Set(x, y, colour);
    }
  }
}

void Image::Overlay(const Image& other, int x, int y) {
  for (int row = 0; row < other.height(); ++row) {
    for (int col = 0; col < other.width(); ++col) {
      if (other.at(col, row) != kNone) {
        Set(x + col, y + row, other.at(col, row));
      }
    }
  }
}

}  // namespace picgen
