// The least a hotkey program can do: hold F1 and start the probe beside it at every press. The
// tests time Tarvolin against it. Ends when its thread gets WM_QUIT.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring probe(self);
  probe.erase(probe.find_last_of(L'\\') + 1);
  probe += L"probe.exe";
  if (!RegisterHotKey(nullptr, 1, 0, VK_F1)) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_HOTKEY) ShellExecuteW(nullptr, nullptr, probe.c_str(), L"", L"", SW_SHOWNORMAL);
  }
  UnregisterHotKey(nullptr, 1);
  return 0;
}
