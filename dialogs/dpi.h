// The scale a window is drawn for, and the system's sizes at a scale.
#pragma once
#include <windows.h>

namespace tarvolin {

// The dots per inch of the screen the window is on: asked of the window where the system can say
// (Windows 10 1607 on), else the screen's.
int WindowDpi(HWND window);
// A system metric (SM_CXSMICON, ...) at dpi where the system has that call, else at the system's
// own scale.
int SystemMetricForDpi(int index, int dpi);

}  // namespace tarvolin
