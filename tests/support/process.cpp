#include "support/process.h"

#include <shlobj.h>

#include "hotkeys/tray.h"
#include "settings/settings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace tarvolin::test {

// The build's Tarvolin.exe beside the tests, or the one TARVOLIN_EXE names (the release runs the
// start-up tests against the exe it unpacked from its zip).
std::wstring ProgramPath() {
  wchar_t chosen[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"TARVOLIN_EXE", chosen, MAX_PATH);
  if (length > 0 && length < MAX_PATH) return chosen;
  return BesideTests(L"Tarvolin.exe");
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

RunningProgram::~RunningProgram() {
  if (!Running()) return;
  if (!CloseMain()) TerminateProcess(process_.get(), 1);
  WaitForExit(std::chrono::milliseconds(5000));
}

bool RunningProgram::Start(const std::wstring& path, const std::wstring& arguments) {
  // Under Wine a new process can end inside the loader before any code of its own runs, and
  // CreateProcess then fails at once, leaving nothing behind: that start is tried again. Each
  // failure is printed with the system's word for it, so that a log tells what happened.
  for (int attempt = 1; attempt <= 3; ++attempt) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::wstring commandLine = L"\"" + path + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    const auto began = std::chrono::steady_clock::now();
    if (CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
      CloseHandle(info.hThread);
      process_.reset(info.hProcess);
      id_ = info.dwProcessId;
      return true;
    }
    const DWORD error = GetLastError();
    const auto spent =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began);
    std::fprintf(stderr, "start %d of %ls failed with error %lu after %lld ms\n", attempt, path.c_str(),
                 error, static_cast<long long>(spent.count()));
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  }
  return false;
}

namespace {
struct FindRequest {
  DWORD pid;
  const wchar_t* className;
  HWND found;
};
BOOL CALLBACK FindWindowOf(HWND hwnd, LPARAM param) {
  auto* request = reinterpret_cast<FindRequest*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (pid == request->pid && lstrcmpW(name, request->className) == 0) {
    request->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND FindProcessWindow(DWORD pid, const wchar_t* className) {
  FindRequest request{pid, className, nullptr};
  EnumWindows(&FindWindowOf, reinterpret_cast<LPARAM>(&request));
  return request.found;
}

bool TrayIconPresent(HWND owner) {
  NOTIFYICONDATAA record = {};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = owner;
  record.uID = kTrayIconId;
  return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

namespace {
BOOL CALLBACK NotePainted(HWND child, LPARAM painted) {
  if (GetUpdateRect(child, nullptr, FALSE)) *reinterpret_cast<bool*>(painted) = false;
  return TRUE;
}
}  // namespace

bool Painted(HWND window) {
  bool painted = GetUpdateRect(window, nullptr, FALSE) == FALSE;
  EnumChildWindows(window, &NotePainted, reinterpret_cast<LPARAM>(&painted));
  return painted;
}

HWND RunningProgram::WaitForWindow(const wchar_t* className, std::chrono::milliseconds timeout) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindProcessWindow(id_, className)) != nullptr; }, timeout);
  return found;
}

HWND RunningProgram::WaitForMain(bool shown) {
  if (process_) WaitForInputIdle(process_.get(), 10000);
  const HWND main = WaitForWindow(L"Tarvolin.Main");
  if (!main || !shown) return main;
  return WaitUntil([&] { return IsWindowVisible(main) != FALSE; }) ? main : nullptr;
}

bool RunningProgram::WaitForExit(std::chrono::milliseconds timeout) const {
  return process_ &&
         WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

bool RunningProgram::Running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool RunningProgram::CloseMain() {
  const HWND main = FindProcessWindow(id_, L"Tarvolin.Main");
  if (!main) return false;
  PostMessageW(main, WM_CLOSE, 0, 0);
  return WaitForExit();
}

bool WaitForKeys(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
  }
}

bool KeyHeldElsewhere(UINT vk) {
  constexpr int kProbeId = 0x7F00;
  if (RegisterHotKey(nullptr, kProbeId, 0, vk)) {
    UnregisterHotKey(nullptr, kProbeId);
    return false;
  }
  return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
}

std::string HeldFunctionKeys() {
  std::string held;
  for (UINT vk = VK_F1; vk <= VK_F12; ++vk) held += KeyHeldElsewhere(vk) ? 'x' : '-';
  return held;
}

bool MakeFile(const std::wstring& path) {
  for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1)) {
    CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
  }
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::wstring PathOfLength(const std::wstring& folder, size_t length, const std::wstring& ending) {
  std::wstring path = folder;
  while (path.size() + 37 + ending.size() < length) path += std::wstring(40, L'd') + L"\\";
  path += std::wstring(length - path.size() - ending.size(), L'f') + ending;
  return path;
}

std::wstring SettingsPath() {
  wchar_t folder[MAX_PATH] = {};
  GetWindowsDirectoryW(folder, MAX_PATH);
  return std::wstring(folder) + L"\\Tarvolin.ini";
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  // Drop any cached copy the profile functions of this process hold.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, L"Tarvolin.ini");
  // Its folder too, where no test before this one made it (the user's copy's, say).
  const size_t slash = path.find_last_of(L'\\');
  if (slash != std::wstring::npos) SHCreateDirectoryExW(nullptr, path.substr(0, slash).c_str(), nullptr);
  FileHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file) WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ReadFileBytes(const std::wstring& path) {
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, L"Tarvolin.ini");
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string bytes;
  if (!file) return bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  return bytes;
}

void WriteSettingsBytes(const std::string& bytes) { WriteFileBytes(SettingsPath(), bytes); }

std::string EnabledSection(const std::string& switches) {
  std::string section = "[Enabled]\r\n";
  for (size_t n = 1; n <= 12; ++n)
    section += "F" + std::to_string(n) + (switches[n - 1] == 'x' ? "=True\r\n" : "=False\r\n");
  return section;
}

bool SettingsFileExists() { return GetFileAttributesW(SettingsPath().c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadSettingsBytes() { return ReadFileBytes(SettingsPath()); }

void RemoveSettingsFile() {
  // The user's own copy too: where it exists, the 64-bit program reads it in place of the original.
  for (const std::wstring& path : {SettingsPath(), UserSettingsCopyPath()}) {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
    DeleteFileW(path.c_str());
  }
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, L"Tarvolin.ini");
}

namespace {
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";
}  // namespace

ScreenScale::ScreenScale(int dpi) {
  DWORD size = sizeof previous_;
  hadValue_ = RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, RRF_RT_REG_DWORD, nullptr, &previous_,
                           &size) == ERROR_SUCCESS;
  const DWORD value = static_cast<DWORD>(dpi);
  RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &value, sizeof value);
}

ScreenScale::~ScreenScale() {
  if (hadValue_) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &previous_, sizeof previous_);
  } else {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels);
  }
}

namespace {
std::string InCodePage(const std::wstring& text, UINT cp) {
  if (text.empty()) return std::string();
  const int n =
      WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}
}  // namespace

std::string Ansi(const std::wstring& text) { return InCodePage(text, CP_ACP); }
std::string Utf8(const std::wstring& text) { return InCodePage(text, CP_UTF8); }

}  // namespace tarvolin::test

namespace tarvolin::test {

std::wstring BesideTests(const wchar_t* name) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.erase(path.find_last_of(L'\\') + 1);
  return path + name;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

std::wstring ProbePath() { return BesideTests(L"probe.exe"); }

std::vector<ProbeStart> ProbeStarts(const std::wstring& folder) {
  std::vector<ProbeStart> starts;
  const std::wstring log = folder.empty() ? BesideTests(L"probe.log") : folder + L"\\probe.log";
  FileHandle file(CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return starts;
  std::string text;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) break;  // a line still being written
    const std::string line = text.substr(start, end - start);
    const size_t blank = line.find(' ');
    const size_t tab = line.find('\t');
    if (blank != std::string::npos && tab != std::string::npos && tab > blank)
      starts.push_back(
          {std::stoll(line.substr(0, blank)), line.substr(tab + 1), line.substr(blank + 1, tab - blank - 1)});
    start = end + 1;
  }
  return starts;
}

void ClearProbeStarts() { DeleteFileW(BesideTests(L"probe.log").c_str()); }

void MoveMouse(int x, int y) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx =
      static_cast<LONG>((x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy =
      static_cast<LONG>((y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  Sleep(30);
}

void MouseButton(int x, int y, int button, bool down) {
  MoveMouse(x, y);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  switch (button) {
    case 2:
      input.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
      break;
    case 4:
      input.mi.dwFlags = down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
      break;
    default:
      input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
      break;
  }
  SendInput(1, &input, sizeof input);
  Sleep(30);
}

void ClickAt(int x, int y, int button) {
  MouseButton(x, y, button, true);
  MouseButton(x, y, button, false);
}

void KeyEvent(WORD vk, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof(INPUT));
}

void PressKey(WORD vk, WORD modifier) {
  INPUT inputs[4] = {};
  int count = 0;
  auto key = [&](WORD code, bool up) {
    inputs[count].type = INPUT_KEYBOARD;
    inputs[count].ki.wVk = code;
    inputs[count].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ++count;
  };
  if (modifier) key(modifier, false);
  key(vk, false);
  key(vk, true);
  if (modifier) key(modifier, true);
  SendInput(static_cast<UINT>(count), inputs, sizeof(INPUT));
}

void Drag(POINT from, int dx, int dy, int button) {
  MouseButton(from.x, from.y, button, true);
  for (int step = 1; step <= 5; ++step) MoveMouse(from.x + dx * step / 5, from.y + dy * step / 5);
  MouseButton(from.x + dx, from.y + dy, button, false);
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  return point;
}

}  // namespace tarvolin::test

namespace tarvolin::test {

const ControlSpec* FindLayoutControl(const FormSpec& layout, const char* name, int index) {
  for (int i = 0; i < layout.controlCount; ++i) {
    const ControlSpec& c = layout.controls[i];
    if (c.index == index && std::string(c.name) == name) return &c;
  }
  return nullptr;
}

RECT LayoutRect(const ControlSpec& c, int dpi) {
  const int left = TwipsToPixels(c.left, dpi);
  const int top = TwipsToPixels(c.top, dpi);
  return {left, top, left + TwipsToPixels(c.width, dpi), top + TwipsToPixels(c.height, dpi)};
}

int LayoutDpiOf(HWND window, const FormSpec& layout) {
  RECT client = {};
  if (!GetClientRect(window, &client) || client.right <= 0) return kLayoutDpi;
  // The layout's width at that scale is the window's; the scales a test sets are whole steps of 24.
  for (int dpi = kLayoutDpi / 4; dpi <= 4 * kLayoutDpi; dpi += 24) {
    if (TwipsToPixels(layout.width, dpi) == client.right) return dpi;
  }
  return kLayoutDpi;
}

POINT ControlCentre(HWND window, const FormSpec& layout, const char* name, int index) {
  const ControlSpec* c = FindLayoutControl(layout, name, index);
  if (!c) return POINT{-1, -1};
  const int dpi = LayoutDpiOf(window, layout);
  const RECT r = LayoutRect(*c, dpi);
  if (c->kind == ControlKind::FaceButton) {
    const RECT region = ButtonRegion(dpi);
    return WindowPoint(window, r.left + (region.left + region.right) / 2,
                       r.top + (region.top + region.bottom) / 2);
  }
  return WindowPoint(window, (r.left + r.right) / 2, r.top + (r.bottom - r.top) / 2);
}

RECT ClientRectOf(HWND child) {
  RECT r = {};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

POINT WindowPoint(HWND window, int x, int y) { return ClientToScreenPoint(window, x, y); }

HDROP MakeDrop(POINT client, const std::vector<std::wstring>& files) {
  std::wstring names;
  for (const std::wstring& file : files) names += file + L'\0';
  names += L'\0';
  const size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!memory) return nullptr;
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = client;
  drop->fNC = FALSE;
  drop->fWide = TRUE;
  std::memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

void DropFiles(HWND window, POINT client, const std::vector<std::wstring>& files) {
  SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(client, files)), 0);
}

void DropOnControl(HWND window, const FormSpec& layout, const char* name, int index,
                   const std::vector<std::wstring>& files) {
  POINT point = ControlCentre(window, layout, name, index);
  ScreenToClient(window, &point);
  DropFiles(window, point, files);
}

}  // namespace tarvolin::test
