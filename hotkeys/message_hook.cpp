#include "hotkeys/message_hook.h"

#include "hotkeys/catalogue.h"
#include "hotkeys/full_screen.h"
#include "hotkeys/main_window.h"
#include "hotkeys/notice.h"
#include "hotkeys/press_guard.h"
#include "hotkeys/slots.h"
#include "hotkeys/taken_keys.h"
#include "hotkeys/tray.h"

namespace tarvolin {

namespace {
WNDPROC g_previous = nullptr;

// Sent to every top-level window when the taskbar has been (re)created.
UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

void HandleTrayClick(LPARAM mouseMessage) {
  if (mouseMessage == WM_RBUTTONUP) ToggleHotkeys();
  if (mouseMessage == WM_LBUTTONUP) {
    // A key whose owner has let it go comes back the moment the user looks.
    RetryTakenKeys();
    if (MainWindow* main = TheMainWindow()) main->ShowMain();
  }
}

// After the shell restarts, the icon is gone with the old taskbar: add it again as it was.
void RestoreTrayIcon() {
  if (MainWindow* main = TheMainWindow()) main->AddTrayIconAgain();
}
}  // namespace

WNDPROC PreviousWindowProc() { return g_previous; }

void InstallMessageHook(HWND main) {
  TaskbarCreatedMessage();
  g_previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(main, GWLP_WNDPROC));
  SetWindowLongPtrW(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageHook));
}

void RemoveMessageHook(HWND main) {
  if (g_previous) SetWindowLongPtrW(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
}

void RunSlotCommand(int slot) {
  const MainWindow* main = TheMainWindow();
  if (!main) return;
  const std::wstring binding = main->SlotCommandName(slot);
  ReportRefusedBinding(slot, binding, RunCommandName(binding));
}

void ToggleHotkeys() {
  MainWindow* main = TheMainWindow();
  const HWND window = MainWindowHandle();
  if (HotkeysActive() == -1) {
    SetHotkeysActive(0);
    DisableAllHotkeys();
    if (main) {
      TrayModify(window, TrayIconNow(), TrayTipText());
      main->SetSwitchesEnabled(false);
    }
    return;
  }
  SetHotkeysActive(-1);
  if (!main) return;
  for (int n = 1; n <= kSlotCount; ++n) {
    if (main->SlotSwitchedOn(n)) EnableSlotHotkey(n);
  }
  TrayModify(window, TrayIconNow(), TrayTipText());
  main->SetSwitchesEnabled(true);
}

LRESULT CALLBACK MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Each step that fails is abandoned and the next one runs; the message always goes on.
  try {
    if (message == WM_HOTKEY) {
      const int slot = SlotFromHotkeyId(wParam);
      if (slot && AcceptHotkeyPress(window, slot)) {
        // In front of a full-screen program (a game, a slide show) the key is that program's.
        if (PressStandsAside()) {
          StandAside(window, slot);
        } else {
          RunSlotCommand(slot);
        }
      }
    }
    if (message == WM_TIMER && wParam == kReleaseTimerId) WatchKeyReleases(window);
    if (message == WM_TIMER && wParam == kRetryTimerId) RetryTakenKeys();
  } catch (...) {
  }
  try {
    if (message == kTrayCallbackMessage) HandleTrayClick(lParam);
  } catch (...) {
  }
  try {
    if (message == TaskbarCreatedMessage() && message != 0) RestoreTrayIcon();
  } catch (...) {
  }
  if (!g_previous) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(g_previous, window, message, wParam, lParam);
}

}  // namespace tarvolin
