// Switched-on keys that another program holds. Main marks their rows, the tray tip names them,
// and the program tries them again until their owner lets them go: at every registration it makes
// anyway, whenever Main is shown from the tray, and every few seconds while one is taken.
#pragma once
#include <windows.h>

#include <string>

#include "hotkeys/tray.h"

namespace tarvolin {

// The retry timer on Main; it runs only while a switched-on key is taken and the hotkeys are active.
inline constexpr UINT_PTR kRetryTimerId = 0x7A02;
inline constexpr UINT kRetryTimerMs = 5000;

bool SlotKeyTaken(int slot);
bool AnyKeyTaken();
// The slots' registration marks a slot taken or free, or frees them all at once. Every change
// moves the tray tip, Main's rows and the retry timer.
void SetSlotKeyTaken(int slot, bool taken);
void ClearTakenKeys();

// The tray tip: "Tarvolin" while no key is taken, otherwise "Tarvolin - F5 F11 已被占用" within
// the tip's 63 bytes (keys dropped from the end, and " 等" added, where they do not fit; " taken"
// where the code page has no Chinese).
TrayTip TrayTipText();

namespace taken_keys_detail {
// The same for a list of taken key names and a code page.
TrayTip TipFor(const std::wstring* keys, int count, unsigned codePage);
}  // namespace taken_keys_detail

}  // namespace tarvolin
