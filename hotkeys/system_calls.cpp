#include "hotkeys/system_calls.h"

#include <shellapi.h>

#include <vector>

#include "base/handles.h"
#include "base/system_library.h"

namespace tarvolin {

namespace {

DWORD RealShellExecute(HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                       const wchar_t* directory, int showState) {
  SHELLEXECUTEINFOW request = {};
  request.cbSize = sizeof request;
  // No message box of the shell's: a refusal comes back to us with its reason instead, and no
  // window of the shell's takes the focus from what the user was doing.
  request.fMask = SEE_MASK_FLAG_NO_UI;
  request.hwnd = owner;
  request.lpVerb = verb;
  request.lpFile = file;
  request.lpParameters = parameters;
  request.lpDirectory = directory;
  request.nShow = showState;
  if (ShellExecuteExW(&request)) return ERROR_SUCCESS;
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

BOOL RealStartProcess(const wchar_t* commandLine, WORD showState) {
  // CreateProcessW may write into the command line, so it gets its own copy.
  std::vector<wchar_t> line(commandLine, commandLine + lstrlenW(commandLine) + 1);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = showState;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
    return FALSE;
  // The started program is on its own: we keep neither its id nor its handles.
  KernelHandle thread(started.hThread);
  KernelHandle process(started.hProcess);
  return TRUE;
}

BOOL RealEnableShutdownPrivilege() {
  HANDLE opened = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened)) return FALSE;
  KernelHandle token(opened);
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) return FALSE;
  if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) return FALSE;
  // AdjustTokenPrivileges also succeeds when the token does not hold the privilege at all.
  return GetLastError() == ERROR_SUCCESS;
}

BOOL RealExitWindows(UINT flags, DWORD reserved) { return ExitWindowsEx(flags, reserved); }

DWORD RealMciSendString(const char* command, char* returnBuffer, UINT returnLength, HWND callback) {
  using Function = DWORD(WINAPI*)(const char*, char*, UINT, HWND);
  static const Function bound = FindSystemFunction<Function>(L"winmm.dll", "mciSendStringA");
  if (bound == nullptr) return ERROR_PROC_NOT_FOUND;
  return bound(command, returnBuffer, returnLength, callback);
}

DWORD RealRasEnumConnections(DialupRecord* records, DWORD* bufferSize, DWORD* count) {
  using Function = DWORD(WINAPI*)(DialupRecord*, DWORD*, DWORD*);
  static const Function bound = FindSystemFunction<Function>(L"rasapi32.dll", "RasEnumConnectionsA");
  if (bound == nullptr) return ERROR_PROC_NOT_FOUND;
  return bound(records, bufferSize, count);
}

DWORD RealRasHangUp(HANDLE connection) {
  using Function = DWORD(WINAPI*)(HANDLE);
  static const Function bound = FindSystemFunction<Function>(L"rasapi32.dll", "RasHangUpA");
  if (bound == nullptr) return ERROR_PROC_NOT_FOUND;
  return bound(connection);
}

const SystemCalls kRealCalls = {
    RealShellExecute,       RealStartProcess, RealEnableShutdownPrivilege, RealExitWindows, RealMciSendString,
    RealRasEnumConnections, RealRasHangUp,
};

const SystemCalls* g_current = &kRealCalls;

}  // namespace

const SystemCalls& RealSystemCalls() { return kRealCalls; }

const SystemCalls& CurrentSystemCalls() { return *g_current; }

const SystemCalls* SetSystemCalls(const SystemCalls* calls) {
  const SystemCalls* previous = g_current;
  g_current = calls != nullptr ? calls : &kRealCalls;
  return previous;
}

}  // namespace tarvolin
