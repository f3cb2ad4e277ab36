#include "layouts/picture_drawing.h"

#include "layouts/scale.h"

namespace tarvolin {

namespace {

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kLightGrey = 0xC0C0C0;
constexpr Rgb kDarkGrey = 0x808080;

// Texts painted into the pictures; constant, so that the list of them all needs no code at start-up.
constexpr char32_t kProductName[] = U"Tarvolin";
constexpr char32_t kEditTitle[] = U"设置";
constexpr char32_t kAboutTitle[] = U"关于";
constexpr char32_t kInforTitle[] = U"消息确认";
constexpr char32_t kInfor2Title[] = U"信息";
constexpr const char32_t* kListHeaders[] = {U"热键", U"目标", U"状态"};
constexpr const char32_t* kKeyNames[] = {U"F 1", U"F 2", U"F 3", U"F 4", U"F 5", U"F 6",
                                         U"F 7", U"F 8", U"F 9", U"F10", U"F11", U"F12"};
constexpr const char32_t* kAboutLines[] = {U"版本：", U"作者：Tarvolin 项目组",
                                           U"联系地址：请通过电子邮件联系", U"电子邮件："};
constexpr char32_t kInforMessage[] = U"退出本程序,所有热键将失效!确定退出吗?";
constexpr char32_t kInfor2Message[] = U"Tarvolin 已经运行!";
// By face: IDB_FACE_ABOUT + 2 * index, the pressed one at the next id.
constexpr const char32_t* kFaceTexts[] = {U"关于", U"设置", U"保存", U"隐藏", U"退出", U"确定", U"取消"};
constexpr int kFaceCount = 7;

constexpr const char32_t* kAllTexts[] = {
    kProductName,   kEditTitle,      kAboutTitle,     kInforTitle,     kInfor2Title,   kInforMessage,
    kInfor2Message, kListHeaders[0], kListHeaders[1], kListHeaders[2], kKeyNames[0],   kKeyNames[1],
    kKeyNames[2],   kKeyNames[3],    kKeyNames[4],    kKeyNames[5],    kKeyNames[6],   kKeyNames[7],
    kKeyNames[8],   kKeyNames[9],    kKeyNames[10],   kKeyNames[11],   kAboutLines[0], kAboutLines[1],
    kAboutLines[2], kAboutLines[3],  kFaceTexts[0],   kFaceTexts[1],   kFaceTexts[2],  kFaceTexts[3],
    kFaceTexts[4],  kFaceTexts[5],   kFaceTexts[6],   nullptr,
};

// The backgrounds, with the columns where the title bar's grooves end and start: laid out by
// hand for these three widths.
struct Background {
  int id;
  int width, height;
  const char32_t* title;
  int leftBarEnd, rightBarStart;
};

const Background kBackgrounds[] = {
    {IDB_MAIN_BACKGROUND, 419, 420, kProductName, 115, 295},
    {IDB_EDIT_BACKGROUND, 419, 420, kEditTitle, 115, 295},
    {IDB_ABOUT_BACKGROUND, 332, 166, kAboutTitle, 107, 215},
    {IDB_INFOR_BACKGROUND, 332, 116, kInforTitle, 107, 215},
    {IDB_INFOR2_BACKGROUND, 232, 123, kInfor2Title, 58, 165},
};

constexpr int kFaceWidth = 79;
constexpr int kFaceHeight = 25;
constexpr int kBrowseSize = 22;  // the browse button, 330 twips a side

const Background* FindBackground(int id) {
  for (const Background& b : kBackgrounds) {
    if (b.id == id) return &b;
  }
  return nullptr;
}

bool IsFace(int id) { return id >= IDB_FACE_ABOUT && id < IDB_FACE_ABOUT + 2 * kFaceCount; }

const Glyph* FindGlyph(const GlyphSet& set, char32_t c) {
  int low = 0, high = set.count;
  while (low < high) {
    const int middle = (low + high) / 2;
    if (set.glyphs[middle].code < c) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low < set.count && set.glyphs[low].code == c ? &set.glyphs[low] : nullptr;
}

// Extent of the ink of a text, relative to the pen origin on the baseline (y down), inclusive.
struct InkBox {
  int left = 0, top = 0, right = -1, bottom = -1;
  int width() const { return right - left + 1; }
  int height() const { return bottom - top + 1; }
};

// Bold is the usual one-pixel smear to the right; each advance grows by one column with it.
template <class Plot>
void ForEachInkPixel(const GlyphSet& set, const char32_t* text, bool bold, Plot plot) {
  int pen = 0;
  for (const char32_t* c = text; *c; ++c) {
    const Glyph* g = FindGlyph(set, *c);
    if (!g) continue;
    for (int r = 0; r < g->height; ++r) {
      const int y = -(g->yOffset + g->height - 1) + r;
      const unsigned bits = set.rows[g->firstRow + r];
      for (int col = 0; col < g->width; ++col) {
        if (bits & (0x8000u >> col)) {
          plot(pen + g->xOffset + col, y);
          if (bold) plot(pen + g->xOffset + col + 1, y);
        }
      }
    }
    pen += g->advance + (bold ? 1 : 0);
  }
}

InkBox MeasureInk(const GlyphSet& set, const char32_t* text, bool bold) {
  InkBox box;
  bool any = false;
  ForEachInkPixel(set, text, bold, [&](int x, int y) {
    if (!any) {
      box = InkBox{x, y, x, y};
      any = true;
    }
    if (x < box.left) box.left = x;
    if (x > box.right) box.right = x;
    if (y < box.top) box.top = y;
    if (y > box.bottom) box.bottom = y;
  });
  return box;
}

// Draws in 96-dpi coordinates of the picture: each one goes through P from the picture's origin
// in its window or button, so that lines are as thick as the window's scale makes them.
class Canvas {
 public:
  Canvas(PixelBuffer& buffer, int dpi, int originX, int originY, const GlyphSet& glyphs, TextPainter* painter)
      : buffer_(buffer),
        dpi_(dpi),
        originX_(originX),
        originY_(originY),
        glyphs_(glyphs),
        painter_(painter) {}

  int X(int x) const { return ScalePixels(originX_ + x, dpi_) - ScalePixels(originX_, dpi_); }
  int Y(int y) const { return ScalePixels(originY_ + y, dpi_) - ScalePixels(originY_, dpi_); }

  // Inclusive corners.
  void Fill(int left, int top, int right, int bottom, Rgb colour) {
    FillPixels(X(left), Y(top), X(right + 1), Y(bottom + 1), colour);
  }
  void HLine(int left, int right, int y, Rgb colour) { Fill(left, y, right, y, colour); }
  void VLine(int x, int top, int bottom, Rgb colour) { Fill(x, top, x, bottom, colour); }
  void Set(int x, int y, Rgb colour) { Fill(x, y, x, y, colour); }

  // Pixel art at (x, y), each pixel a square of whole pixels, centred in the art's scaled place.
  void Art(const PixelArt& art, int x, int y) {
    const int n = dpi_ / 96 > 1 ? dpi_ / 96 : 1;
    const int left = X(x) + (X(x + art.width) - X(x) - art.width * n) / 2;
    const int top = Y(y) + (Y(y + art.height) - Y(y) - art.height * n) / 2;
    for (int row = 0; row < art.height; ++row) {
      for (int col = 0; col < art.width; ++col) {
        const Rgb colour = art.colours[art.pixels[row * art.width + col]];
        if (colour == kClear) continue;
        FillPixels(left + col * n, top + row * n, left + (col + 1) * n, top + (row + 1) * n, colour);
      }
    }
  }

  InkBox Measure(const char32_t* text, bool bold) const { return MeasureInk(glyphs_, text, bold); }

  // The ink of `text` with its top-left corner at (left, top), moved `shift` pixels right and
  // down (P(shift) at other scales). A centred text stays centred at other scales; the others keep
  // their left edge.
  void Text(const char32_t* text, int left, int top, Rgb colour, bool bold = false, int shift = 0,
            bool centred = false) {
    const InkBox ink = Measure(text, bold);
    const int d = ScalePixels(shift, dpi_);
    if (dpi_ == 96) {
      ForEachInkPixel(glyphs_, text, bold, [&](int x, int y) {
        const int px = left + d + x - ink.left, py = top + d + y - ink.top;
        FillPixels(px, py, px + 1, py + 1, colour);
      });
    } else if (painter_) {
      const PictureText scaled{
          text,   X(left) + d, Y(top) + d, X(left + ink.width()) + d, Y(top + ink.height()) + d,
          colour, bold,        !centred};
      painter_->Paint(scaled, buffer_);
    }
  }

  // Centres the ink of `text` in the box left..right, top..bottom.
  void Centred(const char32_t* text, int left, int top, int right, int bottom, Rgb colour,
               bool bold = false) {
    const InkBox ink = Measure(text, bold);
    Text(text, left + (right - left + 1 - ink.width()) / 2, top + (bottom - top + 1 - ink.height()) / 2,
         colour, bold, 0, true);
  }

 private:
  void FillPixels(int left, int top, int right, int bottom, Rgb colour) {
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (right > buffer_.width) right = buffer_.width;
    if (bottom > buffer_.height) bottom = buffer_.height;
    for (int y = top; y < bottom; ++y) {
      Rgb* row = buffer_.pixels + y * buffer_.width;
      for (int x = left; x < right; ++x) row[x] = colour;
    }
  }

  PixelBuffer& buffer_;
  int dpi_;
  int originX_, originY_;
  const GlyphSet& glyphs_;
  TextPainter* painter_;
};

// A groove: white lines on the odd rows 5..15 and dark grey lines one row lower, shifted one
// column right, so that the whole bar spans columns left..right.
void DrawGroove(Canvas& c, int left, int right) {
  for (int y = 5; y <= 15; y += 2) {
    c.HLine(left, right - 1, y, kWhite);
    c.HLine(left + 1, right, y + 1, kDarkGrey);
  }
}

// Raised frame, title bar with grooves and engraved title, sunken panel; light grey elsewhere.
void DrawSkin(Canvas& c, const Background& bg) {
  const int w = bg.width, h = bg.height;
  c.Fill(0, 0, w - 1, h - 1, kLightGrey);
  c.HLine(0, w - 1, 0, kBlack);
  c.HLine(0, w - 1, h - 1, kBlack);
  c.VLine(0, 0, h - 1, kBlack);
  c.VLine(w - 1, 0, h - 1, kBlack);
  c.HLine(1, w - 3, 1, kWhite);
  c.VLine(1, 1, h - 3, kWhite);
  c.VLine(w - 2, 1, h - 2, kDarkGrey);
  c.HLine(1, w - 2, h - 2, kDarkGrey);

  DrawGroove(c, 4, bg.leftBarEnd);
  DrawGroove(c, bg.rightBarStart, w - 5);
  // The title and its white copy one pixel right and down are centred as one block between
  // the bars and over the groove rows 5..16.
  const InkBox ink = c.Measure(bg.title, false);
  const int gapLeft = bg.leftBarEnd + 1;
  const int gapWidth = bg.rightBarStart - gapLeft;
  const int left = gapLeft + (gapWidth - (ink.width() + 1)) / 2;
  const int top = 5 + (12 - (ink.height() + 1)) / 2;
  c.Text(bg.title, left, top, kWhite, false, 1, true);
  c.Text(bg.title, left, top, kBlack, false, 0, true);

  c.HLine(4, w - 6, 20, kDarkGrey);
  c.VLine(4, 20, h - 6, kDarkGrey);
  c.HLine(5, w - 6, 21, kBlack);
  c.VLine(5, 21, h - 6, kBlack);
  c.HLine(5, w - 6, h - 6, kBlack);
  c.VLine(w - 6, 21, h - 6, kBlack);
  c.HLine(4, w - 5, h - 5, kWhite);
  c.VLine(w - 5, 20, h - 5, kWhite);
}

// A raised header cell: white top and left, dark grey bottom and right, caption centred.
void DrawHeaderCell(Canvas& c, int left, int right, int top, int bottom, const char32_t* caption) {
  c.Fill(left, top, right, bottom, kLightGrey);
  c.HLine(left, right - 1, top, kWhite);
  c.VLine(left, top, bottom - 1, kWhite);
  c.HLine(left, right, bottom, kDarkGrey);
  c.VLine(right, top, bottom, kDarkGrey);
  c.Centred(caption, left + 1, top + 1, right - 1, bottom - 1, kBlack);
}

void DrawMainPanel(Canvas& c) {
  // Sunken list (16, 32)-(402, 335) with a white inside.
  c.HLine(16, 401, 32, kDarkGrey);
  c.VLine(16, 32, 334, kDarkGrey);
  c.HLine(16, 402, 335, kWhite);
  c.VLine(402, 32, 335, kWhite);
  c.HLine(17, 400, 33, kBlack);
  c.VLine(17, 33, 333, kBlack);
  c.HLine(17, 401, 334, kLightGrey);
  c.VLine(401, 33, 334, kLightGrey);
  c.Fill(18, 34, 400, 333, kWhite);

  // Header row: three raised cells between black dividers, a black line under them.
  const int headerTop = 34;
  const int headerBottom = 51;
  const int dividers[] = {68, 367, 400};
  int cellLeft = 18;
  for (int i = 0; i < 3; ++i) {
    DrawHeaderCell(c, cellLeft, dividers[i] - 1, headerTop, headerBottom, kListHeaders[i]);
    c.VLine(dividers[i], headerTop, headerBottom, kBlack);
    cellLeft = dividers[i] + 1;
  }
  c.HLine(18, 400, headerBottom + 1, kBlack);

  // Key names in the first column, on the rows of Main's labels.
  const int keyTops[] = {63, 86, 109, 132, 155, 178, 201, 223, 246, 269, 292, 315};
  for (int i = 0; i < 12; ++i) c.Text(kKeyNames[i], 35, keyTops[i], kBlack);
}

void DrawAboutPanel(Canvas& c) {
  c.Centred(kProductName, 0, 35, 331, 45, kBlack, true);
  const int lineTops[] = {56, 78, 102, 126};
  for (int i = 0; i < 4; ++i) c.Text(kAboutLines[i], 48, lineTops[i], kBlack);
}

// A message symbol at (x, y) and a one-line message beside it, centred on the symbol's height.
void DrawNotice(Canvas& c, const PixelArt& symbol, int x, int y, const char32_t* message, bool bold) {
  constexpr int kGap = 9;  // between the symbol and the message, as a message box leaves it
  c.Art(symbol, x, y);
  const InkBox ink = c.Measure(message, bold);
  c.Text(message, x + symbol.width + kGap, y + (symbol.height - ink.height()) / 2, kBlack, bold);
}

// Face of a button, 79 x 25: a black outline (2, 2)-(76, 22) with cut corners, light grey
// outside; raised (light grey face, black text) or pressed (dark grey face, white text).
void DrawFace(Canvas& c, const char32_t* text, bool pressed) {
  c.Fill(0, 0, kFaceWidth - 1, kFaceHeight - 1, kLightGrey);
  const int l = 2, t = 2, r = 76, b = 22;
  if (pressed) {
    c.Fill(l + 1, t + 1, r - 1, b - 1, kDarkGrey);
    c.HLine(l + 1, r - 1, t + 1, kBlack);
    c.VLine(l + 1, t + 1, b - 1, kBlack);
    c.HLine(l + 2, r - 1, b - 1, kLightGrey);
    c.VLine(r - 1, t + 2, b - 1, kLightGrey);
  } else {
    c.Fill(l + 1, t + 1, r - 1, b - 1, kLightGrey);
    c.HLine(l + 1, r - 3, t + 1, kWhite);
    c.VLine(l + 1, t + 1, b - 3, kWhite);
    c.Fill(r - 2, t + 1, r - 1, b - 1, kDarkGrey);
    c.Fill(l + 1, b - 2, r - 1, b - 1, kDarkGrey);
  }
  // Outline with each corner cut by a one-pixel diagonal step.
  c.HLine(l + 2, r - 2, t, kBlack);
  c.HLine(l + 2, r - 2, b, kBlack);
  c.VLine(l, t + 2, b - 2, kBlack);
  c.VLine(r, t + 2, b - 2, kBlack);
  c.Set(l + 1, t + 1, kBlack);
  c.Set(r - 1, t + 1, kBlack);
  c.Set(l + 1, b - 1, kBlack);
  c.Set(r - 1, b - 1, kBlack);
  c.Centred(text, l, t, r, b, pressed ? kWhite : kBlack);
}

}  // namespace

PictureExtent PictureSize(int id, int dpi) {
  if (const Background* bg = FindBackground(id)) {
    return {ScalePixels(bg->width, dpi), ScalePixels(bg->height, dpi)};
  }
  if (IsFace(id)) {
    return {ScalePixels(kFaceLeft + kFaceWidth, dpi) - ScalePixels(kFaceLeft, dpi),
            ScalePixels(kFaceTop + kFaceHeight, dpi) - ScalePixels(kFaceTop, dpi)};
  }
  if (id == IDI_BROWSE) return {ScalePixels(kBrowseSize, dpi), ScalePixels(kBrowseSize, dpi)};
  return {0, 0};
}

bool DrawPicture(int id, int dpi, const PictureSources& sources, PixelBuffer& buffer, TextPainter* painter) {
  const PictureExtent size = PictureSize(id, dpi);
  if (size.width == 0 || buffer.width != size.width || buffer.height != size.height) return false;
  if (IsFace(id)) {
    Canvas c(buffer, dpi, kFaceLeft, kFaceTop, sources.glyphs, painter);
    DrawFace(c, kFaceTexts[(id - IDB_FACE_ABOUT) / 2], (id - IDB_FACE_ABOUT) % 2 != 0);
    return true;
  }
  Canvas c(buffer, dpi, 0, 0, sources.glyphs, painter);
  if (id == IDI_BROWSE) {
    // On the light grey of the browse button, which shows where the art is clear.
    c.Fill(0, 0, kBrowseSize - 1, kBrowseSize - 1, kLightGrey);
    c.Art(sources.browse, 0, 0);
    return true;
  }
  const Background& bg = *FindBackground(id);
  DrawSkin(c, bg);
  switch (id) {
    case IDB_MAIN_BACKGROUND:
      DrawMainPanel(c);
      break;
    case IDB_ABOUT_BACKGROUND:
      DrawAboutPanel(c);
      break;
    case IDB_INFOR_BACKGROUND:
      DrawNotice(c, sources.question, 25, 27, kInforMessage, true);
      break;
    case IDB_INFOR2_BACKGROUND:
      DrawNotice(c, sources.warning, 31, 34, kInfor2Message, false);
      break;
    default:
      break;
  }
  return true;
}

const char32_t* const* PictureTexts() { return kAllTexts; }

}  // namespace tarvolin
