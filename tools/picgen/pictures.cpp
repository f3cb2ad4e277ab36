#include "pictures.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "art.h"
#include "font.h"
#include "icons.h"

namespace picgen {

namespace {

// Texts painted into the pictures (UTF-8).
const char* const kProductName = "Tarvolin";
const char* const kEditTitle = "设置";
const char* const kAboutTitle = "关于";
const char* const kInforTitle = "消息确认";
const char* const kInfor2Title = "信息";
const char* const kListHeaders[] = {"热键", "目标", "状态"};
const char* const kKeyNames[] = {"F 1", "F 2", "F 3", "F 4", "F 5", "F 6",
                                 "F 7", "F 8", "F 9", "F10", "F11", "F12"};
const char* const kAboutLines[] = {"版本：", "作者：Tarvolin 项目组", "联系地址：请通过电子邮件联系",
                                   "电子邮件："};
const char* const kInforMessage = "退出本程序,所有热键将失效!确定退出吗?";
const char* const kInfor2Message = "Tarvolin 已经运行!";

struct FaceText {
  const char* file;
  const char* text;
};
const FaceText kFaces[] = {
    {"FaceAbout", "关于"}, {"FaceSettings", "设置"}, {"FaceSave", "保存"},   {"FaceHide", "隐藏"},
    {"FaceExit", "退出"},  {"FaceOk", "确定"},       {"FaceCancel", "取消"},
};

std::u32string Utf32(const char* text) { return FromUtf8(text); }

std::ifstream OpenArt(const std::string& artDir, const std::string& file) {
  std::ifstream in(artDir + "/" + file, std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot open " + artDir + "/" + file);
  }
  return in;
}

Art LoadArt(const std::string& artDir, const std::string& file) {
  auto in = OpenArt(artDir, file);
  return ParseArt(in, file);
}

// The grooved bars of the title bar end and start at these columns for the three window widths.
struct TitleBars {
  int leftEnd;
  int rightStart;
};

TitleBars TitleBarsFor(int width) {
  switch (width) {
    case 419:
      return {115, 295};
    case 332:
      return {107, 215};
    case 232:
      return {58, 165};
    default:
      throw std::runtime_error("no title bar layout for width " + std::to_string(width));
  }
}

// A groove: white lines on the odd rows 5..15 and dark grey lines one row lower, shifted one
// column right, so that the whole bar spans columns left..right.
void DrawGroove(Image& img, int left, int right) {
  for (int y = 5; y <= 15; y += 2) {
    img.HLine(left, right - 1, y, kWhite);
    img.HLine(left + 1, right, y + 1, kDarkGrey);
  }
}

// Raised frame, title bar with grooves and engraved title, sunken panel; light grey elsewhere.
Image DrawSkin(const Font& font, int w, int h, const std::u32string& title) {
  Image img(w, h, kLightGrey);

  img.HLine(0, w - 1, 0, kBlack);
  img.HLine(0, w - 1, h - 1, kBlack);
  img.VLine(0, 0, h - 1, kBlack);
  img.VLine(w - 1, 0, h - 1, kBlack);
  img.HLine(1, w - 3, 1, kWhite);
  img.VLine(1, 1, h - 3, kWhite);
  img.VLine(w - 2, 1, h - 2, kDarkGrey);
  img.HLine(1, w - 2, h - 2, kDarkGrey);

  const TitleBars bars = TitleBarsFor(w);
  DrawGroove(img, 4, bars.leftEnd);
  DrawGroove(img, bars.rightStart, w - 5);
  // The title and its white copy one pixel right and down are centred as one block between
  // the bars and over the groove rows 5..16.
  const InkBox ink = font.Measure(title);
  const int gapLeft = bars.leftEnd + 1;
  const int gapWidth = bars.rightStart - gapLeft;
  const int left = gapLeft + (gapWidth - (ink.width() + 1)) / 2;
  const int top = 5 + (12 - (ink.height() + 1)) / 2;
  font.DrawInk(img, title, left + 1, top + 1, kWhite);
  font.DrawInk(img, title, left, top, kBlack);

  img.HLine(4, w - 6, 20, kDarkGrey);
  img.VLine(4, 20, h - 6, kDarkGrey);
  img.HLine(5, w - 6, 21, kBlack);
  img.VLine(5, 21, h - 6, kBlack);
  img.HLine(5, w - 6, h - 6, kBlack);
  img.VLine(w - 6, 21, h - 6, kBlack);
  img.HLine(4, w - 5, h - 5, kWhite);
  img.VLine(w - 5, 20, h - 5, kWhite);
  return img;
}

// Centres the ink of `text` in the box left..right, top..bottom.
void DrawCentred(const Font& font, Image& img, const std::u32string& text, int left, int top, int right,
                 int bottom, Rgb colour, bool bold = false) {
  const InkBox ink = font.Measure(text, bold);
  font.DrawInk(img, text, left + (right - left + 1 - ink.width()) / 2,
               top + (bottom - top + 1 - ink.height()) / 2, colour, bold);
}

// A raised header cell: white top and left, dark grey bottom and right, caption centred.
void DrawHeaderCell(const Font& font, Image& img, int left, int right, int top, int bottom,
                    const std::u32string& caption) {
  img.Fill(left, top, right, bottom, kLightGrey);
  img.HLine(left, right - 1, top, kWhite);
  img.VLine(left, top, bottom - 1, kWhite);
  img.HLine(left, right, bottom, kDarkGrey);
  img.VLine(right, top, bottom, kDarkGrey);
  DrawCentred(font, img, caption, left + 1, top + 1, right - 1, bottom - 1, kBlack);
}

Image DrawMainBackground(const Font& font) {
  Image img = DrawSkin(font, 419, 420, Utf32(kProductName));

  // Sunken list (16, 32)-(402, 335) with a white inside.
  img.HLine(16, 401, 32, kDarkGrey);
  img.VLine(16, 32, 334, kDarkGrey);
  img.HLine(16, 402, 335, kWhite);
  img.VLine(402, 32, 335, kWhite);
  img.HLine(17, 400, 33, kBlack);
  img.VLine(17, 33, 333, kBlack);
  img.HLine(17, 401, 334, kLightGrey);
  img.VLine(401, 33, 334, kLightGrey);
  img.Fill(18, 34, 400, 333, kWhite);

  // Header row: three raised cells between black dividers, a black line under them.
  const int headerTop = 34;
  const int headerBottom = 51;
  const int dividers[] = {68, 367, 400};
  int cellLeft = 18;
  for (int i = 0; i < 3; ++i) {
    DrawHeaderCell(font, img, cellLeft, dividers[i] - 1, headerTop, headerBottom, Utf32(kListHeaders[i]));
    img.VLine(dividers[i], headerTop, headerBottom, kBlack);
    cellLeft = dividers[i] + 1;
  }
  img.HLine(18, 400, headerBottom + 1, kBlack);

  // Key names in the first column, on the rows of Main's labels.
  const int keyTops[] = {63, 86, 109, 132, 155, 178, 201, 223, 246, 269, 292, 315};
  for (int i = 0; i < 12; ++i) {
    font.DrawInk(img, Utf32(kKeyNames[i]), 35, keyTops[i], kBlack);
  }
  return img;
}

Image DrawAboutBackground(const Font& font) {
  Image img = DrawSkin(font, 332, 166, Utf32(kAboutTitle));
  DrawCentred(font, img, Utf32(kProductName), 0, 35, 331, 45, kBlack, true);
  const int lineTops[] = {56, 78, 102, 126};
  for (int i = 0; i < 4; ++i) {
    font.DrawInk(img, Utf32(kAboutLines[i]), 48, lineTops[i], kBlack);
  }
  return img;
}

// A message symbol at (x, y) and a one-line message beside it, centred on the symbol's height.
void DrawNotice(const Font& font, Image& img, const Image& symbol, int x, int y,
                const std::u32string& message, bool bold) {
  constexpr int kGap = 9;  // between the symbol and the message, as a message box leaves it
  img.Overlay(symbol, x, y);
  const InkBox ink = font.Measure(message, bold);
  font.DrawInk(img, message, x + symbol.width() + kGap, y + (symbol.height() - ink.height()) / 2, kBlack,
               bold);
}

Image DrawInforBackground(const Font& font, const Image& question) {
  Image img = DrawSkin(font, 332, 116, Utf32(kInforTitle));
  DrawNotice(font, img, question, 25, 27, Utf32(kInforMessage), true);
  return img;
}

Image DrawInfor2Background(const Font& font, const Image& warning) {
  Image img = DrawSkin(font, 232, 123, Utf32(kInfor2Title));
  DrawNotice(font, img, warning, 31, 34, Utf32(kInfor2Message), false);
  return img;
}

// Face of a button, 79 x 25: a black outline (2, 2)-(76, 22) with cut corners, light grey
// outside; raised (light grey face, black text) or pressed (dark grey face, white text).
Image DrawFace(const Font& font, const std::u32string& text, bool pressed) {
  Image img(79, 25, kLightGrey);
  const int l = 2, t = 2, r = 76, b = 22;
  if (pressed) {
    img.Fill(l + 1, t + 1, r - 1, b - 1, kDarkGrey);
    img.HLine(l + 1, r - 1, t + 1, kBlack);
    img.VLine(l + 1, t + 1, b - 1, kBlack);
    img.HLine(l + 2, r - 1, b - 1, kLightGrey);
    img.VLine(r - 1, t + 2, b - 1, kLightGrey);
  } else {
    img.Fill(l + 1, t + 1, r - 1, b - 1, kLightGrey);
    img.HLine(l + 1, r - 3, t + 1, kWhite);
    img.VLine(l + 1, t + 1, b - 3, kWhite);
    img.Fill(r - 2, t + 1, r - 1, b - 1, kDarkGrey);
    img.Fill(l + 1, b - 2, r - 1, b - 1, kDarkGrey);
  }
  // Outline with each corner cut by a one-pixel diagonal step.
  img.HLine(l + 2, r - 2, t, kBlack);
  img.HLine(l + 2, r - 2, b, kBlack);
  img.VLine(l, t + 2, b - 2, kBlack);
  img.VLine(r, t + 2, b - 2, kBlack);
  img.Set(l + 1, t + 1, kBlack);
  img.Set(r - 1, t + 1, kBlack);
  img.Set(l + 1, b - 1, kBlack);
  img.Set(r - 1, b - 1, kBlack);
  DrawCentred(font, img, text, l, t, r, b, pressed ? kWhite : kBlack);
  return img;
}

const std::vector<Rgb> kSkinColours{kBlack, kWhite, kLightGrey, kDarkGrey};

}  // namespace

std::u32string CharactersUsed() {
  std::string all = std::string(kProductName) + kEditTitle + kAboutTitle + kInforTitle + kInfor2Title +
                    kInforMessage + kInfor2Message;
  for (const char* s : kListHeaders) all += s;
  for (const char* s : kKeyNames) all += s;
  for (const char* s : kAboutLines) all += s;
  for (const FaceText& f : kFaces) all += f.text;
  return FromUtf8(all);
}

std::vector<PictureFile> MakePictures(const std::string& artDir) {
  auto glyphFile = OpenArt(artDir, "glyphs.txt");
  const Font font = Font::ParseGlyphFile(glyphFile);

  const auto background = [](const Image& img) { return EncodeRle8Bitmap(img, kSkinColours); };
  std::vector<PictureFile> files;
  files.push_back({"MainBackground.bmp", background(DrawMainBackground(font))});
  files.push_back({"EditBackground.bmp", background(DrawSkin(font, 419, 420, Utf32(kEditTitle)))});
  files.push_back({"AboutBackground.bmp", background(DrawAboutBackground(font))});
  files.push_back({"InforBackground.bmp",
                   background(DrawInforBackground(font, LoadArt(artDir, "QuestionSymbol.txt").image))});
  files.push_back({"Infor2Background.bmp",
                   background(DrawInfor2Background(font, LoadArt(artDir, "WarningSymbol.txt").image))});

  for (const FaceText& face : kFaces) {
    for (bool pressed : {false, true}) {
      files.push_back({std::string(face.file) + (pressed ? "Down" : "") + ".bmp",
                       EncodeRle4Bitmap(DrawFace(font, Utf32(face.text), pressed), StandardPalette16())});
    }
  }

  const std::vector<PictureFile> icons = MakeIcons(artDir);
  files.insert(files.end(), icons.begin(), icons.end());
  files.push_back(
      {"BrowseIcon.ico", EncodeIcon4(LoadArt(artDir, "BrowseIcon.txt").image, StandardPalette16())});
  const Art hand = LoadArt(artDir, "HandCursor.txt");
  files.push_back({"HandCursor.cur", EncodeCursor(hand.image, hand.hotX, hand.hotY)});
  return files;
}

std::vector<std::string> OutdatedPictures(const std::string& artDir, const std::string& picturesDir) {
  std::vector<std::string> outdated;
  for (const auto& file : MakePictures(artDir)) {
    std::ifstream in(picturesDir + "/" + file.name, std::ios::binary);
    const Bytes existing{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.is_open() || existing != file.bytes) {
      outdated.push_back(file.name);
    }
  }
  return outdated;
}

}  // namespace picgen
