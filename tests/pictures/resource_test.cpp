// The pictures as the program gets them: the icons and the cursor compiled into the executable and
// loaded by the system, and the backgrounds and faces the program draws for the window's scale.
#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "base/handles.h"
#include "layouts/picture_bitmap.h"
#include "layouts/picture_drawing.h"
#include "layouts/picture_ids.h"
#include "picture_reader.h"
#include "pixel_checks.h"
#include "support/capture.h"

namespace pictures_test {
namespace {

struct DrawnPicture {
  int id;
  const char* file;
  std::size_t texts;  // how many texts it shows, the engraved title's white copy one of them
};

const DrawnPicture kPictures[] = {
    {IDB_MAIN_BACKGROUND, "MainBackground.bmp", 17},
    {IDB_EDIT_BACKGROUND, "EditBackground.bmp", 2},
    {IDB_ABOUT_BACKGROUND, "AboutBackground.bmp", 7},
    {IDB_INFOR_BACKGROUND, "InforBackground.bmp", 3},
    {IDB_INFOR2_BACKGROUND, "Infor2Background.bmp", 3},
    {IDB_FACE_ABOUT, "FaceAbout.bmp", 1},
    {IDB_FACE_ABOUT_DOWN, "FaceAboutDown.bmp", 1},
    {IDB_FACE_SETTINGS, "FaceSettings.bmp", 1},
    {IDB_FACE_SETTINGS_DOWN, "FaceSettingsDown.bmp", 1},
    {IDB_FACE_SAVE, "FaceSave.bmp", 1},
    {IDB_FACE_SAVE_DOWN, "FaceSaveDown.bmp", 1},
    {IDB_FACE_HIDE, "FaceHide.bmp", 1},
    {IDB_FACE_HIDE_DOWN, "FaceHideDown.bmp", 1},
    {IDB_FACE_EXIT, "FaceExit.bmp", 1},
    {IDB_FACE_EXIT_DOWN, "FaceExitDown.bmp", 1},
    {IDB_FACE_OK, "FaceOk.bmp", 1},
    {IDB_FACE_OK_DOWN, "FaceOkDown.bmp", 1},
    {IDB_FACE_CANCEL, "FaceCancel.bmp", 1},
    {IDB_FACE_CANCEL_DOWN, "FaceCancelDown.bmp", 1},
};

// Notes the boxes the drawing hands its texts to, and paints nothing.
class TextBoxes final : public tarvolin::TextPainter {
 public:
  void Paint(const tarvolin::PictureText& text, tarvolin::PixelBuffer&) override { boxes.push_back(text); }
  bool Cover(int x, int y) const {
    for (const auto& b : boxes) {
      if (x >= b.left && x < b.right && y >= b.top && y < b.bottom) return true;
    }
    return false;
  }
  std::vector<tarvolin::PictureText> boxes;
};

// A picture from the program's drawing and its compiled-in sources.
Picture Draw(int id, int dpi, tarvolin::TextPainter* painter) {
  const tarvolin::PictureExtent size = tarvolin::PictureSize(id, dpi);
  Picture pic;
  pic.width = size.width;
  pic.height = size.height;
  pic.pixels.assign(static_cast<std::size_t>(size.width) * size.height, 0x123456);
  tarvolin::PixelBuffer buffer{pic.pixels.data(), size.width, size.height};
  EXPECT_TRUE(tarvolin::DrawPicture(id, dpi, tarvolin::kPictureSources, buffer, painter));
  return pic;
}

Picture FromPixels(const tarvolin::test::Pixels& pixels) {
  Picture pic;
  pic.width = pixels.width;
  pic.height = pixels.height;
  pic.pixels.assign(pixels.data.begin(), pixels.data.end());
  return pic;
}

// The bitmap the windows get, as the system reads it back.
Picture DrawnBitmap(int id, int dpi) {
  tarvolin::BitmapHandle bitmap(tarvolin::DrawPictureBitmap(id, dpi));
  DIBSECTION dib{};
  EXPECT_EQ(GetObjectW(bitmap.get(), sizeof dib, &dib), static_cast<int>(sizeof dib)) << "a DIB section";
  EXPECT_EQ(dib.dsBm.bmBitsPixel, 32);
  return FromPixels(tarvolin::test::FromBitmap(bitmap.get()));
}

::testing::AssertionResult SamePixels(const Picture& drawn, const Picture& expected) {
  if (drawn.width != expected.width || drawn.height != expected.height) {
    return ::testing::AssertionFailure() << drawn.width << " x " << drawn.height << ", expected "
                                         << expected.width << " x " << expected.height;
  }
  for (int y = 0; y < drawn.height; ++y) {
    for (int x = 0; x < drawn.width; ++x) {
      if (drawn.at(x, y) != expected.at(x, y)) {
        return ::testing::AssertionFailure() << "(" << x << ", " << y << ") is " << ColourName(drawn.at(x, y))
                                             << ", expected " << ColourName(expected.at(x, y));
      }
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(Resources, EveryPictureIsDrawnAt96DpiWithThePixelsOfItsFile) {
  for (const DrawnPicture& p : kPictures) {
    SCOPED_TRACE(p.file);
    EXPECT_TRUE(SamePixels(DrawnBitmap(p.id, 96), ReadBitmapFile(PicturePath(p.file))));
  }
}

TEST(Resources, TheBrowsePictureAt96DpiIsTheBrowseIconAsTheSystemDrawsItOnLightGrey) {
  const std::string path = PicturePath("BrowseIcon.ico");
  auto icon = static_cast<HICON>(LoadImageW(nullptr, std::wstring(path.begin(), path.end()).c_str(),
                                            IMAGE_ICON, 22, 22, LR_LOADFROMFILE));
  ASSERT_NE(icon, nullptr);
  const HDC screen = GetDC(nullptr);
  tarvolin::MemoryDC memory(screen);
  tarvolin::BitmapHandle canvas(CreateCompatibleBitmap(screen, 22, 22));
  ReleaseDC(nullptr, screen);
  {
    tarvolin::SelectedObject selected(memory.get(), canvas.get());
    tarvolin::BrushHandle grey(CreateSolidBrush(RGB(0xC0, 0xC0, 0xC0)));
    const RECT all{0, 0, 22, 22};
    FillRect(memory.get(), &all, grey.get());
    DrawIconEx(memory.get(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
  }
  DestroyIcon(icon);
  EXPECT_TRUE(SamePixels(DrawnBitmap(IDI_BROWSE, 96), FromPixels(tarvolin::test::FromBitmap(canvas.get()))));
}

// At twice the scale every pixel is its 96-dpi pixel as a 2 x 2 block, but for the texts, whose
// boxes are their 96-dpi ink boxes doubled.
TEST(Resources, At192DpiEveryPictureIsItsFileDoubledOutsideItsTexts) {
  for (const DrawnPicture& p : kPictures) {
    SCOPED_TRACE(p.file);
    const Picture file = ReadBitmapFile(PicturePath(p.file));
    TextBoxes texts;
    const Picture drawn = Draw(p.id, 192, &texts);
    ASSERT_TRUE(drawn.width == 2 * file.width && drawn.height == 2 * file.height);
    EXPECT_EQ(texts.boxes.size(), p.texts);
    for (std::size_t i = 0; i < texts.boxes.size(); ++i) {
      const auto& t = texts.boxes[i];
      if (p.texts > 1 && i == 0 && texts.boxes.size() > 1) {
        // The title's white copy, partly under the black one: that one's box moved 2 pixels.
        const auto& black = texts.boxes[1];
        EXPECT_TRUE(t.colour == kWhite && t.left == black.left + 2 && t.top == black.top + 2 &&
                    t.right == black.right + 2 && t.bottom == black.bottom + 2);
        continue;
      }
      // Halved, and grown by a pixel, the box holds exactly the ink of its colour in the file.
      const Box ink = InkBox(file, t.colour, t.left / 2 - 1, t.top / 2 - 1, t.right / 2, t.bottom / 2);
      EXPECT_TRUE(2 * ink.left == t.left && 2 * ink.top == t.top && 2 * (ink.right + 1) == t.right &&
                  2 * (ink.bottom + 1) == t.bottom)
          << "box (" << t.left << ", " << t.top << ")-(" << t.right << ", " << t.bottom << ")";
    }
    int outside = 0;
    for (int y = 0; y < drawn.height; ++y) {
      for (int x = 0; x < drawn.width; ++x) {
        if (texts.Cover(x, y)) continue;
        ++outside;
        ASSERT_EQ(drawn.at(x, y), file.at(x / 2, y / 2)) << "(" << x << ", " << y << ")";
      }
    }
    EXPECT_GT(outside, drawn.width * drawn.height / 2);
  }
}

// What the windows show at 192 dpi: the program's own text painter keeps each text's ink, in its
// colour, inside its box, centred there or from its left edge, and leaves every other pixel alone.
TEST(Resources, At192DpiTheTextsAreInkedInsideTheirBoxes) {
  for (const DrawnPicture& p : kPictures) {
    SCOPED_TRACE(p.file);
    TextBoxes texts;
    const Picture plain = Draw(p.id, 192, &texts);
    const Picture drawn = DrawnBitmap(p.id, 192);
    ASSERT_TRUE(drawn.width == plain.width && drawn.height == plain.height);
    for (int y = 0; y < drawn.height; ++y) {
      for (int x = 0; x < drawn.width; ++x) {
        if (drawn.at(x, y) == plain.at(x, y)) continue;
        bool inked = false;
        for (const auto& t : texts.boxes) {
          inked = inked ||
                  (x >= t.left && x < t.right && y >= t.top && y < t.bottom && drawn.at(x, y) == t.colour);
        }
        ASSERT_TRUE(inked) << "(" << x << ", " << y << ") is " << ColourName(drawn.at(x, y));
      }
    }
    // The last text drawn is whole (the title's white copy lies under the black one).
    const auto& t = texts.boxes.back();
    Box ink{t.right, t.bottom, t.left - 1, t.top - 1};
    for (int y = t.top; y < t.bottom; ++y) {
      for (int x = t.left; x < t.right; ++x) {
        if (drawn.at(x, y) != t.colour || drawn.at(x, y) == plain.at(x, y)) continue;
        ink =
            Box{std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x), std::max(ink.bottom, y)};
      }
    }
    ASSERT_FALSE(ink.empty());
    if (t.fromLeft) {
      EXPECT_EQ(ink.left, t.left) << "lined up on the left edge";
    } else {
      EXPECT_LE(std::abs((ink.left - t.left) - (t.right - 1 - ink.right)), 1);
    }
    EXPECT_LE(std::abs((ink.top - t.top) - (t.bottom - 1 - ink.bottom)), 1);
  }
}

TEST(Resources, At144DpiTheSkinsLinesAreAsThickAsTheScaleMakesThem) {
  const Picture main = DrawnBitmap(IDB_MAIN_BACKGROUND, 144);
  ASSERT_TRUE(main.width == 629 && main.height == 630);
  // Row 0 of 96 dpi becomes rows 0 and 1, row 1 row 2; at the bottom row 419 becomes row 629 alone
  // and row 418 rows 627 and 628.
  EXPECT_TRUE(AreaIs(main, 0, 0, 628, 1, kBlack));
  EXPECT_TRUE(RowIs(main, 2, 2, 625, kWhite));
  EXPECT_EQ(main.at(300, 3), kLightGrey);
  EXPECT_TRUE(AreaIs(main, 300, 627, 310, 628, kDarkGrey));
  EXPECT_TRUE(RowIs(main, 629, 0, 628, kBlack));
  EXPECT_TRUE(AreaIs(main, 0, 0, 1, 629, kBlack));
  EXPECT_TRUE(ColumnIs(main, 2, 2, 626, kWhite));
}

// Each pixel of a symbol becomes n x n, n the whole part of the scale, centred in the symbol's
// scaled place: the question symbol, 34 x 34 at (25, 27) of the exit confirmation.
TEST(Resources, SymbolsAreEnlargedByWholePixelsAndCentredInTheirPlace) {
  const Picture file = ReadBitmapFile(PicturePath("InforBackground.bmp"));
  struct Case {
    int dpi, n, left, top;  // where the enlarged symbol starts
    int placeLeft, placeTop, placeRight, placeBottom;
  };
  for (const Case& c : {Case{144, 1, 46, 49, 38, 41, 89, 92}, Case{192, 2, 50, 54, 50, 54, 118, 122},
                        Case{288, 3, 75, 81, 75, 81, 177, 183}}) {
    SCOPED_TRACE(c.dpi);
    const Picture drawn = Draw(IDB_INFOR_BACKGROUND, c.dpi, nullptr);
    for (int y = c.placeTop; y < c.placeBottom; ++y) {
      for (int x = c.placeLeft; x < c.placeRight; ++x) {
        const int col = (x - c.left) / c.n, row = (y - c.top) / c.n;
        const bool inside = x >= c.left && y >= c.top && col < 34 && row < 34;
        ASSERT_EQ(drawn.at(x, y), inside ? file.at(25 + col, 27 + row) : kLightGrey)
            << "(" << x << ", " << y << ")";
      }
    }
  }
}

TEST(Resources, IconsLoadInTheirSizes) {
  struct IconResource {
    int id;
    int size;
  };
  for (IconResource res : {IconResource{IDI_APP, 32}, {IDI_PAUSED, 32}}) {
    SCOPED_TRACE(res.id);
    auto icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(res.id), IMAGE_ICON, res.size, res.size, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, res.size);
    EXPECT_NE(info.hbmColor, nullptr) << "a colour icon";
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(icon);
  }
}

// Asked for any of the sizes, the system takes the file's own image of it: the same colours and
// mask, not another size scaled.
TEST(Resources, TrayIconsLoadTheFilesImageOfEachSize) {
  for (auto [id, file] : {std::pair{IDI_APP, "AppIcon.ico"}, {IDI_PAUSED, "PausedIcon.ico"}}) {
    const std::vector<Picture> images = ReadIconImages(PicturePath(file));
    std::vector<int> sizes;
    for (const Picture& image : images) {
      sizes.push_back(image.width);
    }
    EXPECT_EQ(sizes, std::vector<int>(std::begin(kIconSizes), std::end(kIconSizes))) << file;
    for (const Picture& image : images) {
      SCOPED_TRACE(std::string(file) + " at " + std::to_string(image.width));
      auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                image.width, image.height, 0));
      ICONINFO info{};
      ASSERT_TRUE(icon && GetIconInfo(icon, &info));
      DestroyIcon(icon);
      BITMAP loaded{};
      GetObjectW(info.hbmColor, sizeof loaded, &loaded);
      EXPECT_TRUE(loaded.bmWidth == image.width && loaded.bmHeight == image.height) << "not scaled";
      const std::vector<DWORD> colour = tarvolin::test::FromBitmap(info.hbmColor).data;
      const std::vector<DWORD> mask = tarvolin::test::FromBitmap(info.hbmMask).data;
      DeleteObject(info.hbmMask);
      DeleteObject(info.hbmColor);
      ASSERT_EQ(colour.size(), image.pixels.size());
      ASSERT_EQ(mask.size(), image.pixels.size());
      for (std::size_t i = 0; i < colour.size(); ++i) {
        ASSERT_TRUE(colour[i] == image.pixels[i] && (mask[i] == kWhite) == image.transparent[i])
            << "first different pixel at (" << i % image.width << ", " << i / image.width << ")";
      }
    }
  }
}

TEST(Resources, HandCursorLoadsWithItsHotSpot) {
  HCURSOR cursor = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HAND_POINTER));
  ASSERT_NE(cursor, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 0u);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) {
    DeleteObject(info.hbmColor);
  }
}

}  // namespace
}  // namespace pictures_test

#endif  // _WIN32
