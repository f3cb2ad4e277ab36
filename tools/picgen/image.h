// A plain RGB raster that the pictures are drawn on before they are encoded.
#pragma once

#include <cstdint>
#include <vector>

namespace picgen {

// 0xRRGGBB; kNone marks a transparent pixel of an icon or cursor.
using Rgb = std::uint32_t;
constexpr Rgb kNone = 0xFF000000u;

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kLightGrey = 0xC0C0C0;
constexpr Rgb kDarkGrey = 0x808080;

class Image {
 public:
  Image() = default;
  Image(int width, int height, Rgb fill);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb at(int x, int y) const { return pixels_[index(x, y)]; }
  // Drawing outside the raster is ignored, so callers need not clip.
  void Set(int x, int y, Rgb colour);
  void Fill(int left, int top, int right, int bottom, Rgb colour);  // inclusive corners
  void HLine(int left, int right, int y, Rgb colour) { Fill(left, y, right, y, colour); }
  void VLine(int x, int top, int bottom, Rgb colour) { Fill(x, top, x, bottom, colour); }
  // Copies every pixel of `other` that is not kNone, with its top-left corner at (x, y).
  void Overlay(const Image& other, int x, int y);

  bool operator==(const Image& other) const {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
  }

 private:
  std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> pixels_;
};

}  // namespace picgen
