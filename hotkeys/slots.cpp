#include "hotkeys/slots.h"

#include "hotkeys/main_window.h"
#include "hotkeys/taken_keys.h"

namespace tarvolin {

namespace {
struct Slot {
  UINT id;
  UINT key;
  const wchar_t* name;
};
constexpr Slot kSlots[kSlotCount] = {
    {0xFFFFB000u, VK_F1, L"F1"},  {0xFFFFB001u, VK_F2, L"F2"},   {0xFFFFB002u, VK_F3, L"F3"},
    {0xFFFFB003u, VK_F4, L"F4"},  {0xFFFFB004u, VK_F5, L"F5"},   {0xFFFFB005u, VK_F6, L"F6"},
    {0xFFFFB006u, VK_F7, L"F7"},  {0xFFFFB007u, VK_F8, L"F8"},   {0xFFFFB008u, VK_F9, L"F9"},
    {0xFFFFB009u, VK_F10, L"F10"}, {0xFFFFB010u, VK_F11, L"F11"}, {0xFFFFB011u, VK_F12, L"F12"},
};

bool ValidSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }

// What this program's window holds, and the switched-on slots whose key another program holds.
bool g_held[kSlotCount + 1] = {};
bool g_taken[kSlotCount + 1] = {};

void SetTaken(int slot, bool taken) {
  if (g_taken[slot] == taken) return;
  g_taken[slot] = taken;
  TakenKeysChanged();
}
}  // namespace

int HotkeyId(int slot) { return ValidSlot(slot) ? static_cast<int>(kSlots[slot - 1].id) : 0; }

int SlotFromHotkeyId(WPARAM id) {
  // The id is 32 bits. A 64-bit wParam carries it sign-extended (0xFFFFFFFFFFFFB010 for F11);
  // take it in that form or zero-extended, and nothing else.
  const unsigned long long wide = id;
  const unsigned long long high = wide >> 32;
  if (high != 0 && high != 0xFFFFFFFFull) return 0;
  for (int n = 1; n <= kSlotCount; ++n) {
    if (kSlots[n - 1].id == static_cast<UINT>(wide & 0xFFFFFFFFull)) return n;
  }
  return 0;
}

UINT SlotVirtualKey(int slot) { return ValidSlot(slot) ? kSlots[slot - 1].key : 0; }

const wchar_t* SlotKeyName(int slot) { return ValidSlot(slot) ? kSlots[slot - 1].name : L""; }

void EnableSlotHotkey(int slot) {
  if (!ValidSlot(slot)) return;
  // MOD_NOREPEAT: one message per press where the system honours it (Windows 7 and later); a
  // system that does not know the flag refuses it, and then the key is taken without it.
  const HWND main = MainWindowHandle();
  BOOL done = RegisterHotKey(main, HotkeyId(slot), MOD_NOREPEAT, kSlots[slot - 1].key);
  DWORD error = done ? ERROR_SUCCESS : GetLastError();
  if (!done && error == ERROR_INVALID_PARAMETER) {
    done = RegisterHotKey(main, HotkeyId(slot), 0, kSlots[slot - 1].key);
    error = done ? ERROR_SUCCESS : GetLastError();
  }
  if (done) {
    g_held[slot] = true;
    SetTaken(slot, false);
  } else if (error == ERROR_HOTKEY_ALREADY_REGISTERED && !g_held[slot]) {
    SetTaken(slot, true);
  }
}

void DisableSlotHotkey(int slot) {
  if (!ValidSlot(slot)) return;
  UnregisterHotKey(MainWindowHandle(), HotkeyId(slot));
  g_held[slot] = false;
  SetTaken(slot, false);
}

void DisableAllHotkeys() {
  const HWND main = MainWindowHandle();
  bool changed = false;
  for (int n = 1; n <= kSlotCount; ++n) {
    UnregisterHotKey(main, HotkeyId(n));
    g_held[n] = false;
    changed = changed || g_taken[n];
    g_taken[n] = false;
  }
  if (changed) TakenKeysChanged();
}

bool SlotKeyTaken(int slot) { return ValidSlot(slot) && g_taken[slot]; }

bool AnyKeyTaken() {
  for (int n = 1; n <= kSlotCount; ++n) {
    if (g_taken[n]) return true;
  }
  return false;
}

}  // namespace tarvolin
