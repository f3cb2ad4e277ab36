// The five window backgrounds: the shared skin, and what each window paints into its panel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "pixel_checks.h"

namespace pictures_test {
namespace {

struct Background {
  const char* file;
  int width;
  int height;
  int leftBarEnd;     // the left groove spans columns 4..leftBarEnd
  int rightBarStart;  // the right groove spans columns rightBarStart..width-5
  std::set<Rgb> symbolColours;
};

const Background kBackgrounds[] = {
    {"MainBackground.bmp", 419, 420, 115, 295, {}},
    {"EditBackground.bmp", 419, 420, 115, 295, {}},
    {"AboutBackground.bmp", 332, 166, 107, 215, {}},
    {"InforBackground.bmp", 332, 116, 107, 215, {0x0000FF}},
    {"Infor2Background.bmp", 232, 123, 58, 165, {0xFFFF00}},
};

void PrintTo(const Background& bg, std::ostream* out) { *out << bg.file; }

class SkinTest : public ::testing::TestWithParam<Background> {
 protected:
  void SetUp() override { pic = ReadBitmapFile(PicturePath(GetParam().file)); }
  Picture pic;
};

std::string BackgroundName(const ::testing::TestParamInfo<Background>& info) {
  const std::string file = info.param.file;
  return file.substr(0, file.find('.'));
}

TEST_P(SkinTest, IsACompressedEightBitPictureOfTheWindowSizeInSkinColours) {
  const Background& bg = GetParam();
  EXPECT_EQ(pic.width, bg.width);
  EXPECT_EQ(pic.height, bg.height);
  EXPECT_EQ(pic.bitsPerPixel, 8);
  EXPECT_EQ(pic.compression, 1) << "RLE8 keeps the program small";
  std::set<Rgb> allowed{kBlack, kWhite, kLightGrey, kDarkGrey};
  allowed.insert(bg.symbolColours.begin(), bg.symbolColours.end());
  for (Rgb c : ColoursIn(pic, 0, 0, pic.width - 1, pic.height - 1)) {
    EXPECT_TRUE(allowed.count(c)) << ColourName(c) << " is not a colour of this picture";
  }
}

TEST_P(SkinTest, OuterEdgeIsRaised) {
  const int w = pic.width, h = pic.height;
  EXPECT_TRUE(RowIs(pic, 0, 0, w - 1, kBlack));
  EXPECT_TRUE(RowIs(pic, h - 1, 0, w - 1, kBlack));
  EXPECT_TRUE(ColumnIs(pic, 0, 0, h - 1, kBlack));
  EXPECT_TRUE(ColumnIs(pic, w - 1, 0, h - 1, kBlack));
  EXPECT_TRUE(RowIs(pic, 1, 1, w - 3, kWhite));
  EXPECT_TRUE(ColumnIs(pic, 1, 1, h - 3, kWhite));
  EXPECT_TRUE(ColumnIs(pic, w - 2, 1, h - 2, kDarkGrey));
  EXPECT_TRUE(RowIs(pic, h - 2, 1, w - 2, kDarkGrey));
}

TEST_P(SkinTest, TitleBarIsLightGreyWithTwoGroovesOfShiftedLines) {
  const Background& bg = GetParam();
  const int w = pic.width;
  // Above and below the grooves, and the margins beside them, are plain.
  EXPECT_TRUE(AreaIs(pic, 2, 2, w - 3, 4, kLightGrey));
  EXPECT_TRUE(AreaIs(pic, 2, 17, w - 3, 19, kLightGrey));
  EXPECT_TRUE(AreaIs(pic, 2, 2, 3, 19, kLightGrey));
  EXPECT_TRUE(AreaIs(pic, w - 4, 2, w - 3, 19, kLightGrey));
  for (int y = 5; y <= 15; y += 2) {
    SCOPED_TRACE("white line on row " + std::to_string(y));
    EXPECT_TRUE(RowIs(pic, y, 4, bg.leftBarEnd - 1, kWhite));
    EXPECT_EQ(pic.at(bg.leftBarEnd, y), kLightGrey);
    EXPECT_EQ(pic.at(bg.rightBarStart - 1, y), kLightGrey);
    EXPECT_TRUE(RowIs(pic, y, bg.rightBarStart, w - 6, kWhite));
    EXPECT_EQ(pic.at(w - 5, y), kLightGrey);
  }
  for (int y = 6; y <= 16; y += 2) {
    SCOPED_TRACE("dark line on row " + std::to_string(y));
    EXPECT_EQ(pic.at(4, y), kLightGrey);
    EXPECT_TRUE(RowIs(pic, y, 5, bg.leftBarEnd, kDarkGrey));
    EXPECT_EQ(pic.at(bg.leftBarEnd + 1, y), kLightGrey);
    EXPECT_EQ(pic.at(bg.rightBarStart, y), kLightGrey);
    EXPECT_TRUE(RowIs(pic, y, bg.rightBarStart + 1, w - 5, kDarkGrey));
  }
}

TEST_P(SkinTest, TitleIsEngravedAndCentredBetweenTheGrooves) {
  const Background& bg = GetParam();
  const int x0 = bg.leftBarEnd + 1, x1 = bg.rightBarStart - 1;
  EXPECT_EQ(ColoursIn(pic, x0, 2, x1, 19), (std::set<Rgb>{kBlack, kWhite, kLightGrey}));
  int blackPixels = 0;
  for (int y = 2; y <= 19; ++y) {
    for (int x = x0; x <= x1; ++x) {
      if (pic.at(x, y) == kBlack) {
        ++blackPixels;
        EXPECT_NE(pic.at(x + 1, y + 1), kLightGrey) << "no white copy under (" << x << ", " << y << ")";
      } else if (pic.at(x, y) == kWhite) {
        EXPECT_EQ(pic.at(x - 1, y - 1), kBlack) << "white (" << x << ", " << y << ") copies no black pixel";
      }
    }
  }
  EXPECT_GT(blackPixels, 20);
  const Box black = InkBox(pic, kBlack, x0, 2, x1, 19);
  const Box white = InkBox(pic, kWhite, x0, 2, x1, 19);
  EXPECT_EQ(white.right, black.right + 1);
  EXPECT_EQ(white.bottom, black.bottom + 1);
  EXPECT_GE(black.top, 5);
  EXPECT_LE(white.bottom, 16);
  EXPECT_LE(black.height(), 12) << "a 12-pixel font";
  const int leftMargin = black.left - x0;
  const int rightMargin = x1 - white.right;
  EXPECT_LE(std::abs(leftMargin - rightMargin), 1);
}

TEST_P(SkinTest, PanelIsSunkenWithTwoEdges) {
  const int w = pic.width, h = pic.height;
  EXPECT_TRUE(RowIs(pic, 20, 4, w - 6, kDarkGrey));
  EXPECT_TRUE(ColumnIs(pic, 4, 20, h - 6, kDarkGrey));
  EXPECT_TRUE(RowIs(pic, 21, 5, w - 6, kBlack));
  EXPECT_TRUE(ColumnIs(pic, 5, 21, h - 6, kBlack));
  EXPECT_TRUE(RowIs(pic, h - 6, 5, w - 6, kBlack));
  EXPECT_TRUE(ColumnIs(pic, w - 6, 21, h - 6, kBlack));
  EXPECT_TRUE(RowIs(pic, h - 5, 4, w - 5, kWhite));
  EXPECT_TRUE(ColumnIs(pic, w - 5, 20, h - 5, kWhite));
  // Between the raised frame and the panel.
  EXPECT_TRUE(AreaIs(pic, 2, 20, 3, h - 3, kLightGrey));
  EXPECT_TRUE(AreaIs(pic, w - 4, 20, w - 3, h - 3, kLightGrey));
  EXPECT_TRUE(AreaIs(pic, 2, h - 4, w - 3, h - 3, kLightGrey));
  // The panel's own corners are grey inside the edges.
  EXPECT_EQ(pic.at(6, 22), kLightGrey);
  EXPECT_EQ(pic.at(w - 7, h - 7), kLightGrey);
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, SkinTest, ::testing::ValuesIn(kBackgrounds), BackgroundName);

// Horizontal runs of ink at least two pixels long everywhere: the one-pixel bold smear.
::testing::AssertionResult LooksBold(const Picture& pic, int x0, int y0, int x1, int y1) {
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      if (pic.at(x, y) == kBlack && pic.at(x - 1, y) != kBlack && pic.at(x + 1, y) != kBlack) {
        return ::testing::AssertionFailure() << "single-pixel stroke at (" << x << ", " << y << ")";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(MainBackground, ListIsSunkenAndWhiteInside) {
  const Picture pic = ReadBitmapFile(PicturePath("MainBackground.bmp"));
  EXPECT_TRUE(RowIs(pic, 32, 16, 401, kDarkGrey));
  EXPECT_TRUE(ColumnIs(pic, 16, 32, 334, kDarkGrey));
  EXPECT_TRUE(RowIs(pic, 33, 17, 400, kBlack));
  EXPECT_TRUE(ColumnIs(pic, 17, 33, 333, kBlack));
  EXPECT_TRUE(RowIs(pic, 335, 16, 402, kWhite));
  EXPECT_TRUE(ColumnIs(pic, 402, 32, 335, kWhite));
  EXPECT_TRUE(ColumnIs(pic, 15, 22, 336, kLightGrey));
  EXPECT_TRUE(RowIs(pic, 31, 6, 412, kLightGrey));
  // The labels and check boxes of the slots lie on the white body; nothing is painted there.
  EXPECT_TRUE(AreaIs(pic, 69, 53, 400, 333, kWhite));
  EXPECT_TRUE(AreaIs(pic, 18, 53, 34, 333, kWhite));
  // Below the list the panel is plain, where the face buttons sit.
  EXPECT_TRUE(AreaIs(pic, 6, 336, 412, 413, kLightGrey));
}

TEST(MainBackground, HeaderHasThreeRaisedCaptionedCellsBetweenBlackDividers) {
  const Picture pic = ReadBitmapFile(PicturePath("MainBackground.bmp"));
  for (int x : {68, 367, 400}) {
    EXPECT_TRUE(ColumnIs(pic, x, 34, 52, kBlack)) << "divider at column " << x;
  }
  EXPECT_TRUE(RowIs(pic, 52, 18, 400, kBlack));
  struct Cell {
    int left, right;
  };
  for (Cell cell : {Cell{18, 67}, Cell{69, 366}, Cell{368, 399}}) {
    SCOPED_TRACE("cell from column " + std::to_string(cell.left));
    EXPECT_TRUE(RowIs(pic, 34, cell.left, cell.right - 1, kWhite));
    EXPECT_TRUE(ColumnIs(pic, cell.left, 34, 50, kWhite));
    EXPECT_TRUE(RowIs(pic, 51, cell.left, cell.right, kDarkGrey));
    EXPECT_TRUE(ColumnIs(pic, cell.right, 34, 51, kDarkGrey));
    const Box caption = InkBox(pic, kBlack, cell.left + 1, 35, cell.right - 1, 50);
    ASSERT_FALSE(caption.empty());
    EXPECT_LE(std::abs((caption.left - cell.left) - (cell.right - caption.right)), 1) << "caption centred";
    EXPECT_LE(std::abs((caption.top - 34) - (51 - caption.bottom)), 1);
    EXPECT_GE(caption.width(), 20) << "two characters";
  }
}

TEST(MainBackground, KeyNamesStartAtColumn35OnTheRowsOfTheSlots) {
  const Picture pic = ReadBitmapFile(PicturePath("MainBackground.bmp"));
  const int tops[] = {63, 86, 109, 132, 155, 178, 201, 223, 246, 269, 292, 315};
  std::set<std::string> shapes;
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE("F" + std::to_string(i + 1));
    const int y0 = i == 0 ? 53 : tops[i - 1] + 12;
    const int y1 = tops[i] + 11;
    const Box ink = InkBox(pic, kBlack, 18, y0, 67, y1);
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(ink.top, tops[i]);
    EXPECT_EQ(ink.left, 35);
    EXPECT_LE(ink.height(), 12);
    EXPECT_GE(ink.width(), 13) << "three characters";
    shapes.insert(InkPattern(pic, kBlack, 35, tops[i], 67, tops[i] + 11));
  }
  EXPECT_EQ(shapes.size(), 12u) << "every key has its own name";
}

TEST(EditBackground, PanelIsPlainLightGrey) {
  const Picture pic = ReadBitmapFile(PicturePath("EditBackground.bmp"));
  EXPECT_TRUE(AreaIs(pic, 6, 22, pic.width - 7, pic.height - 7, kLightGrey));
}

TEST(AboutBackground, ProductNameIsBoldAndCentredAboveFourLeftAlignedLines) {
  const Picture pic = ReadBitmapFile(PicturePath("AboutBackground.bmp"));
  const Box name = InkBox(pic, kBlack, 6, 22, 325, 50);
  ASSERT_FALSE(name.empty());
  EXPECT_GE(name.top, 35);
  EXPECT_LE(name.bottom, 45);
  EXPECT_LE(std::abs(name.left - (331 - name.right)), 1) << "centred";
  EXPECT_TRUE(LooksBold(pic, name.left, name.top, name.right, name.bottom));

  const int tops[] = {56, 78, 102, 126};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1));
    const Box line = InkBox(pic, kBlack, 6, tops[i] - 4, 325, tops[i] + 13);
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.top, tops[i]);
    EXPECT_EQ(line.left, 48);
    EXPECT_LE(line.height(), 12);
  }
  // The version and the e-mail address are labels of the window: their places stay empty.
  EXPECT_TRUE(AreaIs(pic, 84, 54, 160, 70, kLightGrey));
  EXPECT_TRUE(AreaIs(pic, 108, 122, 325, 159, kLightGrey));
}

TEST(InforBackground, QuestionSymbolAtTheLeftAndABoldMessageBesideIt) {
  const Picture pic = ReadBitmapFile(PicturePath("InforBackground.bmp"));
  const Box blue = InkBox(pic, 0x0000FF, 0, 0, pic.width - 1, pic.height - 1);
  ASSERT_FALSE(blue.empty());
  EXPECT_GE(blue.left, 25);
  EXPECT_LE(blue.right, 58);
  EXPECT_GE(blue.top, 27);
  EXPECT_LE(blue.bottom, 60);
  const Box bubble = InkBox(pic, kWhite, 22, 24, 62, 64);
  EXPECT_LE(std::abs(bubble.left - 25), 2);
  EXPECT_LE(std::abs(bubble.right - 58), 2);
  EXPECT_LE(std::abs(bubble.top - 27), 2);

  const Box message = InkBox(pic, kBlack, 60, 22, pic.width - 7, pic.height - 7);
  ASSERT_FALSE(message.empty());
  EXPECT_LE(message.height(), 12) << "one line";
  EXPECT_GE(message.width(), 200);
  EXPECT_GE(message.top, 27);
  EXPECT_LE(message.bottom, 60);
  EXPECT_TRUE(LooksBold(pic, message.left, message.top, message.right, message.bottom));
  // The two face buttons sit below the message on plain grey.
  EXPECT_TRUE(AreaIs(pic, 6, 66, pic.width - 7, pic.height - 7, kLightGrey));
}

TEST(Infor2Background, WarningSymbolAtTheLeftAndTheMessageBesideIt) {
  const Picture pic = ReadBitmapFile(PicturePath("Infor2Background.bmp"));
  const Box yellow = InkBox(pic, 0xFFFF00, 0, 0, pic.width - 1, pic.height - 1);
  ASSERT_FALSE(yellow.empty());
  EXPECT_GE(yellow.left, 31);
  EXPECT_LE(yellow.right, 58);
  EXPECT_GE(yellow.top, 34);
  EXPECT_LE(yellow.bottom, 63);
  EXPECT_GE(yellow.width(), 20);
  // The exclamation mark: black inside the triangle, below its tip.
  const Box mark = InkBox(pic, kBlack, 40, 44, 49, 60);
  EXPECT_FALSE(mark.empty());

  const Box message = InkBox(pic, kBlack, 60, 22, pic.width - 7, pic.height - 7);
  ASSERT_FALSE(message.empty());
  EXPECT_LE(message.height(), 12) << "one line";
  EXPECT_GE(message.width(), 90);
  EXPECT_GE(message.top, 34);
  EXPECT_LE(message.bottom, 63);
  EXPECT_TRUE(AreaIs(pic, 6, 70, pic.width - 7, pic.height - 7, kLightGrey));
}

}  // namespace
}  // namespace pictures_test
