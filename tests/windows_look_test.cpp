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

// The window's client area as it is on the screen, once it and its controls have painted.
Pixels Capture(HWND window) {
  UpdateWindow(window);
  PumpUntil([&] { return Painted(window); });
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
    RECT room = LayoutRect(label, kLayoutDpi);
    room.right = size.bmWidth;
    room.bottom = size.bmHeight;
    DrawLabelText(canvas.get(), room, text, label.font, label.fore, kLayoutDpi);
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
  const RECT place = LayoutRect(label, kLayoutDpi);
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
      DrawLabelText(memory.get(), r, text, kind, 0, kLayoutDpi);
    } else {
      SelectedObject font(memory.get(), ControlFont(kind, kLayoutDpi));
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

// Each left, top, width and height is converted on its own, half a pixel up; a face button's
// region is each edge of (7, 5)-(83, 27) scaled, less the last column and row that the system's
// round-cornered rectangle leaves out at any scale. Worked out by hand from the layout's twips.
TEST_F(Look, AtEveryScaleEachControlTakesItsConvertedPlace) {
  struct Expected {
    int dpi;
    SIZE client;
    RECT settings, region, check1, label6, label7;
  };
  // clang-format off
  const Expected table[] = {
    {96, {419, 420}, {321, 344, 410, 377}, {7, 5, 82, 26}, {379, 62, 392, 75}, {69, 176, 368, 193}, {69, 199, 368, 216}},
    {120, {524, 525}, {401, 430, 512, 471}, {9, 6, 103, 33}, {473, 78, 489, 94}, {87, 220, 460, 241}, {87, 248, 460, 269}},
    {144, {629, 630}, {482, 516, 616, 566}, {11, 8, 124, 40}, {568, 93, 587, 112}, {104, 264, 552, 290}, {104, 298, 552, 324}},
    {168, {733, 735}, {562, 602, 718, 660}, {12, 9, 144, 46}, {663, 109, 685, 131}, {121, 307, 644, 337}, {121, 347, 644, 377}},
    {192, {838, 840}, {642, 688, 820, 754}, {14, 10, 165, 53}, {757, 124, 782, 149}, {139, 351, 736, 385}, {139, 397, 736, 431}},
    {288, {1257, 1260}, {963, 1032, 1230, 1131}, {21, 15, 248, 80}, {1136, 186, 1174, 224}, {208, 527, 1104, 578}, {208, 596, 1104, 647}},
  };
  // clang-format on
  LoadedMain main;
  const HWND settings = main->ControlWindow("Command1", 1);
  for (const Expected& at : table) {
    SCOPED_TRACE(at.dpi);
    // Placed so that the Settings button is on the screen, whose pixels are captured below.
    const int top = 40 - at.settings.top;
    ChangeDpi(main->hwnd(), at.dpi, RECT{10, top, 10 + at.client.cx, top + at.client.cy});
    EXPECT_EQ(main->Dpi(), at.dpi);
    RECT client = {};
    GetClientRect(main->hwnd(), &client);
    EXPECT_EQ(client.right, at.client.cx);
    EXPECT_EQ(client.bottom, at.client.cy);
    EXPECT_EQ(ClientRectOf(settings), at.settings);
    RECT region = {};
    EXPECT_EQ(GetWindowRgnBox(settings, &region), SIMPLEREGION);
    EXPECT_EQ(region, at.region);
    EXPECT_EQ(ClientRectOf(main->ControlWindow("Check", 1)), at.check1);
    EXPECT_EQ(main->ControlRect(*main->Spec("Label", 6)), at.label6);
    EXPECT_EQ(main->ControlRect(*main->Spec("Label", 7)), at.label7);
    // The face's black outline, drawn at the button's own scaled pixels, begins on the region's
    // left edge with the face's white line beside it, and its right and top lines lie inside.
    main->Show();
    RedrawWindow(settings, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const Pixels face = CaptureClient(settings);
    const int middle = (at.region.top + at.region.bottom) / 2;
    const int centre = (at.region.left + at.region.right) / 2;
    EXPECT_EQ(face.at(at.region.left, middle), 0x000000u);
    EXPECT_EQ(face.at(ScalePixels(8, at.dpi), middle), 0xFFFFFFu);
    const int rightLine = ScalePixels(82, at.dpi) - 1;
    EXPECT_LT(rightLine, at.region.right);
    EXPECT_EQ(face.at(rightLine, middle), 0x000000u);
    EXPECT_GE(ScalePixels(6, at.dpi), at.region.top);
    EXPECT_EQ(face.at(centre, ScalePixels(6, at.dpi)), 0x000000u);
  }
}
