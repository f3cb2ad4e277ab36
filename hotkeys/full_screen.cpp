#include "hotkeys/full_screen.h"

namespace tarvolin {

namespace {
bool g_keysStayWithTarvolin = false;

DWORD WindowProcess(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}
}  // namespace

bool IsDesktop(const FrontWindow& front) {
  return front.shell || (front.workerW && front.shellProcess != 0 && front.process == front.shellProcess);
}

bool StandsAside(const FrontWindow& front, bool keysStayWithTarvolin) {
  if (keysStayWithTarvolin || !front.exists || front.ours || IsDesktop(front)) return false;
  const RECT& w = front.window;
  const RECT& m = front.monitor;
  // An empty monitor rectangle means none was found.
  return m.right > m.left && w.left == m.left && w.top == m.top && w.right == m.right && w.bottom == m.bottom;
}

FrontWindow FrontWindowNow() {
  FrontWindow front;
  const HWND window = GetForegroundWindow();
  if (!window) return front;
  front.exists = true;
  front.process = WindowProcess(window);
  front.ours = front.process == GetCurrentProcessId();
  const HWND shell = GetShellWindow();
  front.shell = window == GetDesktopWindow() || window == shell;
  front.shellProcess = shell ? WindowProcess(shell) : 0;
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  front.workerW = lstrcmpW(name, L"WorkerW") == 0;
  if (front.ours || IsDesktop(front)) return front;
  // The program is per-monitor aware (its manifest), so both rectangles come in physical pixels.
  GetWindowRect(window, &front.window);
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
    front.monitor = info.rcMonitor;
  return front;
}

void SetFullScreenKeys(const std::wstring& value) { g_keysStayWithTarvolin = value == L"Tarvolin"; }
bool KeysStayWithTarvolin() { return g_keysStayWithTarvolin; }

bool PressStandsAside() { return !g_keysStayWithTarvolin && StandsAside(FrontWindowNow(), false); }

void SendFreshPress(UINT vk, bool keyDown) {
  INPUT keys[3] = {};
  const WORD scan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  for (INPUT& key : keys) {
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = static_cast<WORD>(vk);
    key.ki.wScan = scan;
  }
  keys[0].ki.dwFlags = KEYEVENTF_KEYUP;
  keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
  // Keys sent to a program with higher rights are dropped without a word; nothing to do then.
  SendInput(keyDown ? 2 : 3, keys, sizeof(INPUT));
}

}  // namespace tarvolin
