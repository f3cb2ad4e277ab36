// The start-with-the-system entry: the value "Tarvolin" under a Run key of the registry, holding
// the executable's full path (quoted where it holds a blank). Written and removed only by the editor's OK.
#pragma once
#include <windows.h>

#include <string>

namespace tarvolin {

inline constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Tarvolin";

// What the value holds for the executable at exePath: the path, in double quotes when it holds a
// blank (no arguments either way).
std::wstring RunCommandLine(const std::wstring& exePath);

// Writes the value machine-wide, in the registry view of this program's flavour (32- or 64-bit);
// where that is refused (a user who is not elevated), under the current user's Run key instead.
// The value is then removed from the other two places. True when one place now holds it.
bool RegisterAutostart(const std::wstring& exePath);
// Removes the value from the machine-wide key in both views and from the per-user key; a value
// that is not there is no failure.
void UnregisterAutostart();

namespace autostart_detail {
// Makes every write or delete under root (HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER) fail, as for
// a user who may not write there. Wine lets everyone write machine-wide, so only this shows the
// per-user way.
void RefuseForTesting(HKEY root, bool refuse);
}  // namespace autostart_detail

}  // namespace tarvolin
