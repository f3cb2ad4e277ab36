#include "hotkeys/message_hook.h"

namespace tarvolin {

namespace {
WNDPROC g_previous = nullptr;
short g_hotkeysActive = 0;
}  // namespace

WNDPROC PreviousWindowProc() { return g_previous; }

short HotkeysActive() { return g_hotkeysActive; }
void SetHotkeysActive(short value) { g_hotkeysActive = value; }

void InstallMessageHook(HWND main) {
  g_previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(main, GWLP_WNDPROC));
  SetWindowLongPtrW(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageHook));
}

void RemoveMessageHook(HWND main) {
  if (g_previous) SetWindowLongPtrW(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
}

LRESULT CALLBACK MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(g_previous, window, message, wParam, lParam);
}

}  // namespace tarvolin
