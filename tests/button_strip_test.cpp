// The browse buttons' rules, without windows: looks, capture and the two flag arrays.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "dialogs/button_strip.h"
#include "dialogs/form.h"

using namespace tarvolin;

namespace {
constexpr int kSize = 22;

std::string Flags(const short (&flags)[ButtonStrip::kButtons]) {
  std::string text;
  for (const short flag : flags) text += flag == -1 ? 'x' : flag == 0 ? '-' : '?';
  return text;
}
}  // namespace

TEST(ButtonStrip, ArrivingRaisesAndTakesTheCaptureWhichLaterMovesOnlyKeep) {
  const ButtonStrip strip;
  StripStep arrive = strip.MouseMove(4, 10, 10, kSize, kSize, false);
  EXPECT_EQ(arrive.look, ButtonRaised);
  EXPECT_EQ(arrive.capture, CaptureChange::Take);
  StripStep stay = strip.MouseMove(4, 11, 10, kSize, kSize, true);
  EXPECT_EQ(stay.look, 0) << "no repaint while the pointer stays";
  EXPECT_EQ(stay.capture, CaptureChange::Take);
  EXPECT_FALSE(arrive.browse || stay.browse);
}

TEST(ButtonStrip, BothEdgesCountAsInsideAndOnePixelBeyondIsOutside) {
  const ButtonStrip strip;
  for (const POINT p : {POINT{0, 0}, POINT{kSize, kSize}, POINT{kSize, 0}, POINT{0, kSize}}) {
    EXPECT_EQ(strip.MouseMove(0, p.x, p.y, kSize, kSize, true).capture, CaptureChange::Take)
        << p.x << "," << p.y;
  }
  for (const POINT p : {POINT{-1, 5}, POINT{5, -1}, POINT{kSize + 1, 5}, POINT{5, kSize + 1}}) {
    const StripStep leave = strip.MouseMove(0, p.x, p.y, kSize, kSize, true);
    EXPECT_EQ(leave.look, ButtonFlat) << p.x << "," << p.y;
    EXPECT_EQ(leave.capture, CaptureChange::Release) << p.x << "," << p.y;
  }
}

TEST(ButtonStrip, ALeftPressSinksAndMarksOnlyThatButtonOtherPressesClearTheMarks) {
  ButtonStrip strip;
  EXPECT_EQ(strip.MouseDown(3, kLeftButton).look, ButtonSunken);
  EXPECT_EQ(Flags(strip.ButtonDownFlags), "---x--------");
  EXPECT_EQ(strip.MouseDown(7, kLeftButton).look, ButtonSunken);
  EXPECT_EQ(Flags(strip.ButtonDownFlags), "-------x----");
  for (const int button : {kRightButton, kMiddleButton}) {
    strip.MouseDown(7, kLeftButton);
    EXPECT_EQ(strip.MouseDown(7, button).look, 0) << "nothing drawn for button " << button;
    EXPECT_EQ(Flags(strip.ButtonDownFlags), "------------");
  }
  EXPECT_EQ(Flags(strip.ButtonUpFlags), "------------") << "presses leave the release marks alone";
}

TEST(ButtonStrip, ALeftReleaseRaisesAndMarksOnlyThatButtonOtherReleasesClearTheMarks) {
  ButtonStrip strip;
  strip.MouseDown(2, kLeftButton);
  EXPECT_EQ(strip.MouseUp(2, kLeftButton).look, ButtonRaised);
  EXPECT_EQ(Flags(strip.ButtonUpFlags), "--x---------");
  EXPECT_EQ(strip.MouseUp(11, kLeftButton).look, ButtonRaised);
  EXPECT_EQ(Flags(strip.ButtonUpFlags), "-----------x");
  EXPECT_EQ(strip.MouseUp(11, kRightButton).look, 0);
  EXPECT_EQ(Flags(strip.ButtonUpFlags), "------------");
  EXPECT_EQ(Flags(strip.ButtonDownFlags), "--x---------") << "releases leave the press marks alone";
}

TEST(ButtonStrip, AClickBrowsesOnlyAfterALeftPressAndReleaseOnThatButtonAndAlwaysFlattens) {
  ButtonStrip strip;
  EXPECT_FALSE(strip.Click(5).browse) << "fresh strip";
  EXPECT_EQ(strip.Click(5).look, ButtonFlat);

  strip.MouseDown(5, kLeftButton);
  strip.MouseUp(5, kLeftButton);
  EXPECT_TRUE(strip.Click(5).browse);
  EXPECT_FALSE(strip.Click(4).browse) << "only the marked button";
  EXPECT_TRUE(strip.Click(5).browse) << "a click leaves the marks as they are";

  // Pressed on 5, released on 6.
  strip.MouseDown(5, kLeftButton);
  strip.MouseUp(6, kLeftButton);
  EXPECT_FALSE(strip.Click(5).browse);
  EXPECT_FALSE(strip.Click(6).browse);
}

TEST(ButtonStrip, ARightClickRightAfterALeftClickDoesNotBrowse) {
  ButtonStrip strip;
  strip.MouseDown(5, kLeftButton);
  strip.MouseUp(5, kLeftButton);
  ASSERT_TRUE(strip.Click(5).browse);
  strip.MouseDown(5, kRightButton);
  strip.MouseUp(5, kRightButton);
  const StripStep click = strip.Click(5);
  EXPECT_FALSE(click.browse);
  EXPECT_EQ(click.look, ButtonFlat);
}

TEST(ButtonStrip, ALeftReleaseAfterAnotherButtonsPressDoesNotBrowse) {
  ButtonStrip strip;
  // Left press on 5, a middle press clears it, left release on 5.
  strip.MouseDown(5, kLeftButton);
  strip.MouseDown(5, kMiddleButton);
  strip.MouseUp(5, kLeftButton);
  EXPECT_FALSE(strip.Click(5).browse);
}

TEST(ButtonStrip, TheTimerFlattensACapturedButtonOnlyWhenAnotherWindowIsUnderThePointer) {
  const StripStep away = ButtonStrip::TimerTick(9, false);
  EXPECT_EQ(away.look, ButtonFlat);
  EXPECT_EQ(away.capture, CaptureChange::Release);
  const StripStep over = ButtonStrip::TimerTick(9, true);
  EXPECT_EQ(over.look, 0);
  EXPECT_EQ(over.capture, CaptureChange::None);
  const StripStep none = ButtonStrip::TimerTick(-1, false);
  EXPECT_EQ(none.look, 0);
  EXPECT_EQ(none.capture, CaptureChange::None);
}

namespace {
// Paints a 22 x 22 grey box in a look and returns its pixels at the four edges' middles (left,
// top, right, bottom) and one pixel inside the left edge.
std::array<COLORREF, 5> EdgesOf(int look) {
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, kSize, kSize);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  const RECT rect = {0, 0, kSize, kSize};
  const HBRUSH grey = CreateSolidBrush(kLightGrey);
  FillRect(dc, &rect, grey);
  DeleteObject(grey);
  DrawButtonEdge(dc, rect, look, kLayoutDpi);
  const std::array<COLORREF, 5> edges = {GetPixel(dc, 0, 11), GetPixel(dc, 11, 0),
                                         GetPixel(dc, kSize - 1, 11), GetPixel(dc, 11, kSize - 1),
                                         GetPixel(dc, 1, 11)};
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return edges;
}
}  // namespace

TEST(ButtonStrip, RaisedIsLightTopLeftSunkenIsDarkTopLeftFlatAddsNothing) {
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  // One pixel wide: the pixel inside the edge keeps the box's colour.
  const std::array<COLORREF, 5> raised = {light, light, dark, dark, kLightGrey};
  const std::array<COLORREF, 5> sunken = {dark, dark, light, light, kLightGrey};
  const std::array<COLORREF, 5> flat = {kLightGrey, kLightGrey, kLightGrey, kLightGrey, kLightGrey};
  EXPECT_EQ(EdgesOf(ButtonRaised), raised);
  EXPECT_EQ(EdgesOf(ButtonSunken), sunken);
  EXPECT_EQ(EdgesOf(ButtonFlat), flat);
  EXPECT_EQ(EdgesOf(0), flat) << "other values paint like flat";
  EXPECT_EQ(EdgesOf(7), flat);
}
