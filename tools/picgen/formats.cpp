#include "formats.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace picgen {

namespace {

constexpr int kPixelsPerMetre = 3780;  // 96 dots per inch, the scale the windows are laid out for

void Put16(Bytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void PutInfoHeader(Bytes& out, int width, int height, int bits, int compression, std::size_t imageSize,
                   int coloursUsed) {
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(bits));
  Put32(out, static_cast<std::uint32_t>(compression));
  Put32(out, static_cast<std::uint32_t>(imageSize));
  Put32(out, kPixelsPerMetre);
  Put32(out, kPixelsPerMetre);
  Put32(out, static_cast<std::uint32_t>(coloursUsed));
  Put32(out, 0);
}

void PutPalette(Bytes& out, const std::vector<Rgb>& palette) {
  for (Rgb c : palette) {
    out.push_back(static_cast<std::uint8_t>(c & 0xFF));
    out.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
    out.push_back(static_cast<std::uint8_t>((c >> 16) & 0xFF));
    out.push_back(0);
  }
}

Bytes WithFileHeader(const Bytes& infoPaletteAndBits, std::size_t bitsOffsetInInfo) {
  Bytes out{'B', 'M'};
  Put32(out, static_cast<std::uint32_t>(14 + infoPaletteAndBits.size()));
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(14 + bitsOffsetInInfo));
  out.insert(out.end(), infoPaletteAndBits.begin(), infoPaletteAndBits.end());
  return out;
}

std::uint8_t PaletteIndex(const std::vector<Rgb>& palette, Rgb colour) {
  const auto it = std::find(palette.begin(), palette.end(), colour);
  if (it == palette.end()) {
    throw std::runtime_error("colour not in the palette");
  }
  return static_cast<std::uint8_t>(it - palette.begin());
}

// One row of RLE8 or RLE4 (`bits` 8 or 4; RLE4 packs two pixels a byte, high nibble first):
// runs of three or more as encoded runs, other stretches of three or more as absolute runs
// (padded to 16 bits), the rest as short encoded runs.
void EncodeRunLengthRow(Bytes& out, const std::vector<std::uint8_t>& row, int bits) {
  const bool four = bits == 4;
  const std::size_t n = row.size();
  auto runAt = [&](std::size_t i) {
    std::size_t j = i;
    while (j < n && j - i < 255 && row[j] == row[i]) {
      ++j;
    }
    return j - i;
  };
  auto pair = [&](std::uint8_t first, std::uint8_t second) {
    return static_cast<std::uint8_t>(four ? first << 4 | second : first);
  };
  std::size_t i = 0;
  while (i < n) {
    const std::size_t run = runAt(i);
    if (run >= 3) {
      out.push_back(static_cast<std::uint8_t>(run));
      out.push_back(pair(row[i], row[i]));
      i += run;
      continue;
    }
    std::size_t end = i + 1;
    while (end < n && end - i < 255 && runAt(end) < 3) {
      ++end;
    }
    const std::size_t length = end - i;
    if (length >= 3) {
      out.push_back(0);
      out.push_back(static_cast<std::uint8_t>(length));
      const std::size_t step = four ? 2 : 1;
      std::size_t bytes = 0;
      for (std::size_t k = i; k < end; k += step, ++bytes) {
        out.push_back(pair(row[k], k + 1 < end ? row[k + 1] : 0));
      }
      if (bytes % 2) {
        out.push_back(0);
      }
    } else if (four) {
      out.push_back(static_cast<std::uint8_t>(length));
      out.push_back(pair(row[i], row[end - 1]));
    } else {
      for (std::size_t k = i; k < end;) {
        const std::size_t shortRun = std::min(runAt(k), end - k);
        out.push_back(static_cast<std::uint8_t>(shortRun));
        out.push_back(row[k]);
        k += shortRun;
      }
    }
    i = end;
  }
}

// Rows of an AND mask, bottom-up, one bit a pixel, each row padded to 32 bits.
void PutMask(Bytes& out, const Image& image) {
  const int stride = (image.width() + 31) / 32 * 4;
  for (int y = image.height() - 1; y >= 0; --y) {
    Bytes row(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < image.width(); ++x) {
      if (image.at(x, y) == kNone) {
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

void Put4BitRows(Bytes& out, const Image& image, const std::vector<Rgb>& palette16, Rgb transparentAs) {
  const int stride = (image.width() * 4 + 31) / 32 * 4;
  for (int y = image.height() - 1; y >= 0; --y) {
    Bytes row(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.at(x, y) == kNone ? transparentAs : image.at(x, y);
      const auto index = PaletteIndex(palette16, c);
      row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 ? index : index << 4);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

// One image of an icon or cursor file: a bitmap of twice the height (colour rows, then the
// mask) and what its directory entry says about it.
struct DirectoryEntry {
  int width;
  int height;
  int colourCount;
  int field4;  // planes of an icon, hot spot x of a cursor
  int field6;  // bits a pixel of an icon, hot spot y of a cursor
  Bytes image;
};

// Icon and cursor files share one layout: a directory of one entry an image, then the images
// in the same order.
Bytes WithIconDirectory(int type, const std::vector<DirectoryEntry>& entries) {
  Bytes out;
  Put16(out, 0);
  Put16(out, static_cast<unsigned>(type));
  Put16(out, static_cast<unsigned>(entries.size()));
  std::size_t offset = 6 + 16 * entries.size();
  for (const DirectoryEntry& e : entries) {
    if (e.width < 1 || e.width > 256 || e.height < 1 || e.height > 256) {
      throw std::runtime_error("an icon image must be 1 to 256 pixels a side");
    }
    out.push_back(static_cast<std::uint8_t>(e.width & 0xFF));  // 256 is written as 0
    out.push_back(static_cast<std::uint8_t>(e.height & 0xFF));
    out.push_back(static_cast<std::uint8_t>(e.colourCount));
    out.push_back(0);
    Put16(out, static_cast<unsigned>(e.field4));
    Put16(out, static_cast<unsigned>(e.field6));
    Put32(out, static_cast<std::uint32_t>(e.image.size()));
    Put32(out, static_cast<std::uint32_t>(offset));
    offset += e.image.size();
  }
  for (const DirectoryEntry& e : entries) {
    out.insert(out.end(), e.image.begin(), e.image.end());
  }
  return out;
}

std::size_t MaskSize(const Image& image) {
  return static_cast<std::size_t>((image.width() + 31) / 32 * 4 * image.height());
}

// Appends the colours of `image` that `palette` lacks, in the order they first appear (top to
// bottom, left to right); kNone is no colour.
void AddColours(std::vector<Rgb>& palette, const Image& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.at(x, y);
      if (c != kNone && std::find(palette.begin(), palette.end(), c) == palette.end()) {
        palette.push_back(c);
      }
    }
  }
}

DirectoryEntry Icon24Entry(const Image& image) {
  Bytes bits;
  const int stride = (image.width() * 3 + 3) / 4 * 4;
  for (int y = image.height() - 1; y >= 0; --y) {
    Bytes row(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.at(x, y) == kNone ? kBlack : image.at(x, y);
      row[static_cast<std::size_t>(3 * x)] = static_cast<std::uint8_t>(c & 0xFF);
      row[static_cast<std::size_t>(3 * x + 1)] = static_cast<std::uint8_t>((c >> 8) & 0xFF);
      row[static_cast<std::size_t>(3 * x + 2)] = static_cast<std::uint8_t>((c >> 16) & 0xFF);
    }
    bits.insert(bits.end(), row.begin(), row.end());
  }
  Bytes body;
  PutInfoHeader(body, image.width(), 2 * image.height(), 24, 0, bits.size() + MaskSize(image), 0);
  body.insert(body.end(), bits.begin(), bits.end());
  PutMask(body, image);
  return {image.width(), image.height(), 0, 1, 24, std::move(body)};
}

DirectoryEntry Icon4Entry(const Image& image, const std::vector<Rgb>& palette16) {
  Bytes bits;
  Put4BitRows(bits, image, palette16, kBlack);
  Bytes body;
  PutInfoHeader(body, image.width(), 2 * image.height(), 4, 0, bits.size() + MaskSize(image), 0);
  PutPalette(body, palette16);
  body.insert(body.end(), bits.begin(), bits.end());
  PutMask(body, image);
  return {image.width(), image.height(), 16, 1, 4, std::move(body)};
}

// Black first, so that the pixels under the mask are black as in a 24-bit image, then the
// image's own colours; the entries left over are black too.
std::vector<Rgb> OwnPalette16(const Image& image) {
  std::vector<Rgb> palette{kBlack};
  AddColours(palette, image);
  if (palette.size() > 16) {
    throw std::runtime_error("more than 16 colours in a 4-bit icon image");
  }
  palette.resize(16, kBlack);
  return palette;
}

// A bottom-up bitmap compressed RLE8 (8 bits a pixel) or RLE4 (4 bits), with its palette.
Bytes EncodeRunLengthBitmap(const Image& image, const std::vector<Rgb>& palette, int bitsPerPixel) {
  Bytes bits;
  for (int y = image.height() - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row;
    for (int x = 0; x < image.width(); ++x) {
      row.push_back(PaletteIndex(palette, image.at(x, y)));
    }
    EncodeRunLengthRow(bits, row, bitsPerPixel);
    bits.push_back(0);
    bits.push_back(y == 0 ? 1 : 0);  // end of line, or end of bitmap after the top row
  }
  const int compression = bitsPerPixel == 8 ? 1 /* BI_RLE8 */ : 2 /* BI_RLE4 */;
  const int colours = bitsPerPixel == 8 ? static_cast<int>(palette.size()) : 16;
  Bytes body;
  PutInfoHeader(body, image.width(), image.height(), bitsPerPixel, compression, bits.size(), colours);
  PutPalette(body, palette);
  const std::size_t offset = body.size();
  body.insert(body.end(), bits.begin(), bits.end());
  return WithFileHeader(body, offset);
}

}  // namespace

const std::vector<Rgb>& StandardPalette16() {
  static const std::vector<Rgb> palette{
      0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
      0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
  };
  return palette;
}

Bytes EncodeRle8Bitmap(const Image& image, const std::vector<Rgb>& first) {
  std::vector<Rgb> palette = first;
  AddColours(palette, image);
  if (palette.size() > 256) {
    throw std::runtime_error("more than 256 colours in an 8-bit picture");
  }
  return EncodeRunLengthBitmap(image, palette, 8);
}

Bytes EncodeRle4Bitmap(const Image& image, const std::vector<Rgb>& palette16) {
  return EncodeRunLengthBitmap(image, palette16, 4);
}

Bytes EncodeIcon(const std::vector<IconImage>& images) {
  if (images.empty()) {
    throw std::runtime_error("an icon needs at least one image");
  }
  std::vector<DirectoryEntry> entries;
  for (const IconImage& each : images) {
    if (each.bitsPerPixel == 24) {
      entries.push_back(Icon24Entry(each.image));
    } else if (each.bitsPerPixel == 4) {
      entries.push_back(Icon4Entry(each.image, OwnPalette16(each.image)));
    } else {
      throw std::runtime_error("an icon image has 24 or 4 bits a pixel");
    }
  }
  return WithIconDirectory(1, entries);
}

Bytes EncodeIcon4(const Image& image, const std::vector<Rgb>& palette16) {
  return WithIconDirectory(1, {Icon4Entry(image, palette16)});
}

Bytes EncodeCursor(const Image& image, int hotX, int hotY) {
  Bytes body;
  const std::size_t size = 2 * MaskSize(image);
  PutInfoHeader(body, image.width(), 2 * image.height(), 1, 0, size, 2);
  PutPalette(body, {kBlack, kWhite});
  // Colour plane: 1 = white. Transparent pixels are 0 here and 1 in the mask.
  const int stride = (image.width() + 31) / 32 * 4;
  for (int y = image.height() - 1; y >= 0; --y) {
    Bytes row(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.at(x, y);
      if (c != kNone && c != kBlack && c != kWhite) {
        throw std::runtime_error("a monochrome cursor takes only black, white and none");
      }
      if (c == kWhite) {
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
    body.insert(body.end(), row.begin(), row.end());
  }
  PutMask(body, image);
  return WithIconDirectory(2, {{image.width(), image.height(), 2, hotX, hotY, body}});
}

}  // namespace picgen
