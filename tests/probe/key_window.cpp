// A window of another program in front, for the keys that stand aside: with the argument "full" it
// covers the whole screen, as a game or a slide show does; without, it is a small window. It notes
// in key_window.log beside itself "ready" once it has the keyboard, then every key message it gets,
// a line each: "down <vk> <scan code> fresh", "down <vk> <scan code> repeat" or "up <vk> <scan code>",
// and "sync" where Wine set the keys' state to the X server's meanwhile. Ends when it is closed.
#include <windows.h>

#include <cstdio>

namespace {

wchar_t g_log[MAX_PATH] = {};
DWORD g_started = 0;
bool g_ready = false;

void Note(const char* line) {
  HANDLE file = CreateFileW(g_log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>(lstrlenA(line)), &written, nullptr);
  CloseHandle(file);
}

void NoteKey(const char* what, WPARAM vk, LPARAM lParam, const char* how) {
  char line[64];
  // Bits 16..23: the scan code, which games that read the keyboard's layout go by.
  std::snprintf(line, sizeof line, "%s %u %u%s\n", what, static_cast<unsigned>(vk),
                static_cast<unsigned>((lParam >> 16) & 0xFF), how);
  Note(line);
}

void SendKey(WORD vk, bool down) {
  INPUT key = {};
  key.type = INPUT_KEYBOARD;
  key.ki.wVk = vk;
  key.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &key, sizeof key);
}

bool Down(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // Bit 30: the key was down before this message, so this one is a repeat.
      if (wParam != VK_F24) NoteKey("down", wParam, lParam, (lParam & (1 << 30)) ? " repeat" : " fresh");
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (wParam != VK_F24) NoteKey("up", wParam, lParam, "");
      return 0;
    case WM_TIMER:
      // Under Wine the keys' state is set to the X server's whenever a window gets the X focus or
      // the pointer, which lifts sent keys that are still down, F24 among them: F24 is kept down,
      // so that its fall tells when that happened. The first time is the window's own focus.
      if (!Down(VK_F24)) {
        Note(g_ready ? "sync\n" : "ready\n");
        g_ready = true;
        SendKey(VK_F24, true);
      } else if (!g_ready && GetTickCount() - g_started > 3000) {
        Note("ready\n");
        g_ready = true;
      }
      return 0;
    case WM_DESTROY:
      SendKey(VK_F24, false);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  GetModuleFileNameW(nullptr, g_log, MAX_PATH);
  lstrcpyW(wcsrchr(g_log, L'\\') + 1, L"key_window.log");
  DeleteFileW(g_log);
  g_started = GetTickCount();
  SendKey(VK_F24, true);

  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = L"KeyWindow";
  RegisterClassExW(&wc);
  const bool full = lstrcmpW(arguments, L"full") == 0;
  const HWND window =
      CreateWindowExW(0, wc.lpszClassName, L"Key window", WS_POPUP | WS_VISIBLE, full ? 0 : 100,
                      full ? 0 : 100, full ? GetSystemMetrics(SM_CXSCREEN) : 300,
                      full ? GetSystemMetrics(SM_CYSCREEN) : 200, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  SetForegroundWindow(window);
  SetFocus(window);
  SetTimer(window, 1, 10, nullptr);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
