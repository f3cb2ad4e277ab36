// Reads the committed picture files back into pixels, independently of the generator, so the
// tests look at the bytes the program really carries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pictures_test {

using Rgb = std::uint32_t;  // 0xRRGGBB

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kLightGrey = 0xC0C0C0;
constexpr Rgb kDarkGrey = 0x808080;

struct Picture {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int compression = 0;  // 0 = none, 1 = RLE8, 2 = RLE4
  std::vector<Rgb> palette;
  std::vector<Rgb> pixels;        // row 0 at the top
  std::vector<bool> transparent;  // icons and cursors: the mask; empty for bitmaps
  // Icon and cursor files only.
  int resourceType = 0;  // 1 = icon, 2 = cursor
  int imageCount = 0;    // images in the file
  int hotX = -1;
  int hotY = -1;
  std::vector<std::uint8_t> bytes;  // the image as the file stores it

  Rgb at(int x, int y) const { return pixels.at(static_cast<std::size_t>(y) * width + x); }
  bool clear(int x, int y) const { return transparent.at(static_cast<std::size_t>(y) * width + x); }
};

// A .bmp file (uncompressed 1, 4, 8, 24 bits, RLE8 or RLE4). Throws std::runtime_error on bad data.
Picture ReadBitmapFile(const std::string& path);
// Every image of an .ico or .cur file, in the order of its directory.
std::vector<Picture> ReadIconImages(const std::string& path);
// An .ico or .cur file with its first image.
Picture ReadIconFile(const std::string& path);

// The sizes of AppIcon's and PausedIcon's images in the order of their files: what Windows asks
// for, the small icon from 100 to 200 % and the big one from 100 to 150 %.
constexpr int kIconSizes[] = {48, 40, 32, 24, 20, 16};

// Where the committed pictures are, relative to the source root the tests run in.
std::string PicturePath(const std::string& name);

}  // namespace pictures_test
