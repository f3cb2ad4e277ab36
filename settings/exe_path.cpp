#include "settings/exe_path.h"

#include <windows.h>

#include <vector>

namespace tarvolin {

namespace {
std::wstring g_exePath;
}

std::wstring ComputeExePath(const std::wstring& moduleFileName) {
  const size_t slash = moduleFileName.find_last_of(L"\\/");
  std::wstring folder = slash == std::wstring::npos ? std::wstring() : moduleFileName.substr(0, slash);
  std::wstring name = slash == std::wstring::npos ? moduleFileName : moduleFileName.substr(slash + 1);
  // A drive root keeps its backslash ("C:\"), like any folder text of exactly three characters.
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
  const size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  if (folder.size() == 3) return folder + name + L".exe";
  return folder + L"\\" + name + L".exe";
}

std::wstring ModuleFileName(HMODULE module) {
  // A path that fills the buffer may have been cut: only a shorter one is surely whole.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n < buffer.size() || buffer.size() >= 32768) return std::wstring(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

void InitExePath() { g_exePath = ComputeExePath(ModuleFileName(nullptr)); }

const std::wstring& ExePath() { return g_exePath; }

}  // namespace tarvolin
