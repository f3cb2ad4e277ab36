#include "support/planted.h"

#include "base/handles.h"

namespace tarvolin::test {

ScratchFolder::ScratchFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  const DWORD length = GetTempPathW(MAX_PATH, temp);
  if (length == 0 || length >= MAX_PATH) return;
  path_ = std::wstring(temp) + name;
  // A run that ended without cleaning up leaves the folder behind.
  Empty();
  ok_ = CreateDirectoryW(path_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

ScratchFolder::~ScratchFolder() {
  if (!path_.empty()) Empty();
  if (!path_.empty()) RemoveDirectoryW(path_.c_str());
}

void ScratchFolder::Empty() const {
  WIN32_FIND_DATAW found = {};
  const HANDLE search = FindFirstFileW(File(L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW(File(found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

PreferLibraryOnSearchPath::PreferLibraryOnSearchPath(const std::wstring& program, const std::wstring& library)
    : keys_{L"Software\\Wine\\AppDefaults", L"Software\\Wine\\AppDefaults\\" + program,
            L"Software\\Wine\\AppDefaults\\" + program + L"\\DllOverrides"},
      library_(library) {
  // The keys from the first one missing down are this object's to remove.
  while (made_ < 3) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keys_[made_].c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) break;
    RegCloseKey(key);
    ++made_;
  }
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, keys_[2].c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegKey overrides(key);
  const wchar_t order[] = L"native,builtin";
  ok_ = RegSetValueExW(key, library.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(order), sizeof order) ==
        ERROR_SUCCESS;
}

PreferLibraryOnSearchPath::~PreferLibraryOnSearchPath() {
  RegDeleteKeyValueW(HKEY_CURRENT_USER, keys_[2].c_str(), library_.c_str());
  for (int level = 2; level >= made_; --level) RegDeleteKeyW(HKEY_CURRENT_USER, keys_[level].c_str());
}

}  // namespace tarvolin::test
