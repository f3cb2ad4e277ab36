// The editor's strip of browse buttons: twelve small picture boxes that behave like flat toolbar
// buttons. The decisions (which look, who holds the mouse, whether a click counts) are made here
// without window handles; EditForm carries them out on its picture boxes.
#pragma once
#include <windows.h>

#include "hotkeys/slot_table.h"

namespace tarvolin {

// Looks of a browse button, the values DrawButton takes. Any other value paints like ButtonFlat.
enum ButtonLook : int { ButtonFlat = 1, ButtonRaised = 2, ButtonSunken = 3 };

// What a strip event asks of the windows.
enum class CaptureChange { None, Take, Release };
struct StripStep {
  int look = 0;  // look to draw on the event's button, 0 for none
  CaptureChange capture = CaptureChange::None;
  bool browse = false;  // run the browse action of the event's button
};

class ButtonStrip {
 public:
  static constexpr int kButtons = kSlotCount;  // one per slot, indexed from 0

  // Both edges count as inside: x may equal the box's width, y its height.
  static bool Inside(int x, int y, int width, int height);

  // holdsCapture: the button's own window holds the mouse capture.
  StripStep MouseMove(int index, int x, int y, int width, int height, bool holdsCapture) const;
  StripStep MouseDown(int index, int button);
  StripStep MouseUp(int index, int button);
  // A click counts only when the last press and the last release on the strip were both
  // left-button ones on this button. The flags stay as they are.
  StripStep Click(int index) const;
  // captured: the first button, in index order, whose window holds the capture (-1 for none);
  // underPointer: whether that button's window is the one under the pointer.
  static StripStep TimerTick(int captured, bool underPointer);

  bool DownFlag(int index) const { return Valid(index) && ButtonDownFlags[index] != 0; }
  bool UpFlag(int index) const { return Valid(index) && ButtonUpFlags[index] != 0; }

  // true = -1, false = 0, as the program keeps its booleans.
  short ButtonDownFlags[kButtons] = {};
  short ButtonUpFlags[kButtons] = {};

 private:
  static bool Valid(int index) { return index >= 0 && index < kButtons; }
};

// Paints one of the looks' frames over a box whose picture is already drawn: a raised or sunken
// edge around rect, one pixel wide at 96 dots per inch and as wide as that pixel at dpi;
// ButtonFlat (and any other value) adds nothing.
void DrawButtonEdge(HDC dc, const RECT& rect, int look, int dpi);

// DrawButton: repaints the box with its picture, which clears any frame drawn before, then draws
// the look's frame over it at the box's scale.
void DrawButton(HWND box, int look, int dpi);

}  // namespace tarvolin
