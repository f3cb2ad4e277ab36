// The twelve hotkey slots: F1..F12 without modifiers, and their system-wide registration on Main.
#pragma once
#include <windows.h>

namespace tarvolin {

inline constexpr int kSlotCount = 12;

// Slot n (1..12): 0xFFFFB000 + n - 1 for F1..F10, then 0xFFFFB010 and 0xFFFFB011 for F11 and F12.
int HotkeyId(int slot);
// The slot whose HotkeyId is id, as a 32-bit value or sign-extended to 64 bits; 0 for any other.
int SlotFromHotkeyId(WPARAM id);
UINT SlotVirtualKey(int slot);
// "F1".."F12": the key of the slot's values in the settings file.
const wchar_t* SlotKeyName(int slot);

// Registration always against Main's window, taken afresh at every call. A key held elsewhere
// stays with its owner, and the slot is then "taken" until a later registration succeeds or the
// slot is disabled; a refusal because Main already holds the key changes nothing. Every change of
// the taken slots is reported to TakenKeysChanged (taken_keys.h).
void EnableSlotHotkey(int slot);
void DisableSlotHotkey(int slot);
void DisableAllHotkeys();
bool SlotKeyTaken(int slot);
bool AnyKeyTaken();

}  // namespace tarvolin
