#include "dialogs/dpi.h"

namespace tarvolin {

namespace {
// Looked up, not imported: a program that imports a function the system lacks does not start.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}
}  // namespace

int WindowDpi(HWND window) {
  using GetDpi = UINT(WINAPI*)(HWND);
  static const GetDpi get = User32Function<GetDpi>("GetDpiForWindow");
  if (get) {
    if (const UINT dpi = get(window)) return static_cast<int>(dpi);
  }
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int SystemMetricForDpi(int index, int dpi) {
  using GetMetric = int(WINAPI*)(int, UINT);
  static const GetMetric get = User32Function<GetMetric>("GetSystemMetricsForDpi");
  return get ? get(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

}  // namespace tarvolin
