// MessageHook: the window procedure that stands in front of Main's own for the program's whole run.
#pragma once
#include <windows.h>

namespace tarvolin {

// Main's own procedure, saved when the hook is installed; null before that.
WNDPROC PreviousWindowProc();

// True (-1) while the slot hotkeys are in force; the tray's right button flips it.
short HotkeysActive();
void SetHotkeysActive(short value);

void InstallMessageHook(HWND main);
// Puts Main's own procedure back, if the hook was installed.
void RemoveMessageHook(HWND main);

LRESULT CALLBACK MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tarvolin
