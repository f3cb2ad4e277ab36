// The program's one notification-area icon.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace tarvolin {

inline constexpr UINT kTrayIconId = 9999;
inline constexpr UINT kTrayCallbackMessage = WM_USER + 100;  // 1124

// The one record used to add, change and remove the icon: the 88-byte ANSI layout.
NOTIFYICONDATAA& TrayIcon();

// The icon's tip in the system's ANSI code page, NUL-terminated, within the record's 64-byte field.
struct TrayTip {
  char text[64];
  int length;
};

// Fills the record field by field (size, window, id, flags, icon, tip, callback) and sends it.
bool TrayAdd(HWND window, HICON icon, const TrayTip& tip);
bool TrayModify(HWND window, HICON icon, const TrayTip& tip);
bool TrayDelete(HWND window);
// Shows a notice (a balloon) at the icon: title and text in the system's code page. A record of
// the size that carries notices, on its own: the icon's record keeps its layout.
bool TrayNotice(HWND window, const char* title, const std::vector<char>& text);

}  // namespace tarvolin
