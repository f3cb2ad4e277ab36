#include "settings/autostart.h"

#include "shell/handles.h"

namespace tarvolin {

namespace {

bool g_refuseMachineWide = false;
bool g_refusePerUser = false;

// Opens (creating if missing) the Run key under root for writing; null when refused.
RegKey OpenRunKey(HKEY root) {
  if ((root == HKEY_LOCAL_MACHINE && g_refuseMachineWide) || (root == HKEY_CURRENT_USER && g_refusePerUser)) {
    return RegKey();
  }
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, kRunKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return RegKey();
  }
  return RegKey(key);
}

bool WriteRunValue(HKEY root, const std::wstring& exePath) {
  const RegKey key = OpenRunKey(root);
  if (!key) return false;
  // A plain string with its terminating NUL; no quotes, no arguments.
  const DWORD bytes = static_cast<DWORD>((exePath.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key.get(), kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(exePath.c_str()),
                        bytes) == ERROR_SUCCESS;
}

void DeleteRunValue(HKEY root) {
  const RegKey key = OpenRunKey(root);
  // A missing value or a refused key: nothing to remove here.
  if (key) RegDeleteValueW(key.get(), kRunValueName);
}

}  // namespace

bool RegisterAutostart(const std::wstring& exePath) {
  if (WriteRunValue(HKEY_LOCAL_MACHINE, exePath)) {
    // One entry only, or the program would start twice at logon and meet itself.
    DeleteRunValue(HKEY_CURRENT_USER);
    return true;
  }
  return WriteRunValue(HKEY_CURRENT_USER, exePath);
}

void UnregisterAutostart() {
  DeleteRunValue(HKEY_LOCAL_MACHINE);
  DeleteRunValue(HKEY_CURRENT_USER);
}

namespace autostart_detail {
void RefuseForTesting(HKEY root, bool refuse) {
  if (root == HKEY_LOCAL_MACHINE) g_refuseMachineWide = refuse;
  if (root == HKEY_CURRENT_USER) g_refusePerUser = refuse;
}
}  // namespace autostart_detail

}  // namespace tarvolin
