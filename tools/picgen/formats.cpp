#include "formats.h"

#include <algorithm>
#include <stdexcept>

namespace picgen {

namespace {

constexpr int kPixelsPerMetre = 3780; // 96 dots per inch, the scale the windows are laid out for

void put16(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void putInfoHeader(Bytes& out, int width, int height, int bits, int compression, std::size_t imageSize,
                   int coloursUsed) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<unsigned>(bits));
    put32(out, static_cast<std::uint32_t>(compression));
    put32(out, static_cast<std::uint32_t>(imageSize));
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, static_cast<std::uint32_t>(coloursUsed));
    put32(out, 0);
}

void putPalette(Bytes& out, const std::vector<Rgb>& palette) {
    for (Rgb c : palette) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
        out.push_back(static_cast<std::uint8_t>((c >> 16) & 0xFF));
        out.push_back(0);
    }
}

Bytes withFileHeader(const Bytes& infoPaletteAndBits, std::size_t bitsOffsetInInfo) {
    Bytes out{'B', 'M'};
    put32(out, static_cast<std::uint32_t>(14 + infoPaletteAndBits.size()));
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(14 + bitsOffsetInInfo));
    out.insert(out.end(), infoPaletteAndBits.begin(), infoPaletteAndBits.end());
    return out;
}

std::uint8_t paletteIndex(const std::vector<Rgb>& palette, Rgb colour) {
    const auto it = std::find(palette.begin(), palette.end(), colour);
    if (it == palette.end()) {
        throw std::runtime_error("colour not in the palette");
    }
    return static_cast<std::uint8_t>(it - palette.begin());
}

// One row of RLE8: runs of three or more as encoded runs, other stretches of three or more as
// absolute runs, the rest as short encoded runs.
void encodeRle8Row(Bytes& out, const std::vector<std::uint8_t>& row) {
    const std::size_t n = row.size();
    auto runAt = [&](std::size_t i) {
        std::size_t j = i;
        while (j < n && j - i < 255 && row[j] == row[i]) {
            ++j;
        }
        return j - i;
    };
    std::size_t i = 0;
    while (i < n) {
        const std::size_t run = runAt(i);
        if (run >= 3) {
            out.push_back(static_cast<std::uint8_t>(run));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        std::size_t end = i;
        while (end < n && end - i < 255 && runAt(end) < 3) {
            ++end;
        }
        const std::size_t length = end - i;
        if (length >= 3) {
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>(length));
            out.insert(out.end(), row.begin() + static_cast<long>(i), row.begin() + static_cast<long>(end));
            if (length % 2) {
                out.push_back(0);
            }
            i = end;
        } else {
            while (i < end) {
                const std::size_t short_run = std::min(runAt(i), end - i);
                out.push_back(static_cast<std::uint8_t>(short_run));
                out.push_back(row[i]);
                i += short_run;
            }
        }
    }
}

// Rows of an AND mask, bottom-up, one bit a pixel, each row padded to 32 bits.
void putMask(Bytes& out, const Image& image) {
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

void put4BitRows(Bytes& out, const Image& image, const std::vector<Rgb>& palette16, Rgb transparentAs) {
    const int stride = (image.width() * 4 + 31) / 32 * 4;
    for (int y = image.height() - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.at(x, y) == kNone ? transparentAs : image.at(x, y);
            const auto index = paletteIndex(palette16, c);
            row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 ? index : index << 4);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

// Icon and cursor files share one layout: a directory of one entry, then the image as a
// bitmap of twice the height (colour rows, then the mask).
Bytes withIconDirectory(const Bytes& image, int type, int width, int height, int colourCount, int field4,
                        int field6) {
    Bytes out;
    put16(out, 0);
    put16(out, static_cast<unsigned>(type));
    put16(out, 1);
    out.push_back(static_cast<std::uint8_t>(width));
    out.push_back(static_cast<std::uint8_t>(height));
    out.push_back(static_cast<std::uint8_t>(colourCount));
    out.push_back(0);
    put16(out, static_cast<unsigned>(field4));
    put16(out, static_cast<unsigned>(field6));
    put32(out, static_cast<std::uint32_t>(image.size()));
    put32(out, 22);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

std::size_t maskSize(const Image& image) {
    return static_cast<std::size_t>((image.width() + 31) / 32 * 4 * image.height());
}

} // namespace

const std::vector<Rgb>& standardPalette16() {
    static const std::vector<Rgb> palette{
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    return palette;
}

Bytes encodeRle8Bitmap(const Image& image, const std::vector<Rgb>& first) {
    std::vector<Rgb> palette = first;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (std::find(palette.begin(), palette.end(), image.at(x, y)) == palette.end()) {
                palette.push_back(image.at(x, y));
            }
        }
    }
    if (palette.size() > 256) {
        throw std::runtime_error("more than 256 colours in an 8-bit picture");
    }
    Bytes bits;
    for (int y = image.height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row;
        for (int x = 0; x < image.width(); ++x) {
            row.push_back(paletteIndex(palette, image.at(x, y)));
        }
        encodeRle8Row(bits, row);
        bits.push_back(0);
        bits.push_back(y == 0 ? 1 : 0); // end of line, or end of bitmap after the top row
    }
    Bytes body;
    putInfoHeader(body, image.width(), image.height(), 8, 1 /* BI_RLE8 */, bits.size(),
                  static_cast<int>(palette.size()));
    putPalette(body, palette);
    const std::size_t offset = body.size();
    body.insert(body.end(), bits.begin(), bits.end());
    return withFileHeader(body, offset);
}

Bytes encode4BitBitmap(const Image& image, const std::vector<Rgb>& palette16) {
    Bytes bits;
    put4BitRows(bits, image, palette16, kBlack);
    Bytes body;
    putInfoHeader(body, image.width(), image.height(), 4, 0, bits.size(), 16);
    putPalette(body, palette16);
    const std::size_t offset = body.size();
    body.insert(body.end(), bits.begin(), bits.end());
    return withFileHeader(body, offset);
}

Bytes encodeIcon24(const Image& image) {
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
    putInfoHeader(body, image.width(), 2 * image.height(), 24, 0, bits.size() + maskSize(image), 0);
    body.insert(body.end(), bits.begin(), bits.end());
    putMask(body, image);
    return withIconDirectory(body, 1, image.width(), image.height(), 0, 1, 24);
}

Bytes encodeIcon4(const Image& image, const std::vector<Rgb>& palette16) {
    Bytes bits;
    put4BitRows(bits, image, palette16, kBlack);
    Bytes body;
    putInfoHeader(body, image.width(), 2 * image.height(), 4, 0, bits.size() + maskSize(image), 0);
    putPalette(body, palette16);
    body.insert(body.end(), bits.begin(), bits.end());
    putMask(body, image);
    return withIconDirectory(body, 1, image.width(), image.height(), 16, 1, 4);
}

Bytes encodeCursor(const Image& image, int hotX, int hotY) {
    Bytes body;
    const std::size_t size = 2 * maskSize(image);
    putInfoHeader(body, image.width(), 2 * image.height(), 1, 0, size, 2);
    putPalette(body, {kBlack, kWhite});
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
    putMask(body, image);
    return withIconDirectory(body, 2, image.width(), image.height(), 2, hotX, hotY);
}

} // namespace picgen
