// The least program that starts as Tarvolin does: a hidden window with a tray icon, the same 25
// values read from the same settings file, then the switched-on keys held on that window, in
// Tarvolin's order. The tests time Tarvolin's start against it. Ends when its window is closed.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

constexpr wchar_t kClass[] = L"Tarvolin.StartupFloor";
constexpr UINT kTrayMessage = WM_APP + 100;

std::wstring Read(const wchar_t* section, const std::wstring& key) {
  wchar_t value[1024] = {};
  GetPrivateProfileStringW(section, key.c_str(), L"", value, 1024, L"Tarvolin.ini");
  return value;
}

NOTIFYICONDATAW Tray(HWND window) {
  NOTIFYICONDATAW record = {};
  record.cbSize = NOTIFYICONDATAW_V1_SIZE;
  record.hWnd = window;
  record.uID = 1;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = kTrayMessage;
  record.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  lstrcpynW(record.szTip, L"Floor", 64);
  return record;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    NOTIFYICONDATAW record = Tray(window);
    Shell_NotifyIconW(NIM_DELETE, &record);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kClass;
  RegisterClassExW(&wc);
  const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"Floor", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, instance, nullptr);
  if (!window) return 1;
  NOTIFYICONDATAW record = Tray(window);
  Shell_NotifyIconW(NIM_ADD, &record);

  std::wstring bindings[12];
  for (int n = 1; n <= 12; ++n) bindings[n - 1] = Read(L"Hotkey", L"F" + std::to_wstring(n));
  // Read as Tarvolin reads it; this window stays hidden either way.
  Read(L"Other Settings", L"AutoHide");
  for (int n = 1; n <= 12; ++n) {
    if (Read(L"Enabled", L"F" + std::to_wstring(n)) == L"True") {
      RegisterHotKey(window, n, 0, static_cast<UINT>(VK_F1 + n - 1));
    }
  }

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
