// The least program that starts as Tarvolin does: a hidden window with a tray icon, then the same
// 26 values Tarvolin reads at start-up, in its order and from the same file ([Hotkey] F1..F12,
// [Other Settings] AutoHide and FullScreenKeys, [Enabled] F1..F12), holding each switched-on key on
// that window as it is read. The bench times Tarvolin's start against it and sets their sizes side
// by side, so it is plain Win32 with no C++ library, linked as Tarvolin is: what it weighs is what
// a program that does only this must. Ends when its window is closed.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {

constexpr wchar_t kClass[] = L"Tarvolin.StartupFloor";
constexpr wchar_t kFile[] = L"Tarvolin.ini";
constexpr UINT kTrayMessage = WM_APP + 100;
constexpr DWORD kValueSize = 1024;

// Where the values are read: the bare name (the Windows directory), or, in the 64-bit program, the
// user's own copy under %LOCALAPPDATA%\VirtualStore where one exists, as Tarvolin looks for it
// (the system does this for a 32-bit program itself).
wchar_t g_file[2 * MAX_PATH] = {};
wchar_t g_bindings[12][kValueSize] = {};

void FindSettingsFile() {
  lstrcpyW(g_file, kFile);
#ifdef _WIN64
  wchar_t local[MAX_PATH] = {};
  wchar_t windows[MAX_PATH] = {};
  const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
  if (n < 2 || n >= MAX_PATH) return;
  const DWORD got = GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH);
  if ((got == 0 || got >= MAX_PATH) &&
      FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local))) {
    return;
  }
  wchar_t copy[2 * MAX_PATH] = {};
  lstrcpyW(copy, local);
  lstrcatW(copy, L"\\VirtualStore");
  lstrcatW(copy, windows[1] == L':' ? windows + 2 : windows);
  lstrcatW(copy, L"\\");
  lstrcatW(copy, kFile);
  if (GetFileAttributesW(copy) != INVALID_FILE_ATTRIBUTES) lstrcpyW(g_file, copy);
#endif
}

void Read(const wchar_t* section, const wchar_t* key, wchar_t* value) {
  GetPrivateProfileStringW(section, key, L"", value, kValueSize, g_file);
}

bool Same(const wchar_t* a, const wchar_t* b) {
  while (*a != L'\0' && *a == *b) ++a, ++b;
  return *a == *b;
}

// "F1".."F12".
void KeyName(int n, wchar_t* name) {
  name[0] = L'F';
  name[1] = n < 10 ? static_cast<wchar_t>(L'0' + n) : L'1';
  name[2] = n < 10 ? L'\0' : static_cast<wchar_t>(L'0' + n - 10);
  name[3] = L'\0';
}

void Tray(HWND window, DWORD action) {
  NOTIFYICONDATAW record = {};
  record.cbSize = NOTIFYICONDATAW_V1_SIZE;
  record.hWnd = window;
  record.uID = 1;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = kTrayMessage;
  record.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  lstrcpynW(record.szTip, L"Floor", 64);
  Shell_NotifyIconW(action, &record);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    Tray(window, NIM_DELETE);
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
  Tray(window, NIM_ADD);

  FindSettingsFile();
  wchar_t key[4];
  for (int n = 1; n <= 12; ++n) {
    KeyName(n, key);
    Read(L"Hotkey", key, g_bindings[n - 1]);
  }
  // Read as Tarvolin reads them; this window stays hidden and keeps its keys either way.
  wchar_t value[kValueSize];
  Read(L"Other Settings", L"AutoHide", value);
  Read(L"Other Settings", L"FullScreenKeys", value);
  for (int n = 1; n <= 12; ++n) {
    KeyName(n, key);
    Read(L"Enabled", key, value);
    if (Same(value, L"True")) RegisterHotKey(window, n, 0, static_cast<UINT>(VK_F1 + n - 1));
  }

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
