// The icons and the cursor: sizes, colour depths, masks and the cursor's hot spot.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "pixel_checks.h"

namespace pictures_test {
namespace {

int CountClear(const Picture& pic) {
  int n = 0;
  for (bool clear : pic.transparent) {
    n += clear ? 1 : 0;
  }
  return n;
}

// Pixels under the mask carry black, so the icon draws the same on any background.
::testing::AssertionResult ClearPixelsAreBlack(const Picture& pic) {
  for (int y = 0; y < pic.height; ++y) {
    for (int x = 0; x < pic.width; ++x) {
      if (pic.clear(x, y) && pic.at(x, y) != kBlack) {
        return ::testing::AssertionFailure()
               << "(" << x << ", " << y << ") is transparent but " << ColourName(pic.at(x, y));
      }
    }
  }
  return ::testing::AssertionSuccess();
}

std::set<Rgb> OpaqueColours(const Picture& pic) {
  std::set<Rgb> colours;
  for (int y = 0; y < pic.height; ++y) {
    for (int x = 0; x < pic.width; ++x) {
      if (!pic.clear(x, y)) {
        colours.insert(pic.at(x, y));
      }
    }
  }
  return colours;
}

bool IsDarkBlue(Rgb c) {
  const int r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
  return b >= 0x60 && b <= 0xC0 && r < b / 2 && g < b / 2;
}

bool IsYellow(Rgb c) {
  const int r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
  return r >= 0xE0 && g >= 0xC0 && b < 0x40;
}

// Pixels where the paused icon is the red of the sign; everywhere else it must be the app icon.
int RedOverTheAppIcon(const Picture& app, const Picture& paused) {
  int red = 0;
  for (int y = 0; y < paused.height; ++y) {
    for (int x = 0; x < paused.width; ++x) {
      if (!paused.clear(x, y) && paused.at(x, y) == 0xFF0000) {
        ++red;
      } else {
        EXPECT_EQ(paused.at(x, y), app.at(x, y)) << "(" << x << ", " << y << ")";
        EXPECT_EQ(paused.clear(x, y), app.clear(x, y)) << "(" << x << ", " << y << ")";
      }
    }
  }
  return red;
}

const Picture& ImageOfSize(const std::vector<Picture>& images, int size) {
  for (const Picture& image : images) {
    if (image.width == size) {
      return image;
    }
  }
  throw std::runtime_error("no image of " + std::to_string(size) + " pixels");
}

std::uint64_t Fnv1a(const std::vector<std::uint8_t>& bytes, std::uint64_t hash = 0xCBF29CE484222325u) {
  for (std::uint8_t b : bytes) {
    hash = (hash ^ b) * 0x100000001B3u;
  }
  return hash;
}

// Pixels of the hat's dark blue, and of the yellow of its stars and moon.
std::pair<int, int> BlueAndYellow(const Picture& icon) {
  int blue = 0, yellow = 0;
  for (Rgb c : icon.pixels) {
    blue += IsDarkBlue(c) ? 1 : 0;
    yellow += IsYellow(c) ? 1 : 0;
  }
  return {blue, yellow};
}

TEST(AppIcon, Is32By32In24BitColourWithAMask) {
  const Picture icon = ImageOfSize(ReadIconImages(PicturePath("AppIcon.ico")), 32);
  EXPECT_EQ(icon.resourceType, 1);
  EXPECT_EQ(icon.imageCount, 6);
  EXPECT_EQ(icon.width, 32);
  EXPECT_EQ(icon.height, 32);
  EXPECT_EQ(icon.bitsPerPixel, 24);
  EXPECT_TRUE(icon.clear(0, 0)) << "corners show the desktop";
  EXPECT_TRUE(icon.clear(31, 0));
  EXPECT_GT(CountClear(icon), 200);
  EXPECT_LT(CountClear(icon), 900);
  EXPECT_TRUE(ClearPixelsAreBlack(icon));
  const auto [blue, yellow] = BlueAndYellow(icon);
  EXPECT_GT(blue, 150) << "the dark-blue hat";
  EXPECT_GT(yellow, 30) << "stars and moon";
}

TEST(PausedIcon, IsTheAppIconUnderARedProhibitionSign) {
  const Picture app = ImageOfSize(ReadIconImages(PicturePath("AppIcon.ico")), 32);
  const Picture paused = ImageOfSize(ReadIconImages(PicturePath("PausedIcon.ico")), 32);
  EXPECT_EQ(paused.imageCount, 6);
  ASSERT_EQ(paused.width, 32);
  ASSERT_EQ(paused.height, 32);
  EXPECT_EQ(paused.bitsPerPixel, 24);
  EXPECT_TRUE(ClearPixelsAreBlack(paused));
  EXPECT_GT(RedOverTheAppIcon(app, paused), 150);
  // The ring crosses the middle of each edge, the slash runs through the centre.
  for (auto [x, y] : {std::pair{1, 16}, {30, 16}, {16, 1}, {16, 30}, {16, 16}, {10, 10}, {21, 21}}) {
    EXPECT_EQ(paused.at(x, y), 0xFF0000u) << "(" << x << ", " << y << ")";
  }
}

// The tray shows the 16-pixel image at 100 %, drawn at 16 pixels rather than scaled.
TEST(AppIcon, Its16By16ImageIsTheHatAndWandIn24BitColourWithAMask) {
  const std::vector<Picture> images = ReadIconImages(PicturePath("AppIcon.ico"));
  ASSERT_EQ(images.size(), 6u);
  EXPECT_EQ(images[0].width, 48) << "largest first";
  const Picture& icon = ImageOfSize(images, 16);
  ASSERT_EQ(icon.width, 16);
  EXPECT_EQ(icon.bitsPerPixel, 24);
  EXPECT_TRUE(icon.clear(0, 0) && icon.clear(15, 15)) << "corners show the desktop";
  EXPECT_GT(CountClear(icon), 60);
  EXPECT_LT(CountClear(icon), 200);
  EXPECT_TRUE(ClearPixelsAreBlack(icon));
  const auto [blue, yellow] = BlueAndYellow(icon);
  EXPECT_GT(blue, 40) << "the dark-blue hat";
  EXPECT_GT(yellow, 12) << "stars and moon";
  const std::set<Rgb> large = OpaqueColours(ImageOfSize(images, 32));
  for (Rgb c : OpaqueColours(icon)) {
    EXPECT_TRUE(large.count(c)) << ColourName(c) << " is not among the large image's colours";
  }
}

TEST(PausedIcon, Its16By16ImageIsTheSmallAppIconUnderARedProhibitionSign) {
  const Picture app = ImageOfSize(ReadIconImages(PicturePath("AppIcon.ico")), 16);
  const Picture paused = ImageOfSize(ReadIconImages(PicturePath("PausedIcon.ico")), 16);
  EXPECT_EQ(paused.bitsPerPixel, 24);
  EXPECT_TRUE(ClearPixelsAreBlack(paused));
  const int red = RedOverTheAppIcon(app, paused);
  EXPECT_GT(red, 60);
  EXPECT_LT(red, 140) << "the hat still shows through";
  for (auto [x, y] : {std::pair{0, 8}, {15, 7}, {8, 0}, {7, 15}, {7, 7}, {8, 8}, {4, 4}, {11, 11}}) {
    EXPECT_EQ(paused.at(x, y), 0xFF0000u) << "(" << x << ", " << y << ")";
  }
}

// An image drawn for each size Windows asks for, largest first. The new sizes take 16 colours of
// the art's own: the standard 16-colour palette has neither the hat's blue nor the stars' yellow.
TEST(AppIcon, HasAnImageOfEachSizeInTheArtsOwnColours) {
  const std::vector<Picture> images = ReadIconImages(PicturePath("AppIcon.ico"));
  ASSERT_EQ(images.size(), std::size(kIconSizes));
  const std::set<Rgb> artColours = OpaqueColours(ImageOfSize(images, 32));
  for (std::size_t i = 0; i < images.size(); ++i) {
    const Picture& icon = images[i];
    const int n = kIconSizes[i];
    SCOPED_TRACE(n);
    ASSERT_TRUE(icon.width == n && icon.height == n);
    if (n != 32 && n != 16) {
      EXPECT_TRUE(icon.bitsPerPixel == 4 && icon.palette.size() <= 16u);
    }
    EXPECT_TRUE(icon.clear(0, 0) && icon.clear(n - 1, 0)) << "corners show the desktop";
    EXPECT_TRUE(ClearPixelsAreBlack(icon));
    const auto [blue, yellow] = BlueAndYellow(icon);
    EXPECT_GT(blue, n * n / 7) << "the dark-blue hat";
    EXPECT_GT(yellow, n * n / 35) << "stars and moon";
    EXPECT_EQ(OpaqueColours(icon), artColours);
  }
}

// At every size the paused image is the app image with the sign's red added, and nothing else.
TEST(PausedIcon, IsTheAppIconUnderARedProhibitionSignAtEachSize) {
  const std::vector<Picture> app = ReadIconImages(PicturePath("AppIcon.ico"));
  const std::vector<Picture> paused = ReadIconImages(PicturePath("PausedIcon.ico"));
  ASSERT_EQ(paused.size(), std::size(kIconSizes));
  for (std::size_t i = 0; i < paused.size(); ++i) {
    const int n = kIconSizes[i];
    SCOPED_TRACE(n);
    ASSERT_TRUE(app.at(i).width == n && paused[i].width == n);
    EXPECT_EQ(paused[i].bitsPerPixel, app[i].bitsPerPixel);
    EXPECT_TRUE(ClearPixelsAreBlack(paused[i]));
    const int red = RedOverTheAppIcon(app[i], paused[i]);
    EXPECT_GT(red, n * n * 3 / 10);
    EXPECT_LT(red, n * n / 2) << "the hat still shows through";
    const int h = n / 2, q = n / 4;  // the ring crosses each edge's middle, the slash the centre
    for (auto [x, y] :
         {std::pair{1, h}, {n - 2, h}, {h, 1}, {h, n - 2}, {h, h}, {q, q}, {n - 1 - q, n - 1 - q}}) {
      EXPECT_EQ(paused[i].at(x, y), 0xFF0000u) << "(" << x << ", " << y << ")";
    }
  }
}

// The 32 and 16 images stay byte for byte what they were before the other sizes came.
TEST(AppIcon, Its32And16PixelImagesAndThePausedOnesAreUnchanged) {
  for (auto [file, hash] :
       {std::pair{"AppIcon.ico", 0xD94C7B707F3615F6u}, {"PausedIcon.ico", 0x6F0221D399B4BFF8u}}) {
    const std::vector<Picture> images = ReadIconImages(PicturePath(file));
    EXPECT_EQ(Fnv1a(ImageOfSize(images, 16).bytes, Fnv1a(ImageOfSize(images, 32).bytes)), hash) << file;
  }
}

TEST(BrowseIcon, Is22By22In16ColoursWithAMask) {
  const Picture icon = ReadIconFile(PicturePath("BrowseIcon.ico"));
  EXPECT_EQ(icon.resourceType, 1);
  EXPECT_EQ(icon.width, 22);
  EXPECT_EQ(icon.height, 22);
  EXPECT_EQ(icon.bitsPerPixel, 4);
  EXPECT_EQ(icon.palette.size(), 16u);
  EXPECT_TRUE(icon.clear(0, 0));
  EXPECT_TRUE(ClearPixelsAreBlack(icon));
  const std::set<Rgb> colours = OpaqueColours(icon);
  EXPECT_TRUE(colours.count(0xFFFF00)) << "yellow folder";
  EXPECT_TRUE(colours.count(0x808000)) << "dark olive flap";
  EXPECT_TRUE(colours.count(kBlack)) << "outline and arrow";
}

TEST(HandCursor, IsAMonochrome32By32CursorWithTheHotSpotOnTheFingertip) {
  const Picture cursor = ReadIconFile(PicturePath("HandCursor.cur"));
  EXPECT_EQ(cursor.resourceType, 2);
  EXPECT_EQ(cursor.width, 32);
  EXPECT_EQ(cursor.height, 32);
  EXPECT_EQ(cursor.bitsPerPixel, 1);
  EXPECT_EQ(cursor.hotX, 5);
  EXPECT_EQ(cursor.hotY, 0);
  EXPECT_FALSE(cursor.clear(5, 0)) << "the hot spot is on the hand";
  for (int x = 0; x < 32; ++x) {
    if (x != 5 && x != 6) {
      EXPECT_TRUE(cursor.clear(x, 0)) << "only the fingertip reaches the top row, column " << x;
    }
  }
  EXPECT_EQ(OpaqueColours(cursor), (std::set<Rgb>{kBlack, kWhite}));
  EXPECT_TRUE(ClearPixelsAreBlack(cursor)) << "no inverted pixels";
}

}  // namespace
}  // namespace pictures_test
