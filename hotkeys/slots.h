// The registration of the twelve slots' keys on Main, system-wide.
#pragma once
#include <windows.h>

#include "hotkeys/slot_table.h"

namespace tarvolin {

// Registration always against Main's window, taken afresh at every call. A key held elsewhere
// stays with its owner, and the slot is then "taken" (taken_keys.h) until a later registration
// succeeds or the slot is disabled; a refusal because Main already holds the key changes nothing.
void EnableSlotHotkey(int slot);
void DisableSlotHotkey(int slot);
void DisableAllHotkeys();
// Registers again every switched-on slot whose key is taken, while the hotkeys are active.
void RetryTakenKeys();
// Registers again the key of a slot that was let go for a while (a press handed over to a
// full-screen program), if the slot is still switched on and the hotkeys are active.
void TakeBackSlotHotkey(int slot);

namespace slots_detail {
// What registers a key: RegisterHotKey, or a test's recorder of the flags. Returns the previous
// one; null puts RegisterHotKey back.
using RegisterFunction = BOOL(WINAPI*)(HWND window, int id, UINT modifiers, UINT key);
RegisterFunction SetRegisterForTesting(RegisterFunction function);
}  // namespace slots_detail

}  // namespace tarvolin
