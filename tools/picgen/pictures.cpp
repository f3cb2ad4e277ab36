#include "pictures.h"

#include <fstream>
#include <stdexcept>

#include "art.h"
#include "font.h"

namespace picgen {

namespace {

// Texts painted into the pictures (UTF-8).
const char* const kProductName = "Tarvolin";
const char* const kEditTitle = "设置";
const char* const kAboutTitle = "关于";
const char* const kInforTitle = "消息确认";
const char* const kInfor2Title = "信息";
const char* const kListHeaders[] = {"热键", "目标", "状态"};
const char* const kKeyNames[] = {"F 1", "F 2", "F 3", "F 4", "F 5", "F 6", "F 7", "F 8", "F 9", "F10", "F11", "F12"};
const char* const kAboutLines[] = {"版本：", "作者：Tarvolin 项目组", "联系地址：请通过电子邮件联系", "电子邮件："};
const char* const kInforMessage = "退出本程序,所有热键将失效!确定退出吗?";
const char* const kInfor2Message = "Tarvolin 已经运行!";

struct FaceText {
    const char* file;
    const char* text;
};
const FaceText kFaces[] = {
    {"FaceAbout", "关于"}, {"FaceSettings", "设置"}, {"FaceSave", "保存"}, {"FaceHide", "隐藏"},
    {"FaceExit", "退出"},  {"FaceOk", "确定"},       {"FaceCancel", "取消"},
};

std::u32string u(const char* text) {
    return fromUtf8(text);
}

std::ifstream openArt(const std::string& artDir, const std::string& file) {
    std::ifstream in(artDir + "/" + file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + artDir + "/" + file);
    }
    return in;
}

Art loadArt(const std::string& artDir, const std::string& file) {
    auto in = openArt(artDir, file);
    return parseArt(in, file);
}

// The grooved bars of the title bar end and start at these columns for the three window widths.
struct TitleBars {
    int leftEnd;
    int rightStart;
};

TitleBars titleBarsFor(int width) {
    switch (width) {
    case 419: return {115, 295};
    case 332: return {107, 215};
    case 232: return {58, 165};
    default: throw std::runtime_error("no title bar layout for width " + std::to_string(width));
    }
}

// A groove: white lines on the odd rows 5..15 and dark grey lines one row lower, shifted one
// column right, so that the whole bar spans columns left..right.
void drawGroove(Image& img, int left, int right) {
    for (int y = 5; y <= 15; y += 2) {
        img.hline(left, right - 1, y, kWhite);
        img.hline(left + 1, right, y + 1, kDarkGrey);
    }
}

// Raised frame, title bar with grooves and engraved title, sunken panel; light grey elsewhere.
Image drawSkin(const Font& font, int w, int h, const std::u32string& title) {
    Image img(w, h, kLightGrey);

    img.hline(0, w - 1, 0, kBlack);
    img.hline(0, w - 1, h - 1, kBlack);
    img.vline(0, 0, h - 1, kBlack);
    img.vline(w - 1, 0, h - 1, kBlack);
    img.hline(1, w - 3, 1, kWhite);
    img.vline(1, 1, h - 3, kWhite);
    img.vline(w - 2, 1, h - 2, kDarkGrey);
    img.hline(1, w - 2, h - 2, kDarkGrey);

    const TitleBars bars = titleBarsFor(w);
    drawGroove(img, 4, bars.leftEnd);
    drawGroove(img, bars.rightStart, w - 5);
    // The title and its white copy one pixel right and down are centred as one block between
    // the bars and over the groove rows 5..16.
    const InkBox ink = font.measure(title);
    const int gapLeft = bars.leftEnd + 1;
    const int gapWidth = bars.rightStart - gapLeft;
    const int left = gapLeft + (gapWidth - (ink.width() + 1)) / 2;
    const int top = 5 + (12 - (ink.height() + 1)) / 2;
    font.drawInk(img, title, left + 1, top + 1, kWhite);
    font.drawInk(img, title, left, top, kBlack);

    img.hline(4, w - 6, 20, kDarkGrey);
    img.vline(4, 20, h - 6, kDarkGrey);
    img.hline(5, w - 6, 21, kBlack);
    img.vline(5, 21, h - 6, kBlack);
    img.hline(5, w - 6, h - 6, kBlack);
    img.vline(w - 6, 21, h - 6, kBlack);
    img.hline(4, w - 5, h - 5, kWhite);
    img.vline(w - 5, 20, h - 5, kWhite);
    return img;
}

// Centres the ink of `text` in the box left..right, top..bottom.
void drawCentred(const Font& font, Image& img, const std::u32string& text, int left, int top, int right,
                 int bottom, Rgb colour, bool bold = false) {
    const InkBox ink = font.measure(text, bold);
    font.drawInk(img, text, left + (right - left + 1 - ink.width()) / 2,
                 top + (bottom - top + 1 - ink.height()) / 2, colour, bold);
}

// A raised header cell: white top and left, dark grey bottom and right, caption centred.
void drawHeaderCell(const Font& font, Image& img, int left, int right, int top, int bottom,
                    const std::u32string& caption) {
    img.fill(left, top, right, bottom, kLightGrey);
    img.hline(left, right - 1, top, kWhite);
    img.vline(left, top, bottom - 1, kWhite);
    img.hline(left, right, bottom, kDarkGrey);
    img.vline(right, top, bottom, kDarkGrey);
    drawCentred(font, img, caption, left + 1, top + 1, right - 1, bottom - 1, kBlack);
}

Image drawMainBackground(const Font& font) {
    Image img = drawSkin(font, 419, 420, u(kProductName));

    // Sunken list (16, 32)-(402, 335) with a white inside.
    img.hline(16, 401, 32, kDarkGrey);
    img.vline(16, 32, 334, kDarkGrey);
    img.hline(16, 402, 335, kWhite);
    img.vline(402, 32, 335, kWhite);
    img.hline(17, 400, 33, kBlack);
    img.vline(17, 33, 333, kBlack);
    img.hline(17, 401, 334, kLightGrey);
    img.vline(401, 33, 334, kLightGrey);
    img.fill(18, 34, 400, 333, kWhite);

    // Header row: three raised cells between black dividers, a black line under them.
    const int headerTop = 34;
    const int headerBottom = 51;
    const int dividers[] = {68, 367, 400};
    int cellLeft = 18;
    for (int i = 0; i < 3; ++i) {
        drawHeaderCell(font, img, cellLeft, dividers[i] - 1, headerTop, headerBottom, u(kListHeaders[i]));
        img.vline(dividers[i], headerTop, headerBottom, kBlack);
        cellLeft = dividers[i] + 1;
    }
    img.hline(18, 400, headerBottom + 1, kBlack);

    // Key names in the first column, on the rows of Main's labels.
    const int keyTops[] = {63, 86, 109, 132, 155, 178, 201, 223, 246, 269, 292, 315};
    for (int i = 0; i < 12; ++i) {
        font.drawInk(img, u(kKeyNames[i]), 35, keyTops[i], kBlack);
    }
    return img;
}

Image drawAboutBackground(const Font& font) {
    Image img = drawSkin(font, 332, 166, u(kAboutTitle));
    drawCentred(font, img, u(kProductName), 0, 35, 331, 45, kBlack, true);
    const int lineTops[] = {56, 78, 102, 126};
    for (int i = 0; i < 4; ++i) {
        font.drawInk(img, u(kAboutLines[i]), 48, lineTops[i], kBlack);
    }
    return img;
}

// A message symbol at (x, y) and a one-line message beside it, centred on the symbol's height.
Image drawNotice(const Font& font, int w, int h, const std::u32string& title, const Image& symbol, int x, int y,
                 const std::u32string& message, bool bold) {
    Image img = drawSkin(font, w, h, title);
    img.overlay(symbol, x, y);
    const InkBox ink = font.measure(message, bold);
    font.drawInk(img, message, x + symbol.width() + 9, y + (symbol.height() - ink.height()) / 2, kBlack, bold);
    return img;
}

// Face of a button, 79 x 25: a black outline (2, 2)-(76, 22) with cut corners, light grey
// outside; raised (light grey face, black text) or pressed (dark grey face, white text).
Image drawFace(const Font& font, const std::u32string& text, bool pressed) {
    Image img(79, 25, kLightGrey);
    const int l = 2, t = 2, r = 76, b = 22;
    if (pressed) {
        img.fill(l + 1, t + 1, r - 1, b - 1, kDarkGrey);
        img.hline(l + 1, r - 1, t + 1, kBlack);
        img.vline(l + 1, t + 1, b - 1, kBlack);
        img.hline(l + 2, r - 1, b - 1, kLightGrey);
        img.vline(r - 1, t + 2, b - 1, kLightGrey);
    } else {
        img.fill(l + 1, t + 1, r - 1, b - 1, kLightGrey);
        img.hline(l + 1, r - 3, t + 1, kWhite);
        img.vline(l + 1, t + 1, b - 3, kWhite);
        img.fill(r - 2, t + 1, r - 1, b - 1, kDarkGrey);
        img.fill(l + 1, b - 2, r - 1, b - 1, kDarkGrey);
    }
    // Outline with each corner cut by a one-pixel diagonal step.
    img.hline(l + 2, r - 2, t, kBlack);
    img.hline(l + 2, r - 2, b, kBlack);
    img.vline(l, t + 2, b - 2, kBlack);
    img.vline(r, t + 2, b - 2, kBlack);
    img.set(l + 1, t + 1, kBlack);
    img.set(r - 1, t + 1, kBlack);
    img.set(l + 1, b - 1, kBlack);
    img.set(r - 1, b - 1, kBlack);
    drawCentred(font, img, text, l, t, r, b, pressed ? kWhite : kBlack);
    return img;
}

const std::vector<Rgb> kSkinColours{kBlack, kWhite, kLightGrey, kDarkGrey};

} // namespace

std::u32string charactersUsed() {
    std::string all = std::string(kProductName) + kEditTitle + kAboutTitle + kInforTitle + kInfor2Title +
                      kInforMessage + kInfor2Message;
    for (const char* s : kListHeaders) all += s;
    for (const char* s : kKeyNames) all += s;
    for (const char* s : kAboutLines) all += s;
    for (const FaceText& f : kFaces) all += f.text;
    return fromUtf8(all);
}

std::vector<PictureFile> makePictures(const std::string& artDir) {
    auto glyphFile = openArt(artDir, "glyphs.txt");
    const Font font = Font::parseGlyphFile(glyphFile);

    std::vector<PictureFile> files;
    files.push_back({"MainBackground.bmp", encodeRle8Bitmap(drawMainBackground(font), kSkinColours)});
    files.push_back({"EditBackground.bmp", encodeRle8Bitmap(drawSkin(font, 419, 420, u(kEditTitle)), kSkinColours)});
    files.push_back({"AboutBackground.bmp", encodeRle8Bitmap(drawAboutBackground(font), kSkinColours)});
    const Art question = loadArt(artDir, "QuestionSymbol.txt");
    files.push_back({"InforBackground.bmp",
                     encodeRle8Bitmap(drawNotice(font, 332, 116, u(kInforTitle), question.image, 25, 27,
                                                 u(kInforMessage), true),
                                      kSkinColours)});
    const Art warning = loadArt(artDir, "WarningSymbol.txt");
    files.push_back({"Infor2Background.bmp",
                     encodeRle8Bitmap(drawNotice(font, 232, 123, u(kInfor2Title), warning.image, 31, 34,
                                                 u(kInfor2Message), false),
                                      kSkinColours)});

    for (const FaceText& face : kFaces) {
        for (bool pressed : {false, true}) {
            files.push_back({std::string(face.file) + (pressed ? "Down" : "") + ".bmp",
                             encode4BitBitmap(drawFace(font, u(face.text), pressed), standardPalette16())});
        }
    }

    const Art app = loadArt(artDir, "AppIcon.txt");
    files.push_back({"AppIcon.ico", encodeIcon24(app.image)});
    Image paused = app.image;
    paused.overlay(loadArt(artDir, "PausedSign.txt").image, 0, 0);
    files.push_back({"PausedIcon.ico", encodeIcon24(paused)});
    files.push_back({"BrowseIcon.ico", encodeIcon4(loadArt(artDir, "BrowseIcon.txt").image, standardPalette16())});
    const Art hand = loadArt(artDir, "HandCursor.txt");
    files.push_back({"HandCursor.cur", encodeCursor(hand.image, hand.hotX, hand.hotY)});
    return files;
}

} // namespace picgen
