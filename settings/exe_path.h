// ExePath: the executable's full path as the autostart entry records it.
#pragma once
#include <windows.h>

#include <string>

namespace tarvolin {

// Folder, a backslash unless the folder is a drive root, the base name, then ".exe" whatever the
// file's real extension.
std::wstring ComputeExePath(const std::wstring& moduleFileName);

// The full path of a loaded module (null: the program's own file), however long.
std::wstring ModuleFileName(HMODULE module);

// Computed once at start-up.
const std::wstring& ExePath();
void InitExePath();

}  // namespace tarvolin
