#include "hotkeys/slots.h"

#include "hotkeys/hotkeys_active.h"
#include "hotkeys/main_window.h"
#include "hotkeys/taken_keys.h"

namespace tarvolin {

namespace {
// What this program's window holds.
bool g_held[kSlotCount + 1] = {};
slots_detail::RegisterFunction g_register = &RegisterHotKey;
}  // namespace

void EnableSlotHotkey(int slot) {
  if (!ValidSlot(slot)) return;
  // MOD_NOREPEAT: one message per press where the system honours it (Windows 7 and later); a
  // system that does not know the flag refuses it, and then the key is taken without it.
  const HWND main = MainWindowHandle();
  const UINT key = SlotVirtualKey(slot);
  BOOL done = g_register(main, HotkeyId(slot), MOD_NOREPEAT, key);
  DWORD error = done ? ERROR_SUCCESS : GetLastError();
  if (!done && error == ERROR_INVALID_PARAMETER) {
    done = g_register(main, HotkeyId(slot), 0, key);
    error = done ? ERROR_SUCCESS : GetLastError();
  }
  if (done) {
    g_held[slot] = true;
    SetSlotKeyTaken(slot, false);
  } else if (error == ERROR_HOTKEY_ALREADY_REGISTERED && !g_held[slot]) {
    SetSlotKeyTaken(slot, true);
  }
}

void DisableSlotHotkey(int slot) {
  if (!ValidSlot(slot)) return;
  UnregisterHotKey(MainWindowHandle(), HotkeyId(slot));
  g_held[slot] = false;
  SetSlotKeyTaken(slot, false);
}

void DisableAllHotkeys() {
  const HWND main = MainWindowHandle();
  for (int n = 1; n <= kSlotCount; ++n) {
    UnregisterHotKey(main, HotkeyId(n));
    g_held[n] = false;
  }
  ClearTakenKeys();
}

void RetryTakenKeys() {
  const MainWindow* main = TheMainWindow();
  if (!main || HotkeysActive() != -1) return;
  for (int n = 1; n <= kSlotCount; ++n) {
    if (SlotKeyTaken(n) && main->SlotSwitchedOn(n)) EnableSlotHotkey(n);
  }
}

void TakeBackSlotHotkey(int slot) {
  const MainWindow* main = TheMainWindow();
  if (main && HotkeysActive() == -1 && main->SlotSwitchedOn(slot)) EnableSlotHotkey(slot);
}

namespace slots_detail {
RegisterFunction SetRegisterForTesting(RegisterFunction function) {
  const RegisterFunction previous = g_register;
  g_register = function != nullptr ? function : &RegisterHotKey;
  return previous;
}
}  // namespace slots_detail

}  // namespace tarvolin
