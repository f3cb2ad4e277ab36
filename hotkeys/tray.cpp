#include "hotkeys/tray.h"

#include <cstring>

namespace tarvolin {

namespace {
// The record's size field: the first layout, which every version of the shell accepts (88 bytes
// in the 32-bit program, 104 in the 64-bit one).
constexpr DWORD kTrayRecordSize = NOTIFYICONDATAA_V1_SIZE;
static_assert(NOTIFYICONDATAA_V1_SIZE == (sizeof(void*) == 8 ? 104 : 88), "the tray record's first layout");

void Fill(HWND window, HICON icon, const TrayTip& tip) {
  NOTIFYICONDATAA& record = TrayIcon();
  record.cbSize = kTrayRecordSize;
  record.hWnd = window;
  record.uID = kTrayIconId;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.hIcon = icon;
  // "Tarvolin" (and the keys another program holds), one NUL, then blanks to the end of the
  // 64-byte tip field.
  std::memset(record.szTip, ' ', 64);
  std::memcpy(record.szTip, tip.text, static_cast<size_t>(tip.length) + 1);
  record.uCallbackMessage = kTrayCallbackMessage;
}
}  // namespace

NOTIFYICONDATAA& TrayIcon() {
  static NOTIFYICONDATAA record = {};
  return record;
}

bool TrayAdd(HWND window, HICON icon, const TrayTip& tip) {
  Fill(window, icon, tip);
  return Shell_NotifyIconA(NIM_ADD, &TrayIcon()) != FALSE;
}

bool TrayModify(HWND window, HICON icon, const TrayTip& tip) {
  Fill(window, icon, tip);
  return Shell_NotifyIconA(NIM_MODIFY, &TrayIcon()) != FALSE;
}

bool TrayDelete(HWND window) {
  NOTIFYICONDATAA& record = TrayIcon();
  record.cbSize = kTrayRecordSize;
  record.hWnd = window;
  record.uID = kTrayIconId;
  return Shell_NotifyIconA(NIM_DELETE, &record) != FALSE;
}

bool TrayNotice(HWND window, const char* title, const std::vector<char>& text) {
  NOTIFYICONDATAA record = {};
  record.cbSize = NOTIFYICONDATAA_V2_SIZE;
  record.hWnd = window;
  record.uID = kTrayIconId;
  record.uFlags = NIF_INFO;
  const size_t length = text.size() < sizeof record.szInfo ? text.size() : sizeof record.szInfo - 1;
  std::memcpy(record.szInfo, text.data(), length);
  lstrcpynA(record.szInfoTitle, title, sizeof record.szInfoTitle);
  record.uTimeout = 10000;
  record.dwInfoFlags = NIIF_WARNING;
  return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

}  // namespace tarvolin
