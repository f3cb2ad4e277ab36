// A library planted beside a program under a system library's name (the tests build it as
// uxtheme.dll). When any process loads it, it appends that process's path to planted.log beside
// itself, and refuses to stay: the process goes on as if the library were missing.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t log[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(self, log, MAX_PATH);
  while (length > 0 && log[length - 1] != L'\\') --length;
  if (length == 0 || length + 12 > MAX_PATH) return FALSE;
  lstrcpyW(log + length, L"planted.log");

  char line[MAX_PATH * 3 + 2] = {};
  wchar_t process[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, process, MAX_PATH);
  int size = WideCharToMultiByte(CP_UTF8, 0, process, -1, line, MAX_PATH * 3, nullptr, nullptr);
  if (size <= 0) return FALSE;
  line[size - 1] = '\n';
  const HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
  }
  return FALSE;
}
