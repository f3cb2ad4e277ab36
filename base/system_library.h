// Functions of system libraries the program loads only when first wanted.
#pragma once
#include <windows.h>

namespace tarvolin {

// Finds a function of a system library, loading the library on first request. Null when the
// library or the function is missing. The library stays loaded for the life of the program.
inline FARPROC FindSystemFunction(const wchar_t* library, const char* function) {
  // Only the system folder is searched, so a library of the same name planted in the current
  // folder is never loaded. Systems that predate this flag refuse it as invalid.
  HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) module = LoadLibraryW(library);
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

}  // namespace tarvolin
