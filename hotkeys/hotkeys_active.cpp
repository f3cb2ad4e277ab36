#include "hotkeys/hotkeys_active.h"

#include "hotkeys/main_window.h"

namespace tarvolin {

namespace {
short g_hotkeysActive = 0;
}  // namespace

short HotkeysActive() { return g_hotkeysActive; }
void SetHotkeysActive(short value) { g_hotkeysActive = value; }

HICON TrayIconNow() {
  const MainWindow* main = TheMainWindow();
  if (!main) return nullptr;
  return HotkeysActive() == -1 ? main->ActiveIcon() : main->PausedIcon();
}

}  // namespace tarvolin
