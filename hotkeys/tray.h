// The program's one notification-area icon.
#pragma once
#include <windows.h>
#include <shellapi.h>

namespace tarvolin {

inline constexpr UINT kTrayIconId = 9999;
inline constexpr UINT kTrayCallbackMessage = WM_USER + 100;  // 1124

// The one record used to add, change and remove the icon: the 88-byte ANSI layout.
NOTIFYICONDATAA& TrayIcon();

// Fills the record field by field (size, window, id, flags, icon, tip, callback) and sends it.
bool TrayAdd(HWND window, HICON icon);
bool TrayModify(HWND window, HICON icon);
bool TrayDelete(HWND window);

}  // namespace tarvolin
