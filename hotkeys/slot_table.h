// The twelve hotkey slots: F1..F12 without modifiers, numbered 1..12, with their ids and names.
#pragma once
#include <windows.h>

namespace tarvolin {

inline constexpr int kSlotCount = 12;

inline constexpr bool ValidSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }

// Slot n (1..12): 0xFFFFB000 + n - 1 for F1..F10, then 0xFFFFB010 and 0xFFFFB011 for F11 and F12.
int HotkeyId(int slot);
// The slot whose HotkeyId is id, as a 32-bit value or sign-extended to 64 bits; 0 for any other.
int SlotFromHotkeyId(WPARAM id);
UINT SlotVirtualKey(int slot);
// "F1".."F12": the key of the slot's values in the settings file.
const wchar_t* SlotKeyName(int slot);

}  // namespace tarvolin
