// The pictures as the windows show them, drawn for a window's scale when it first wants them.
#pragma once
#include <windows.h>

namespace tarvolin {

// A 32-bit top-down DIB section of picture `id` (see picture_drawing.h) drawn for `dpi`, or null
// for an id that is not a picture. The caller owns it.
HBITMAP DrawPictureBitmap(int id, int dpi);

}  // namespace tarvolin
