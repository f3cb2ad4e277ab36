// The pictures as the program gets them: compiled into the executable and loaded by the system.
// Checks that the system decodes our RLE8 and RLE4 bitmaps to the same pixels as the files say.
#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "../../layouts/picture_ids.h"
#include "picture_reader.h"
#include "support/capture.h"

namespace pictures_test {
namespace {

struct BitmapResource {
  int id;
  const char* file;
};

const BitmapResource kBitmaps[] = {
    {IDB_MAIN_BACKGROUND, "MainBackground.bmp"},
    {IDB_EDIT_BACKGROUND, "EditBackground.bmp"},
    {IDB_ABOUT_BACKGROUND, "AboutBackground.bmp"},
    {IDB_INFOR_BACKGROUND, "InforBackground.bmp"},
    {IDB_INFOR2_BACKGROUND, "Infor2Background.bmp"},
    {IDB_FACE_ABOUT, "FaceAbout.bmp"},
    {IDB_FACE_ABOUT_DOWN, "FaceAboutDown.bmp"},
    {IDB_FACE_SETTINGS, "FaceSettings.bmp"},
    {IDB_FACE_SETTINGS_DOWN, "FaceSettingsDown.bmp"},
    {IDB_FACE_SAVE, "FaceSave.bmp"},
    {IDB_FACE_SAVE_DOWN, "FaceSaveDown.bmp"},
    {IDB_FACE_HIDE, "FaceHide.bmp"},
    {IDB_FACE_HIDE_DOWN, "FaceHideDown.bmp"},
    {IDB_FACE_EXIT, "FaceExit.bmp"},
    {IDB_FACE_EXIT_DOWN, "FaceExitDown.bmp"},
    {IDB_FACE_OK, "FaceOk.bmp"},
    {IDB_FACE_OK_DOWN, "FaceOkDown.bmp"},
    {IDB_FACE_CANCEL, "FaceCancel.bmp"},
    {IDB_FACE_CANCEL_DOWN, "FaceCancelDown.bmp"},
};

TEST(Resources, EveryBitmapLoadsWithTheSizeAndPixelsOfItsFile) {
  for (const BitmapResource& res : kBitmaps) {
    SCOPED_TRACE(res.file);
    const Picture file = ReadBitmapFile(PicturePath(res.file));
    auto bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(res.id), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bitmap, nullptr);
    const tarvolin::test::Pixels pixels = tarvolin::test::FromBitmap(bitmap);
    DeleteObject(bitmap);
    EXPECT_EQ(pixels.width, file.width);
    EXPECT_EQ(pixels.height, file.height);
    const std::vector<DWORD>& loaded = pixels.data;
    ASSERT_EQ(loaded.size(), file.pixels.size());
    std::size_t firstDifference = loaded.size();
    for (std::size_t i = 0; i < loaded.size() && firstDifference == loaded.size(); ++i) {
      if (loaded[i] != file.pixels[i]) {
        firstDifference = i;
      }
    }
    EXPECT_EQ(firstDifference, loaded.size()) << "first different pixel at (" << firstDifference % file.width
                                              << ", " << firstDifference / file.width << ")";
  }
}

TEST(Resources, IconsLoadInTheirSizes) {
  struct IconResource {
    int id;
    int size;
  };
  for (IconResource res : {IconResource{IDI_APP, 32}, {IDI_PAUSED, 32}, {IDI_BROWSE, 22}}) {
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
