// The fonts of the five windows, made once for each scale they are shown at, and text drawing that
// shows Chinese everywhere.
#pragma once
#include <windows.h>

#include <string>

#include "layouts/layout.h"

namespace tarvolin {

// The font a windowed control of this kind gets at dpi. Combo boxes and default-font controls get
// a Chinese font whose Latin letters serve as well, so no text shows as boxes on any system.
HFONT ControlFont(FontKind kind, int dpi);

// Labels draw Latin runs in Arial and everything else in a Chinese font, on one baseline, so
// Arial labels show Chinese names on systems that link no Chinese font to Arial.
void DrawLabelText(HDC dc, const RECT& rect, const std::wstring& text, FontKind kind, COLORREF color,
                   int dpi);
SIZE MeasureLabelText(HDC dc, const std::wstring& text, FontKind kind, int dpi);

}  // namespace tarvolin
