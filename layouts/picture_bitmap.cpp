#include "layouts/picture_bitmap.h"

#include "base/handles.h"
#include "layouts/picture_drawing.h"
#include "layouts/scale.h"

namespace tarvolin {

namespace {

struct Dib {
  BitmapHandle bitmap;
  Rgb* bits = nullptr;  // 0x00RRGGBB: a 32-bit DIB's blue, green, red bytes read as one value
};

Dib MakeDib(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as the drawing fills it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Dib dib{BitmapHandle(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0))};
  if (dib.bitmap) dib.bits = static_cast<Rgb*>(bits);
  return dib;
}

// A text drawn alone in black on white, and where its ink lies.
struct Ink {
  Dib scratch;
  int width = 0;
  int averageWidth = 0;  // of the font's characters
  int left = 0, top = 0, right = -1, bottom = -1;
  bool At(int x, int y) const { return scratch.bits[y * width + x] != 0xFFFFFF; }
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
};

Ink Render(HDC dc, const LOGFONTW& shape, const wchar_t* text, int length) {
  Ink ink;
  FontHandle font(CreateFontIndirectW(&shape));
  SelectedObject selectedFont(dc, font.get());
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  ink.averageWidth = metrics.tmAveCharWidth;
  SIZE extent = {};
  GetTextExtentPoint32W(dc, text, length, &extent);
  const int margin = extent.cy;  // room for ink the extent leaves out (overhangs, bold)
  ink.width = extent.cx + 2 * margin;
  const int height = extent.cy + 2 * margin;
  ink.scratch = MakeDib(ink.width, height);
  if (!ink.scratch.bits) return ink;
  SelectedObject selectedBitmap(dc, ink.scratch.bitmap.get());
  for (int i = 0; i < ink.width * height; ++i) ink.scratch.bits[i] = 0xFFFFFF;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutW(dc, margin, margin, text, length);
  GdiFlush();
  ink.left = ink.width;
  ink.top = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < ink.width; ++x) {
      if (!ink.At(x, y)) continue;
      if (x < ink.left) ink.left = x;
      if (x > ink.right) ink.right = x;
      if (y < ink.top) ink.top = y;
      if (y > ink.bottom) ink.bottom = y;
    }
  }
  return ink;
}

// The texts at other scales in SimSun (or the Song font the system maps to it) of the scaled
// 12 pixels, in whole pixels as at 96 dpi, their ink in the box the 96-dpi layout gives it.
class GdiTextPainter final : public TextPainter {
 public:
  explicit GdiTextPainter(int dpi) : dpi_(dpi) {}

  void Paint(const PictureText& text, PixelBuffer& picture) override {
    if (!dc_) dc_ = MemoryDC(nullptr);
    wchar_t wide[64];
    int length = 0;
    for (const char32_t* c = text.text; *c && length < 64; ++c) {
      wide[length++] = static_cast<wchar_t>(*c);  // the pictures' characters are all in one UTF-16 unit
    }
    LOGFONTW shape = {};
    shape.lfHeight = -ScalePixels(12, dpi_);
    shape.lfWeight = text.bold ? FW_BOLD : FW_NORMAL;
    shape.lfCharSet = GB2312_CHARSET;
    shape.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpynW(shape.lfFaceName, L"SimSun", LF_FACESIZE);
    const int boxWidth = text.right - text.left, boxHeight = text.bottom - text.top;
    Ink ink = Render(dc_.get(), shape, wide, length);
    // Where the font's ink is larger than the place the 12-pixel glyphs leave it (its Latin
    // letters are wider; a Chinese character may take a row more), a smaller, then a narrower,
    // size of it keeps every stroke that the box's edges would otherwise cut.
    for (int tries = 0; tries < 8 && ink.right >= 0 && (ink.Width() > boxWidth || ink.Height() > boxHeight);
         ++tries) {
      if (ink.Height() > boxHeight && shape.lfHeight < -1) {
        shape.lfHeight += ink.Height() - boxHeight;
      } else if (ink.Width() > boxWidth) {
        shape.lfWidth = shape.lfWidth > 1 ? shape.lfWidth - 1 : ink.averageWidth * boxWidth / ink.Width();
      } else {
        break;
      }
      ink = Render(dc_.get(), shape, wide, length);
    }
    if (ink.right < 0) return;
    const int dx = (text.fromLeft ? text.left : text.left + (boxWidth - ink.Width()) / 2) - ink.left;
    const int dy = text.top + (boxHeight - ink.Height()) / 2 - ink.top;
    for (int y = ink.top; y <= ink.bottom; ++y) {
      for (int x = ink.left; x <= ink.right; ++x) {
        const int px = x + dx, py = y + dy;
        if (!ink.At(x, y) || px < text.left || px >= text.right || py < text.top || py >= text.bottom)
          continue;
        if (px < 0 || py < 0 || px >= picture.width || py >= picture.height) continue;
        picture.pixels[py * picture.width + px] = text.colour;
      }
    }
  }

 private:
  int dpi_;
  MemoryDC dc_;
};

}  // namespace

HBITMAP DrawPictureBitmap(int id, int dpi) {
  const PictureExtent size = PictureSize(id, dpi);
  if (size.width == 0) return nullptr;
  Dib dib = MakeDib(size.width, size.height);
  if (!dib.bits) return nullptr;
  PixelBuffer buffer{dib.bits, size.width, size.height};
  GdiTextPainter painter(dpi);
  DrawPicture(id, dpi, kPictureSources, buffer, &painter);
  return dib.bitmap.release();
}

}  // namespace tarvolin
