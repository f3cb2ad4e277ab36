// The face bitmaps of the push buttons: outline, raised and pressed colourings, the characters.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <set>
#include <string>

#include "pixel_checks.h"

namespace pictures_test {
namespace {

const char* const kFaces[] = {"FaceAbout", "FaceSettings", "FaceSave",  "FaceHide",
                              "FaceExit",  "FaceOk",       "FaceCancel"};

class FaceTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    normal = ReadBitmapFile(PicturePath(std::string(GetParam()) + ".bmp"));
    pressed = ReadBitmapFile(PicturePath(std::string(GetParam()) + "Down.bmp"));
  }
  Picture normal;
  Picture pressed;
};

// The outline (2, 2)-(76, 22) with a diagonal step at each corner, light grey outside it.
void ExpectOutline(const Picture& pic) {
  EXPECT_TRUE(RowIs(pic, 2, 4, 74, kBlack));
  EXPECT_TRUE(RowIs(pic, 22, 4, 74, kBlack));
  EXPECT_TRUE(ColumnIs(pic, 2, 4, 20, kBlack));
  EXPECT_TRUE(ColumnIs(pic, 76, 4, 20, kBlack));
  for (auto [x, y] : {std::pair{3, 3}, {75, 3}, {3, 21}, {75, 21}}) {
    EXPECT_EQ(pic.at(x, y), kBlack) << "corner step at (" << x << ", " << y << ")";
  }
  for (auto [x, y] : {std::pair{2, 2},
                      {3, 2},
                      {2, 3},
                      {76, 2},
                      {75, 2},
                      {76, 3},
                      {2, 22},
                      {3, 22},
                      {2, 21},
                      {76, 22},
                      {75, 22},
                      {76, 21}}) {
    EXPECT_EQ(pic.at(x, y), kLightGrey) << "cut corner at (" << x << ", " << y << ")";
  }
  EXPECT_TRUE(AreaIs(pic, 0, 0, 78, 1, kLightGrey));
  EXPECT_TRUE(AreaIs(pic, 0, 23, 78, 24, kLightGrey));
  EXPECT_TRUE(AreaIs(pic, 0, 0, 1, 24, kLightGrey));
  EXPECT_TRUE(AreaIs(pic, 77, 0, 78, 24, kLightGrey));
}

// Ink of the characters: centred in the outline, in the rows of a 12-pixel font.
void ExpectCharacters(const Picture& pic, Rgb colour) {
  const Box ink = InkBox(pic, colour, 4, 4, 73, 19);
  ASSERT_FALSE(ink.empty());
  EXPECT_GE(ink.top, 7);
  EXPECT_LE(ink.bottom, 17);
  EXPECT_GE(ink.width(), 18) << "two characters";
  EXPECT_LE(ink.width(), 24);
  EXPECT_LE(std::abs((ink.left - 2) - (76 - ink.right)), 1) << "centred between columns 2 and 76";
  EXPECT_LE(std::abs((ink.top - 2) - (22 - ink.bottom)), 1) << "centred between rows 2 and 22";
}

TEST_P(FaceTest, BothAreCompressed79By25With16Colours) {
  for (const Picture* pic : {&normal, &pressed}) {
    EXPECT_EQ(pic->width, 79);
    EXPECT_EQ(pic->height, 25);
    EXPECT_EQ(pic->bitsPerPixel, 4);
    EXPECT_EQ(pic->compression, 2) << "RLE4 keeps the program small";
    EXPECT_EQ(pic->palette.size(), 16u);
    EXPECT_EQ(ColoursIn(*pic, 0, 0, 78, 24), (std::set<Rgb>{kBlack, kWhite, kLightGrey, kDarkGrey}));
  }
}

TEST_P(FaceTest, NormalFaceIsRaisedWithBlackCharacters) {
  ExpectOutline(normal);
  EXPECT_TRUE(RowIs(normal, 3, 4, 73, kWhite));
  EXPECT_TRUE(ColumnIs(normal, 3, 4, 19, kWhite));
  EXPECT_EQ(normal.at(74, 3), kDarkGrey);
  EXPECT_TRUE(AreaIs(normal, 74, 4, 75, 20, kDarkGrey));
  EXPECT_TRUE(AreaIs(normal, 4, 20, 74, 21, kDarkGrey));
  ExpectCharacters(normal, kBlack);
  EXPECT_EQ(ColoursIn(normal, 4, 4, 73, 19), (std::set<Rgb>{kLightGrey, kBlack}));
}

TEST_P(FaceTest, PressedFaceIsDarkWithWhiteCharacters) {
  ExpectOutline(pressed);
  EXPECT_TRUE(RowIs(pressed, 3, 3, 75, kBlack));
  EXPECT_TRUE(ColumnIs(pressed, 3, 3, 21, kBlack));
  EXPECT_TRUE(RowIs(pressed, 21, 4, 74, kLightGrey));
  EXPECT_TRUE(ColumnIs(pressed, 75, 4, 20, kLightGrey));
  ExpectCharacters(pressed, kWhite);
  EXPECT_EQ(ColoursIn(pressed, 4, 4, 74, 20), (std::set<Rgb>{kDarkGrey, kWhite}));
}

TEST_P(FaceTest, PressedFaceShowsTheSameCharactersInTheSamePlace) {
  EXPECT_EQ(InkPattern(normal, kBlack, 4, 4, 73, 19), InkPattern(pressed, kWhite, 4, 4, 73, 19));
}

std::string FaceName(const ::testing::TestParamInfo<const char*>& face) { return face.param; }

INSTANTIATE_TEST_SUITE_P(Faces, FaceTest, ::testing::ValuesIn(kFaces), FaceName);

TEST(Faces, EveryFaceHasItsOwnCharacters) {
  std::set<std::string> shapes;
  for (const char* face : kFaces) {
    shapes.insert(InkPattern(ReadBitmapFile(PicturePath(std::string(face) + ".bmp")), kBlack, 4, 4, 73, 19));
  }
  EXPECT_EQ(shapes.size(), std::size(kFaces));
}

}  // namespace
}  // namespace pictures_test
