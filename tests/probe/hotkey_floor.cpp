// The least a hotkey program can do: hold F1 and start the probe beside it at every press. The
// bench times Tarvolin against it, so it is plain Win32 with no C++ library, linked as Tarvolin is.
// Ends when its thread gets WM_QUIT.
#include <windows.h>
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t probe[MAX_PATH + 16] = {};
  const DWORD n = GetModuleFileNameW(nullptr, probe, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return 1;
  DWORD folder = n;
  while (folder > 0 && probe[folder - 1] != L'\\') --folder;
  lstrcpyW(probe + folder, L"probe.exe");
  if (!RegisterHotKey(nullptr, 1, 0, VK_F1)) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_HOTKEY) ShellExecuteW(nullptr, nullptr, probe, L"", L"", SW_SHOWNORMAL);
  }
  UnregisterHotKey(nullptr, 1);
  return 0;
}
