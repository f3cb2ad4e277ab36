// Functions of system libraries the program loads only when first wanted, and where every library
// of the process comes from.
#pragma once
#include <windows.h>

namespace tarvolin {

// Finds a function of a system library, loading the library on first request. Null when the
// library or the function is missing. The library stays loaded for the life of the program.
inline FARPROC FindSystemFunction(const wchar_t* library, const char* function) {
  // Only the system folder is searched, so a library of the same name planted in the current
  // folder is never loaded. Systems that predate this flag refuse it as invalid.
  HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
    // There a bare name would be looked for in the program's own folder first: the library is
    // named by its full path in the system folder instead.
    wchar_t path[MAX_PATH];
    const UINT folder = GetSystemDirectoryW(path, MAX_PATH);
    const int name = lstrlenW(library);
    if (folder == 0 || folder + 1 + name >= MAX_PATH) return nullptr;
    path[folder] = L'\\';
    lstrcpyW(path + folder + 1, library);
    module = LoadLibraryW(path);
  }
  if (module == nullptr) return nullptr;
  return GetProcAddress(module, function);
}

// The same, as the function's own type.
template <typename Function>
Function FindSystemFunction(const wchar_t* library, const char* function) {
  // GetProcAddress hands out every function under one type; going through void (*)() tells the
  // compiler the conversion is meant.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(FindSystemFunction(library, function)));
}

// Keeps every library the process loads from now on, those the system loads on its behalf
// included, to the system folder. Where the system lacks that setting (Windows before 8 without
// its 2011 loader update), only the current folder leaves the search: the program's own stays.
inline void SearchLibrariesInSystemFolderOnly() {
  // Looked up, not imported: a program that imports a function the system lacks does not start.
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  using SetDefault = BOOL(WINAPI*)(DWORD);
  using SetDirectory = BOOL(WINAPI*)(const wchar_t*);
  const auto setDefault = reinterpret_cast<SetDefault>(
      reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  const auto setDirectory = reinterpret_cast<SetDirectory>(
      reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDllDirectoryW")));
  if (setDirectory) setDirectory(L"");
}

}  // namespace tarvolin
