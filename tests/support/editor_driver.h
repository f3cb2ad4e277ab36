// Driving the hotkey editor of a running Tarvolin.exe as a user would: real mouse input at the
// layout's positions, and the open-file dialog filled in from here.
#pragma once
#include <windows.h>

#include <string>

#include "support/process.h"

namespace tarvolin::test {

// The child window of form that the layout puts at the control's place.
HWND LayoutControl(HWND form, const char* name, int index = -1);
// A point of the control in screen pixels: its middle (for a face button, the middle of the part
// that takes the mouse), or (x, y) of the control when given.
POINT ScreenPoint(HWND form, const char* name, int index = -1);
POINT ScreenPoint(HWND form, const char* name, int index, int x, int y);
void ClickAt(POINT screen, int button = 1);

// Main's Settings button clicked; the editor once it is up.
HWND OpenEditor(RunningProgram& program);
// The open-file dialog of the program once it is up (null on time-out).
HWND WaitForFileDialog(const RunningProgram& program, int milliseconds = 5000);
// Types path into the dialog's file-name box and confirms; or cancels.
void ChooseInDialog(HWND dialog, const std::wstring& path);
void CancelDialog(HWND dialog);

// Text of a window of another program (a combo box: its edit text).
std::wstring WindowText(HWND window);
void SetWindowTextOf(HWND window, const std::wstring& text);
bool Ticked(HWND checkBox);
// Who holds the mouse capture in the program's user-interface thread.
HWND CaptureOf(HWND windowOfThread);
// A pixel of the screen.
COLORREF ScreenPixel(POINT screen);

// The autostart value as a program reading it through the ANSI interface sees it, in this
// flavour's own registry view unless another is named (KEY_WOW64_32KEY, KEY_WOW64_64KEY).
struct RunValue {
  LONG status = ERROR_FILE_NOT_FOUND;
  DWORD type = 0;
  std::string bytes;          // every byte, the terminating NUL included
  std::wstring Text() const;  // "<none>" when there is none
};
RunValue ReadRunValue(HKEY root, REGSAM view = 0);
bool RunValueExists(HKEY root);
void DeleteRunValue(HKEY root);

}  // namespace tarvolin::test
