#include "support/process.h"

#include <thread>
#include <vector>

namespace tarvolin::test {

std::wstring ProgramPath() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.erase(path.find_last_of(L'\\') + 1);
  return path + L"Tarvolin.exe";
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

bool RunningProgram::Start(const std::wstring& path) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::wstring commandLine = L"\"" + path + L"\"";
  if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  id_ = info.dwProcessId;
  return true;
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

HWND RunningProgram::WaitForWindow(const wchar_t* className, std::chrono::milliseconds timeout) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindProcessWindow(id_, className)) != nullptr; }, timeout);
  return found;
}

HWND RunningProgram::WaitForMain() {
  if (process_) WaitForInputIdle(process_.get(), 10000);
  return WaitForWindow(L"Tarvolin.Main");
}

bool RunningProgram::WaitForExit(std::chrono::milliseconds timeout) const {
  return process_ && WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

bool RunningProgram::Running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

bool RunningProgram::CloseMain() {
  const HWND main = FindProcessWindow(id_, L"Tarvolin.Main");
  if (!main) return false;
  PostMessageW(main, WM_CLOSE, 0, 0);
  return WaitForExit();
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

std::wstring SettingsPath() {
  wchar_t folder[MAX_PATH] = {};
  GetWindowsDirectoryW(folder, MAX_PATH);
  return std::wstring(folder) + L"\\Tarvolin.ini";
}

void WriteSettingsBytes(const std::string& bytes) {
  // Drop any cached copy the profile functions of this process hold.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, L"Tarvolin.ini");
  FileHandle file(CreateFileW(SettingsPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file) WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

bool SettingsFileExists() { return GetFileAttributesW(SettingsPath().c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadSettingsBytes() {
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, L"Tarvolin.ini");
  FileHandle file(CreateFileW(SettingsPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string bytes;
  if (!file) return bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  return bytes;
}

void RemoveSettingsFile() {
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, L"Tarvolin.ini");
  DeleteFileW(SettingsPath().c_str());
}

std::string Ansi(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

}  // namespace tarvolin::test
