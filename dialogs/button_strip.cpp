#include "dialogs/button_strip.h"

#include <algorithm>

#include "base/handles.h"
#include "dialogs/form.h"

namespace tarvolin {

namespace {
constexpr short kTrue = -1;
}  // namespace

bool ButtonStrip::Inside(int x, int y, int width, int height) {
  return x >= 0 && x <= width && y >= 0 && y <= height;
}

StripStep ButtonStrip::MouseMove(int, int x, int y, int width, int height, bool holdsCapture) const {
  StripStep step;
  if (Inside(x, y, width, height)) {
    // Without the capture the pointer has just arrived; keeping it tells us when the pointer leaves.
    if (!holdsCapture) step.look = ButtonRaised;
    step.capture = CaptureChange::Take;
  } else {
    step.look = ButtonFlat;
    step.capture = CaptureChange::Release;
  }
  return step;
}

StripStep ButtonStrip::MouseDown(int index, int button) {
  std::fill(std::begin(ButtonDownFlags), std::end(ButtonDownFlags), short{0});
  StripStep step;
  if (button == kLeftButton && Valid(index)) {
    ButtonDownFlags[index] = kTrue;
    step.look = ButtonSunken;
  }
  return step;
}

StripStep ButtonStrip::MouseUp(int index, int button) {
  std::fill(std::begin(ButtonUpFlags), std::end(ButtonUpFlags), short{0});
  StripStep step;
  if (button == kLeftButton && Valid(index)) {
    ButtonUpFlags[index] = kTrue;
    step.look = ButtonRaised;
  }
  return step;
}

StripStep ButtonStrip::Click(int index) const {
  StripStep step;
  step.look = ButtonFlat;
  step.browse = DownFlag(index) && UpFlag(index);
  return step;
}

StripStep ButtonStrip::TimerTick(int captured, bool underPointer) {
  StripStep step;
  if (captured >= 0 && !underPointer) {
    step.look = ButtonFlat;
    step.capture = CaptureChange::Release;
  }
  return step;
}

void DrawButtonEdge(HDC dc, const RECT& rect, int look, int dpi) {
  if (look != ButtonRaised && look != ButtonSunken) return;
  RECT r = rect;
  // One edge inside the other, each one pixel wide, as many as the scaled pixel is wide.
  for (int width = ScalePixels(1, dpi); width > 0; --width) {
    DrawEdge(dc, &r, look == ButtonRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&r, -1, -1);
  }
}

void DrawButton(HWND box, int look, int dpi) {
  if (!box) return;
  // The box paints its picture alone, so a repaint now takes away the frame of the last look.
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  if (look != ButtonRaised && look != ButtonSunken) return;
  WindowDC dc(box);
  if (!dc.get()) return;
  RECT client = {};
  GetClientRect(box, &client);
  DrawButtonEdge(dc.get(), client, look, dpi);
}

}  // namespace tarvolin
