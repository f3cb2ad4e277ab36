// Encoders for the Windows picture formats the resources use.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace picgen {

using Bytes = std::vector<std::uint8_t>;

// 8-bit RLE8 bitmap. The palette starts with `first` and continues with the picture's other
// colours in the order they first appear (top to bottom, left to right).
Bytes EncodeRle8Bitmap(const Image& image, const std::vector<Rgb>& first);

// 4-bit RLE4 bitmap over a palette of 16 colours; every pixel must be in the palette.
Bytes EncodeRle4Bitmap(const Image& image, const std::vector<Rgb>& palette16);

// One image of an icon: 24-bit colour, or 4-bit over a palette of the image's own colours (black
// first, for the pixels under the mask, then the others in the order they first appear).
struct IconImage {
  Image image;
  int bitsPerPixel;  // 24 or 4
};

// Icon of these images, one directory entry each in the order given (largest first, as is
// usual); kNone pixels go to the mask and are black in the colour plane.
Bytes EncodeIcon(const std::vector<IconImage>& images);

// Icon with one 4-bit image over `palette16`; kNone pixels go to the mask.
Bytes EncodeIcon4(const Image& image, const std::vector<Rgb>& palette16);

// Monochrome cursor: black, white and kNone (transparent) pixels only.
Bytes EncodeCursor(const Image& image, int hotX, int hotY);

// The sixteen colours of the standard Windows 16-colour palette.
const std::vector<Rgb>& StandardPalette16();

}  // namespace picgen
