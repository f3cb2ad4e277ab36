// What the five windows look like on the screen: sizes, backgrounds painted unscaled, Main's
// labels and switches on the painted list, and Chinese text drawn as glyphs on any code page.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/about_form.h"
#include "dialogs/edit_form.h"
#include "dialogs/fonts.h"
#include "dialogs/infor2_form.h"
#include "dialogs/infor_form.h"
#include "layouts/picture_bitmap.h"
#include "layouts/picture_ids.h"
#include "support/loaded_main.h"
#include "support/capture.h"
#include "support/process.h"

using namespace tarvolin;
using namespace tarvolin::test;

namespace {

// The window's client area as it is on the screen, once it has painted.
Pixels Capture(HWND window) {
  UpdateWindow(window);
  PumpMessages(std::chrono::milliseconds(100));
  return CaptureClient(window);
}

// A picture as the program draws it at 96 dpi.
Pixels Resource(int id) {
  BitmapHandle bitmap(DrawPictureBitmap(id, 96));
  return FromBitmap(bitmap.get());
}

// Rows of the background that no control covers match the picture exactly: the title bar and
// the outer frame.
void ExpectBackgroundUnscaled(const Pixels& screen, const Pixels& picture) {
  ASSERT_EQ(screen.width, picture.width);
  ASSERT_EQ(screen.height, picture.height);
  int differences = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < picture.width; ++x) differences += screen.at(x, y) != picture.at(x, y);
  }
  for (int y = 0; y < picture.height; ++y) {
    for (int x : {0, 1, picture.width - 2, picture.width - 1})
      differences += screen.at(x, y) != picture.at(x, y);
  }
  EXPECT_EQ(differences, 0);
}

class Look : public ::testing::Test {
 protected:
  void SetUp() override { RemoveSettingsFile(); }
  void TearDown() override { RemoveSettingsFile(); }
};

template <typename FormType>
void ExpectWindow(HWND owner, int width, int height, int background) {
  FormType form;
  ASSERT_TRUE(form.Load(owner));
  form.Show();
  RECT client = {};
  GetClientRect(form.hwnd(), &client);
  EXPECT_EQ(client.right, width);
  EXPECT_EQ(client.bottom, height);
  ExpectBackgroundUnscaled(Capture(form.hwnd()), Resource(background));
  form.Close();
}

}  // namespace

TEST_F(Look, EveryWindowHasItsSizeAndItsBackgroundUnscaled) {
  LoadedMain main;
  main->Show();
  RECT client = {};
  GetClientRect(main->hwnd(), &client);
  EXPECT_EQ(client.right, 419);
  EXPECT_EQ(client.bottom, 420);
  ExpectBackgroundUnscaled(Capture(main->hwnd()), Resource(IDB_MAIN_BACKGROUND));
  ExpectWindow<AboutForm>(main->hwnd(), 332, 166, IDB_ABOUT_BACKGROUND);
  ExpectWindow<InforForm>(main->hwnd(), 332, 116, IDB_INFOR_BACKGROUND);
  ExpectWindow<Infor2Form>(main->hwnd(), 232, 123, IDB_INFOR2_BACKGROUND);
}

TEST_F(Look, MainsLabelsSitOnThePaintedRowsAndItsSwitchesInTheStatusColumn) {
  LoadedMain main;
  main->Show();
  for (int n = 1; n <= 12; ++n) main->SetSlotCommandName(n, L"MMMMMMMM");
  const Pixels screen = Capture(main->hwnd());
  const Pixels picture = Resource(IDB_MAIN_BACKGROUND);
  // Where the key names are painted in the first column: the label's ink must share those rows.
  const int keyTextTop[12] = {63, 86, 109, 132, 155, 178, 201, 223, 246, 269, 292, 315};
  for (int n = 1; n <= 12; ++n) {
    const int label = n - 1;
    // Only this label's rows: find ink between its own top and the next row.
    int top = -1, bottom = -1;
    for (int y = keyTextTop[label] - 4; y < keyTextTop[label] + 16; ++y) {
      for (int x = 70; x < 140; ++x) {
        if (screen.at(x, y) == 0 && picture.at(x, y) != 0) {
          if (top < 0) top = y;
          bottom = y;
        }
      }
    }
    ASSERT_GE(top, 0) << "label " << n << " drew nothing near its row";
    EXPECT_GE(top, keyTextTop[label] - 3) << "label " << n;
    EXPECT_LE(bottom, keyTextTop[label] + 12) << "label " << n;
  }
  for (int n = 1; n <= 12; ++n) {
    RECT box = {};
    GetWindowRect(main->ControlWindow("Check", n), &box);
    MapWindowPoints(nullptr, main->hwnd(), reinterpret_cast<POINT*>(&box), 2);
    EXPECT_GT(box.left, 367) << "check box " << n;
    EXPECT_LT(box.right, 400) << "check box " << n;
    EXPECT_GE(box.top, keyTextTop[n - 1] - 4) << "check box " << n;
    EXPECT_LE(box.bottom, keyTextTop[n - 1] + 16) << "check box " << n;
  }
}

TEST_F(Look, PausedIconIsNeverSeenOnMain) {
  LoadedMain main;
  main->Show();
  const Pixels screen = Capture(main->hwnd());
  const Pixels picture = Resource(IDB_MAIN_BACKGROUND);
  // Image2 lies below the client area; the rows under the buttons are the picture's own.
  for (int y = 405; y < 420; ++y) {
    for (int x = 0; x < 419; ++x) ASSERT_EQ(screen.at(x, y), picture.at(x, y)) << x << "," << y;
  }
  EXPECT_NE(main->PausedIcon(), nullptr);
}

namespace {
// A window's background picture with a label's text drawn on it as the label draws it, with room
// to spare on the right: what the window shows where that label is painted whole.
Pixels LabelOnBackground(HWND window, int background, const ControlSpec& label, const std::wstring& text) {
  BitmapHandle picture(DrawPictureBitmap(background, 96));
  BITMAP size = {};
  GetObjectW(picture.get(), sizeof size, &size);
  const HDC dc = GetDC(window);
  MemoryDC canvas(dc);
  MemoryDC source(dc);
  BitmapHandle bitmap(CreateCompatibleBitmap(dc, size.bmWidth, size.bmHeight));
  Pixels pixels;
  {
    SelectedObject target(canvas.get(), bitmap.get());
    SelectedObject from(source.get(), picture.get());
    BitBlt(canvas.get(), 0, 0, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY);
    RECT room = LayoutRect(label);
    room.right = size.bmWidth;
    room.bottom = size.bmHeight;
    DrawLabelText(canvas.get(), room, text, label.font, label.fore);
    pixels = FromDC(canvas.get(), size.bmWidth, size.bmHeight);
  }
  ReleaseDC(window, dc);
  return pixels;
}
}  // namespace

// The address's label takes the size of its text: the first paint, before anything asks for a
// rectangle or clicks, already shows it whole, up to its last column of ink. Wine does not clip a
// label's underline, and the glyphs of the built-in address end inside its layout size, so an
// address a build may set instead (TARVOLIN_CONTACT_EMAIL), longer than that size, is shown too.
TEST_F(Look, AboutsAddressIsPaintedWholeFromTheFirstShow) {
  LoadedMain main;
  const ControlSpec& label = *FindLayoutControl(kAboutLayout, "Label1");
  const RECT place = LayoutRect(label);
  const Pixels background = Resource(IDB_ABOUT_BACKGROUND);
  for (const std::wstring& address : {ContactAddress(), std::wstring(L"contact@tarvolin.example.org")}) {
    AboutForm about;
    ASSERT_TRUE(about.Load(main->hwnd()));
    about.SetCaption("Label1", -1, address);
    about.Show();
    const Pixels screen = Capture(about.hwnd());
    const Pixels whole = LabelOnBackground(about.hwnd(), IDB_ABOUT_BACKGROUND, label, address);
    ASSERT_EQ(screen.width, whole.width);
    ASSERT_EQ(screen.height, whole.height);
    // The text's band: from the label's left edge to the window's right, two lines high.
    const int bottom = std::min(whole.height, static_cast<int>(place.top + 2 * (place.bottom - place.top)));
    int lastInk = -1;
    int differences = 0;
    for (int y = place.top; y < bottom; ++y) {
      for (int x = place.left; x < whole.width; ++x) {
        if (whole.at(x, y) != background.at(x, y)) lastInk = std::max(lastInk, x);
        differences += screen.at(x, y) != whole.at(x, y);
      }
    }
    ASSERT_GT(lastInk, place.left) << "the address drew nothing";
    EXPECT_EQ(differences, 0) << Ansi(address)
                              << ": pixels unlike the address drawn whole, whose last column of ink is x = "
                              << lastInk;
    about.Close();
  }
}

namespace {
// Draws text the way a label does, into a picture of its own.
Pixels DrawText(const std::wstring& text, FontKind kind, bool asLabel) {
  const HDC screen = GetDC(nullptr);
  MemoryDC memory(screen);
  BitmapHandle bitmap(CreateCompatibleBitmap(screen, 120, 20));
  Pixels pixels;
  {
    SelectedObject selected(memory.get(), bitmap.get());
    RECT r = {0, 0, 120, 20};
    FillRect(memory.get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (asLabel) {
      DrawLabelText(memory.get(), r, text, kind, 0);
    } else {
      SelectedObject font(memory.get(), ControlFont(kind));
      DrawTextW(memory.get(), text.c_str(), -1, &r, DT_SINGLELINE | DT_NOPREFIX);
    }
    pixels = FromDC(memory.get(), 120, 20);
  }
  ReleaseDC(nullptr, screen);
  return pixels;
}

int Ink(const Pixels& p) {
  int ink = 0;
  for (DWORD d : p.data) ink += (d & 0xFFFFFF) != 0xFFFFFF;
  return ink;
}
}  // namespace

// Missing glyphs draw as identical boxes: two different names that draw alike are boxes.
TEST(ChineseText, LabelsAndListsDrawGlyphsOnEveryCodePage) {
  for (const bool asLabel : {true, false}) {
    for (const FontKind kind : {FontKind::Arial9, FontKind::Default}) {
      const Pixels a = DrawText(L"我的电脑", kind, asLabel);
      const Pixels b = DrawText(L"控制面板", kind, asLabel);
      EXPECT_GT(Ink(a), 40);
      EXPECT_NE(a.data, b.data) << (asLabel ? "label" : "control") << " font " << static_cast<int>(kind);
    }
  }
}

TEST(ChineseText, MixedNamesKeepLatinLettersInArial) {
  const Pixels mixed = DrawText(L"C:\\工具\\a.exe", FontKind::Arial9, true);
  const Pixels latin = DrawText(L"C:\\", FontKind::Arial9, true);
  // The Latin start is drawn exactly as Arial alone draws it.
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 12; ++x) EXPECT_EQ(mixed.at(x, y), latin.at(x, y)) << x << "," << y;
  }
}

TEST_F(Look, TheEditorsDefaultFontMakesItsHeadingTwelvePixelsHigh) {
  LoadedMain main;
  EditForm editor;
  ASSERT_TRUE(editor.Load(main->hwnd()));
  const RECT heading = editor.ControlRect(*editor.Spec("Label1"));
  EXPECT_EQ(heading.top, 34);
  EXPECT_EQ(heading.bottom - heading.top, 12);
  editor.Close();
}
