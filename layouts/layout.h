// Descriptions of the program's five windows: client size, background and control tables.
// Positions and sizes are in twips, as drawn for 96 dots per inch (15 twips per pixel).
#pragma once
#include <windows.h>

#include "layouts/scale.h"

namespace tarvolin {

enum class ControlKind { FaceButton, CheckBox, Label, Image, PictureBox, ComboBox };

enum class FontKind {
  Default,  // the window's default font: a 9-point font that shows Chinese
  Arial9,   // Arial 9 pt, with a Chinese font for the characters Arial lacks
  Arial9Underline,
};

enum ControlFlag : unsigned {
  kAutoSize = 1u << 0,     // a label that takes the size of its caption
  kTransparent = 1u << 1,  // a label that leaves the background picture showing
  kTabStop = 1u << 2,
  kInvisible = 1u << 3,
  kFlat = 1u << 4,        // flat check box
  kHandCursor = 1u << 5,  // HandCursor while the pointer is over the control
};

// Colours: 0x00BBGGRR, or one of these markers for the user's current system colours.
inline constexpr COLORREF kColorWindow = 0x80000005u;
inline constexpr COLORREF kColorWindowText = 0x80000008u;
inline constexpr COLORREF kColorNone = 0xFFFFFFFFu;
inline constexpr COLORREF kLightGrey = 0xC0C0C0u;

struct ControlSpec {
  const char* name;  // the control's name; arrays share one name
  int index;         // index within its array, or -1 for a single control
  ControlKind kind;
  int left, top, width, height;  // twips
  const wchar_t* caption;
  int picture;  // resource id: face bitmap (pressed one at +1), icon, or 0
  FontKind font;
  COLORREF back, fore;
  unsigned flags;
  int tabIndex;  // keyboard order among the window's controls; -1 for none
};

struct FormSpec {
  const wchar_t* className;  // also how other programs and the tests find the window
  int width, height;         // client area, twips
  int background;            // bitmap resource id
  COLORREF backColor;
  const wchar_t* text;  // window text
  int icon;             // icon resource id, or 0
  const ControlSpec* controls;
  int controlCount;
};

extern const FormSpec kMainLayout;
extern const FormSpec kEditLayout;
extern const FormSpec kAboutLayout;
extern const FormSpec kInforLayout;
extern const FormSpec kInfor2Layout;

// The layouts are drawn for 96 dots per inch, 15 twips per pixel. At another scale each left, top,
// width and height is converted on its own, with half a pixel rounded up.
inline constexpr int kLayoutDpi = 96;
inline constexpr int TwipsToPixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

// The part of every 89 x 33 face button that is drawn and takes the mouse, in its own pixels at 96
// dots per inch; at another scale each edge is ScalePixels of it.
inline constexpr RECT kButtonRegion = {7, 5, 83, 27};
inline RECT ButtonRegion(int dpi) {
  return {ScalePixels(kButtonRegion.left, dpi), ScalePixels(kButtonRegion.top, dpi),
          ScalePixels(kButtonRegion.right, dpi), ScalePixels(kButtonRegion.bottom, dpi)};
}

}  // namespace tarvolin
