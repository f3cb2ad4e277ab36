// MessageHook: the window procedure that stands in front of Main's own for the program's whole
// run. It turns hotkey messages into slot commands and the tray icon's clicks into pause, resume
// and show, and passes every message on to Main's own procedure.
#pragma once
#include <windows.h>

#include "hotkeys/hotkeys_active.h"

namespace tarvolin {

// Main's own procedure, saved when the hook is installed; null before that.
WNDPROC PreviousWindowProc();

void InstallMessageHook(HWND main);
// Puts Main's own procedure back, if the hook was installed.
void RemoveMessageHook(HWND main);

LRESULT CALLBACK MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs slot n's binding as its label reads at this moment.
void RunSlotCommand(int slot);
// Pauses every slot hotkey, or resumes the switched-on ones (HotkeysActive says which is in force).
void ToggleHotkeys();

}  // namespace tarvolin
