// Functions of system libraries the program loads only when first wanted, and where every library
// of the process comes from.
#pragma once
#include <windows.h>

namespace tarvolin {

// Loads a library of the system folder named by its full path there: on systems that predate the
// search flags, a bare name would be looked for in the program's own folder first. Null when it
// is missing.
inline HMODULE LoadFromSystemFolder(const wchar_t* library) {
  wchar_t path[MAX_PATH];
  const UINT folder = GetSystemDirectoryW(path, MAX_PATH);
  const int name = lstrlenW(library);
  if (folder == 0 || folder + 1 + name >= MAX_PATH) return nullptr;
  path[folder] = L'\\';
  lstrcpyW(path + folder + 1, library);
  return LoadLibraryW(path);
}

// Finds a function of a system library, loading the library on first request. Null when the
// library or the function is missing. The library stays loaded for the life of the program.
inline FARPROC FindSystemFunction(const wchar_t* library, const char* function) {
  // Only the system folder is searched, so a library of the same name planted in the current
  // folder is never loaded. Systems that predate this flag refuse it as invalid.
  HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) module = LoadFromSystemFolder(library);
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
// included, to the system folder, through the system's two calls for it (null: missing). Where the
// system lacks the first (Windows before 8 without its 2011 loader update) or refuses it, only the
// current folder leaves the search: the program's own stays.
using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryCall = BOOL(WINAPI*)(const wchar_t*);
inline void SearchLibrariesInSystemFolderOnly(SetDefaultDllDirectoriesCall setDefault,
                                              SetDllDirectoryCall setDirectory) {
  if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // An empty folder takes the current one out of the search; none (null) would put it back.
  if (setDirectory) setDirectory(L"");
}

// The same with the system's own calls.
inline void SearchLibrariesInSystemFolderOnly() {
  // Looked up, not imported: a program that imports a function the system lacks does not start.
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  SearchLibrariesInSystemFolderOnly(
      reinterpret_cast<SetDefaultDllDirectoriesCall>(
          reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories"))),
      reinterpret_cast<SetDllDirectoryCall>(
          reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDllDirectoryW"))));
}

}  // namespace tarvolin
