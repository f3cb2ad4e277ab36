#include "picture_reader.h"

#include <cstddef>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace pictures_test {

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot open " + path);
  }
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t U16(const Bytes& b, std::size_t at) {
  if (at + 2 > b.size()) {
    throw std::runtime_error("file too short");
  }
  return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

std::uint8_t ByteAt(const Bytes& b, std::size_t at) {
  if (at >= b.size()) {
    throw std::runtime_error("pixel data too short");
  }
  return b[at];
}

struct Header {
  int width;
  int height;  // positive: bottom-up
  int bits;
  int compression;
  std::vector<Rgb> palette;
  std::size_t paletteEnd;
};

// A BITMAPINFOHEADER at `at` and the palette after it.
Header ReadInfoHeader(const Bytes& b, std::size_t at) {
  if (U32(b, at) != 40) {
    throw std::runtime_error("not a BITMAPINFOHEADER");
  }
  Header h{};
  h.width = static_cast<int>(U32(b, at + 4));
  h.height = static_cast<int>(U32(b, at + 8));
  h.bits = static_cast<int>(U16(b, at + 14));
  h.compression = static_cast<int>(U32(b, at + 16));
  std::uint32_t colours = U32(b, at + 32);
  if (colours == 0 && h.bits <= 8) {
    colours = 1u << h.bits;
  }
  std::size_t p = at + 40;
  for (std::uint32_t i = 0; i < colours; ++i, p += 4) {
    h.palette.push_back(ByteAt(b, p + 2) << 16 | ByteAt(b, p + 1) << 8 | ByteAt(b, p));
  }
  h.paletteEnd = p;
  return h;
}

Rgb PaletteColour(const Header& h, unsigned index) {
  if (index >= h.palette.size()) {
    throw std::runtime_error("palette index out of range");
  }
  return h.palette[index];
}

// Uncompressed rows, bottom-up, each padded to 32 bits.
std::vector<Rgb> ReadRows(const Bytes& b, std::size_t at, const Header& h, int rows) {
  const std::size_t stride = static_cast<std::size_t>((h.width * h.bits + 31) / 32 * 4);
  std::vector<Rgb> pixels(static_cast<std::size_t>(h.width) * rows);
  for (int row = 0; row < rows; ++row) {
    const std::size_t base = at + stride * static_cast<std::size_t>(rows - 1 - row);
    for (int x = 0; x < h.width; ++x) {
      Rgb c = 0;
      if (h.bits == 24) {
        const std::size_t p = base + 3 * static_cast<std::size_t>(x);
        c = ByteAt(b, p + 2) << 16 | ByteAt(b, p + 1) << 8 | ByteAt(b, p);
      } else {
        const int bitOffset = x * h.bits;
        const unsigned byte = ByteAt(b, base + static_cast<std::size_t>(bitOffset / 8));
        const unsigned index = (byte >> (8 - h.bits - bitOffset % 8)) & ((1u << h.bits) - 1);
        c = PaletteColour(h, index);
      }
      pixels[static_cast<std::size_t>(row) * h.width + x] = c;
    }
  }
  return pixels;
}

// RLE8 (one index a byte) or RLE4 (two indices a byte, high nibble first).
std::vector<Rgb> ReadRle(const Bytes& b, std::size_t at, const Header& h) {
  const bool four = h.bits == 4;
  std::vector<int> indices(static_cast<std::size_t>(h.width) * h.height, -1);
  int x = 0;
  int y = h.height - 1;  // run-length data starts with the bottom row
  std::size_t p = at;
  auto put = [&](unsigned index) {
    if (x >= h.width || y < 0) {
      throw std::runtime_error("run-length data runs outside the picture");
    }
    indices[static_cast<std::size_t>(y) * h.width + x] = static_cast<int>(index);
    ++x;
  };
  for (;;) {
    const unsigned count = ByteAt(b, p++);
    const unsigned value = ByteAt(b, p++);
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i) {
        put(!four ? value : i % 2 == 0 ? value >> 4 : value & 0x0F);
      }
    } else if (value == 0) {  // end of line
      x = 0;
      --y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      x += ByteAt(b, p++);
      y -= ByteAt(b, p++);
    } else {  // absolute run, padded to 16 bits
      const unsigned bytes = four ? (value + 1) / 2 : value;
      for (unsigned i = 0; i < value; ++i) {
        const unsigned byte = ByteAt(b, p + (four ? i / 2 : i));
        put(!four ? byte : i % 2 == 0 ? byte >> 4 : byte & 0x0F);
      }
      p += bytes + bytes % 2;
    }
  }
  std::vector<Rgb> pixels;
  for (int index : indices) {
    if (index < 0) {
      throw std::runtime_error("run-length data leaves pixels unset");
    }
    pixels.push_back(PaletteColour(h, static_cast<unsigned>(index)));
  }
  return pixels;
}

}  // namespace

std::string PicturePath(const std::string& name) { return "layouts/pictures/" + name; }

Picture ReadBitmapFile(const std::string& path) {
  const Bytes b = ReadAll(path);
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || U32(b, 2) != b.size()) {
    throw std::runtime_error(path + ": not a bitmap file of its stated size");
  }
  const Header h = ReadInfoHeader(b, 14);
  Picture pic;
  pic.width = h.width;
  pic.height = h.height;
  pic.bitsPerPixel = h.bits;
  pic.compression = h.compression;
  pic.palette = h.palette;
  const std::size_t bits = U32(b, 10);
  if ((h.compression == 1 && h.bits == 8) || (h.compression == 2 && h.bits == 4)) {
    pic.pixels = ReadRle(b, bits, h);
  } else if (h.compression == 0) {
    pic.pixels = ReadRows(b, bits, h, h.height);
  } else {
    throw std::runtime_error(path + ": unsupported compression");
  }
  return pic;
}

std::vector<Picture> ReadIconImages(const std::string& path) {
  const Bytes b = ReadAll(path);
  const int type = static_cast<int>(U16(b, 2));
  const int count = static_cast<int>(U16(b, 4));
  if (U16(b, 0) != 0 || count < 1) {
    throw std::runtime_error(path + ": not an icon or cursor file");
  }
  std::vector<Picture> images;
  for (int i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    Picture pic;
    pic.resourceType = type;
    pic.imageCount = count;
    if (type == 2) {
      pic.hotX = static_cast<int>(U16(b, entry + 4));
      pic.hotY = static_cast<int>(U16(b, entry + 6));
    }
    const std::size_t size = U32(b, entry + 8);
    const std::size_t offset = U32(b, entry + 12);
    if (offset < 6 + 16 * static_cast<std::size_t>(count) || offset + size > b.size()) {
      throw std::runtime_error(path + ": an image lies outside the file's image data");
    }
    pic.bytes.assign(b.begin() + static_cast<std::ptrdiff_t>(offset),
                     b.begin() + static_cast<std::ptrdiff_t>(offset + size));
    Header h = ReadInfoHeader(b, offset);
    const int entryWidth = ByteAt(b, entry) == 0 ? 256 : ByteAt(b, entry);
    const int entryHeight = ByteAt(b, entry + 1) == 0 ? 256 : ByteAt(b, entry + 1);
    if (h.width != entryWidth || h.height != 2 * entryHeight) {
      throw std::runtime_error(path + ": directory and image disagree on the size");
    }
    h.height /= 2;
    pic.width = h.width;
    pic.height = h.height;
    pic.bitsPerPixel = h.bits;
    pic.compression = h.compression;
    pic.palette = h.palette;
    pic.pixels = ReadRows(b, h.paletteEnd, h, h.height);
    const std::size_t colourBytes = static_cast<std::size_t>((h.width * h.bits + 31) / 32 * 4) * h.height;
    Header mask = h;
    mask.bits = 1;
    mask.palette = {0, 1};
    for (Rgb bit : ReadRows(b, h.paletteEnd + colourBytes, mask, h.height)) {
      pic.transparent.push_back(bit == 1);
    }
    if (h.paletteEnd + colourBytes + static_cast<std::size_t>((h.width + 31) / 32 * 4) * h.height !=
        offset + size) {
      throw std::runtime_error(path + ": image size in the directory is wrong");
    }
    images.push_back(std::move(pic));
  }
  return images;
}

Picture ReadIconFile(const std::string& path) { return ReadIconImages(path).front(); }

}  // namespace pictures_test
