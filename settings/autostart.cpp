#include "settings/autostart.h"

#include "base/handles.h"

namespace tarvolin {

namespace {

bool g_refuseMachineWide = false;
bool g_refusePerUser = false;

// On 64-bit Windows the machine-wide Run key has a 32-bit and a 64-bit view. Each flavour registers
// in its own and clears the other, so that switching flavours never leaves two entries (and two
// copies starting at logon). The per-user key is one key in both views.
#ifdef _WIN64
constexpr REGSAM kOwnView = KEY_WOW64_64KEY;
constexpr REGSAM kOtherView = KEY_WOW64_32KEY;
#else
constexpr REGSAM kOwnView = KEY_WOW64_32KEY;
constexpr REGSAM kOtherView = KEY_WOW64_64KEY;
#endif

// Opens (creating if missing) the Run key under root, in a view, for writing; null when refused.
RegKey OpenRunKey(HKEY root, REGSAM view) {
  if ((root == HKEY_LOCAL_MACHINE && g_refuseMachineWide) || (root == HKEY_CURRENT_USER && g_refusePerUser)) {
    return RegKey();
  }
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, kRunKeyPath, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return RegKey();
  }
  return RegKey(key);
}

bool WriteRunValue(HKEY root, REGSAM view, const std::wstring& exePath) {
  const RegKey key = OpenRunKey(root, view);
  if (!key) return false;
  const std::wstring line = RunCommandLine(exePath);
  const DWORD bytes = static_cast<DWORD>((line.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key.get(), kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(line.c_str()),
                        bytes) == ERROR_SUCCESS;
}

void DeleteRunValue(HKEY root, REGSAM view) {
  const RegKey key = OpenRunKey(root, view);
  // A missing value or a refused key: nothing to remove here.
  if (key) RegDeleteValueW(key.get(), kRunValueName);
}

}  // namespace

std::wstring RunCommandLine(const std::wstring& exePath) {
  // The system reads the value as a command line and splits it at the first blank: unquoted,
  // "C:\Program Files\..." would first try to start "C:\Program". A path without blanks stays
  // exactly as it always was.
  if (exePath.find(L' ') == std::wstring::npos) return exePath;
  return L"\"" + exePath + L"\"";
}

bool RegisterAutostart(const std::wstring& exePath) {
  // The other view first: on a 32-bit system both views are one key, and ours must be what stays.
  DeleteRunValue(HKEY_LOCAL_MACHINE, kOtherView);
  if (WriteRunValue(HKEY_LOCAL_MACHINE, kOwnView, exePath)) {
    // One entry only, or the program would start twice at logon and meet itself.
    DeleteRunValue(HKEY_CURRENT_USER, 0);
    return true;
  }
  DeleteRunValue(HKEY_LOCAL_MACHINE, kOwnView);
  return WriteRunValue(HKEY_CURRENT_USER, 0, exePath);
}

void UnregisterAutostart() {
  DeleteRunValue(HKEY_LOCAL_MACHINE, kOwnView);
  DeleteRunValue(HKEY_LOCAL_MACHINE, kOtherView);
  DeleteRunValue(HKEY_CURRENT_USER, 0);
}

namespace autostart_detail {
void RefuseForTesting(HKEY root, bool refuse) {
  if (root == HKEY_LOCAL_MACHINE) g_refuseMachineWide = refuse;
  if (root == HKEY_CURRENT_USER) g_refusePerUser = refuse;
}
}  // namespace autostart_detail

}  // namespace tarvolin
