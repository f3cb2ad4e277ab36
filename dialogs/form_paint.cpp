// Drawing: the background picture, labels and images, face buttons, picture boxes and the colours
// of the system's own controls.
#include "dialogs/fonts.h"
#include "dialogs/form.h"
#include "dialogs/form_internal.h"
#include "layouts/picture_bitmap.h"
#include "layouts/picture_drawing.h"

namespace tarvolin {

using form_internal::kFirstControlId;

COLORREF ResolveColor(COLORREF color) {
  if (color == kColorWindow) return GetSysColor(COLOR_WINDOW);
  if (color == kColorWindowText) return GetSysColor(COLOR_WINDOWTEXT);
  return color;
}

HBITMAP Form::Bitmap(int id, int dpi) {
  for (const auto& [known, handle] : bitmaps_) {
    if (known.first == id && known.second == dpi) return handle.get();
  }
  BitmapHandle bitmap(DrawPictureBitmap(id, dpi));
  const HBITMAP result = bitmap.get();
  bitmaps_.emplace_back(std::pair{id, dpi}, std::move(bitmap));
  return result;
}

HBRUSH Form::Brush(COLORREF color) {
  for (const auto& [known, handle] : brushes_) {
    if (known == color) return handle.get();
  }
  BrushHandle brush(CreateSolidBrush(color));
  const HBRUSH result = brush.get();
  brushes_.emplace_back(color, std::move(brush));
  return result;
}

void Form::Paint() {
  // A window shown some other way than by ShowWindow did not hear of it.
  PrepareToShow();
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(hwnd_, &ps);
  RECT client = {};
  GetClientRect(hwnd_, &client);
  if (const HBITMAP background = Bitmap(layout_.background, dpi_)) {
    MemoryDC memory(dc);
    SelectedObject selected(memory.get(), background);
    BITMAP info = {};
    GetObjectW(background, sizeof info, &info);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
  } else {
    FillRect(dc, &client, Brush(layout_.backColor));
  }
  for (const Control& control : controls_) {
    const ControlSpec& spec = *control.spec;
    if (spec.flags & kInvisible) continue;
    if (spec.kind == ControlKind::Label) {
      if (!(spec.flags & kTransparent)) FillRect(dc, &control.rect, Brush(ResolveColor(spec.back)));
      COLORREF fore = spec.fore == kColorNone ? 0 : ResolveColor(spec.fore);
      std::wstring text = control.caption;
      Label_Look(spec, text, fore);
      DrawLabelText(dc, control.rect, text, spec.font, fore, dpi_);
    } else if (spec.kind == ControlKind::Image && control.icon) {
      DrawIconEx(dc, control.rect.left, control.rect.top, control.icon.get(), 0, 0, 0, nullptr, DI_NORMAL);
    }
  }
  EndPaint(hwnd_, &ps);
}

void Form::DrawFaceButton(const DRAWITEMSTRUCT& item) {
  const int i = static_cast<int>(item.CtlID) - kFirstControlId;
  if (i < 0 || i >= layout_.controlCount) return;
  const ControlSpec& spec = layout_.controls[i];
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const RECT r = item.rcItem;
  const RECT& place = controls_[static_cast<size_t>(i)].rect;
  // Outside its region the button shows the window's background, also where the system does
  // not clip a child's drawing to its region.
  if (const HBITMAP background = Bitmap(layout_.background, dpi_)) {
    MemoryDC memory(item.hDC);
    SelectedObject selected(memory.get(), background);
    BitBlt(item.hDC, 0, 0, r.right - r.left, r.bottom - r.top, memory.get(), place.left, place.top, SRCCOPY);
  } else {
    FillRect(item.hDC, &r, Brush(layout_.backColor));
  }
  const int saved = SaveDC(item.hDC);
  const RECT region = ButtonRegion(dpi_);
  IntersectClipRect(item.hDC, region.left, region.top, region.right, region.bottom);
  RECT frame = r;
  DrawFrameControl(item.hDC, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  if (const HBITMAP face = Bitmap(spec.picture + (pressed ? 1 : 0), dpi_)) {
    MemoryDC memory(item.hDC);
    SelectedObject selected(memory.get(), face);
    BITMAP info = {};
    GetObjectW(face, sizeof info, &info);
    // The face sits at (5, 4) of the 89 x 33 button, scaled as the button's own pixels are.
    BitBlt(item.hDC, ScalePixels(kFaceLeft, dpi_), ScalePixels(kFaceTop, dpi_), info.bmWidth, info.bmHeight,
           memory.get(), 0, 0, SRCCOPY);
  }
  RestoreDC(item.hDC, saved);
}

HBRUSH Form::ControlColors(HWND window, HDC dc) {
  const Control* control = FindControl(window);
  if (!control) return nullptr;
  const COLORREF back = control->spec->back == kColorNone ? kLightGrey : ResolveColor(control->spec->back);
  const COLORREF fore = control->spec->fore == kColorNone ? 0 : ResolveColor(control->spec->fore);
  SetTextColor(dc, fore);
  SetBkColor(dc, back);
  return Brush(back);
}

void Form::PaintPictureBox(const Control& control) {
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(control.window, &ps);
  RECT client = {};
  GetClientRect(control.window, &client);
  // The box's picture is drawn on the box's own background colour, at the window's scale.
  if (const HBITMAP picture = control.spec->picture ? Bitmap(control.spec->picture, dpi_) : nullptr) {
    MemoryDC memory(dc);
    SelectedObject selected(memory.get(), picture);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
  } else {
    FillRect(dc, &client, Brush(ResolveColor(control.spec->back)));
  }
  Control_Paint(*control.spec, dc);
  EndPaint(control.window, &ps);
}

}  // namespace tarvolin
