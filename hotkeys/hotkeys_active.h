// The switch "hotkeys active", and the tray icon that shows it.
#pragma once
#include <windows.h>

namespace tarvolin {

// True (-1) while the slot hotkeys are in force; the tray's right button flips it.
short HotkeysActive();
void SetHotkeysActive(short value);

// The tray icon to show now: Main's active icon, or its paused one while the hotkeys are paused.
// Null while there is no Main.
HICON TrayIconNow();

}  // namespace tarvolin
