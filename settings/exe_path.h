// ExePath: the executable's full path as the autostart entry records it.
#pragma once
#include <string>

namespace tarvolin {

// Folder, a backslash unless the folder is a drive root, the base name, then ".exe" whatever the
// file's real extension.
std::wstring ComputeExePath(const std::wstring& moduleFileName);

// Computed once at start-up.
const std::wstring& ExePath();
void InitExePath();

}  // namespace tarvolin
