#include "settings/settings.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "base/code_page.h"
#include "base/handles.h"

namespace tarvolin {

namespace settings_detail {

std::wstring TrimBlanks(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return std::wstring();
  const size_t last = text.find_last_not_of(L' ');
  return text.substr(first, last - first + 1);
}

}  // namespace settings_detail

namespace {

// A 32-bit program that may not write the Windows directory has its writes moved by the system
// into the user's own copy, which it then reads in place of the original. A 64-bit program gets
// no such help, so that flavour does the same itself: one user, one set of settings.
#ifdef _WIN64
bool g_keepsUserCopy = true;
#else
bool g_keepsUserCopy = false;
#endif
bool g_refuseWindowsDirectory = false;

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Drops the profile functions' cached copy, so the next call reads the file as it is on disk.
void FlushProfileCache(const std::wstring& file) {
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
}

// What the profile functions are given: the bare name (the Windows directory) or the user's copy.
std::wstring ProfileFile() {
  if (g_keepsUserCopy) {
    const std::wstring copy = UserSettingsCopyPath();
    if (!copy.empty() && FileExists(copy)) return copy;
  }
  return kSettingsFileName;
}

std::wstring FullPath(const std::wstring& profileFile) {
  return profileFile == kSettingsFileName ? SettingsFilePath() : profileFile;
}

// Creates each missing folder of path's parent.
bool CreateParentFolders(const std::wstring& path) {
  const size_t end = path.find_last_of(L'\\');
  if (end == std::wstring::npos) return false;
  for (size_t at = path.find(L'\\', 3); at != std::wstring::npos && at <= end;
       at = path.find(L'\\', at + 1)) {
    const std::wstring folder = path.substr(0, at);
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return true;
}

// Moves the settings to the user's copy: the original, if any, is copied whole first, so nothing
// saved before is lost. A copy that already exists is kept as it is.
bool StartUserCopy() {
  const std::wstring copy = UserSettingsCopyPath();
  if (copy.empty() || !CreateParentFolders(copy)) return false;
  if (FileExists(copy)) return true;
  const std::wstring original = SettingsFilePath();
  if (!FileExists(original)) return true;
  FlushProfileCache(kSettingsFileName);
  return CopyFileW(original.c_str(), copy.c_str(), TRUE) != FALSE || FileExists(copy);
}

// Raw bytes in a vector rather than a std::string: the program uses no narrow string anywhere, which
// keeps the narrow string's library code (a good part of the executable) out of it.
using Bytes = std::vector<char>;

bool ReadWholeFile(const std::wstring& path, Bytes& bytes) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  bytes.clear();
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
    bytes.insert(bytes.end(), chunk, chunk + got);
  return true;
}

bool IsUtf16File(const Bytes& bytes) {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xFE;
}

// Rewrites the ANSI settings file (or creates a new one) as UTF-16 with a byte-order mark, which the
// profile functions then read and write in that form. The old file is replaced only once the new
// one has been written completely.
bool ConvertToUtf16(const std::wstring& path, const Bytes& ansi) {
  std::wstring text;
  if (!ansi.empty()) {
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    if (n <= 0) return false;
    text.resize(static_cast<size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &text[0], n);
  }
  text.insert(text.begin(), L'\xFEFF');

  const std::wstring temp = path + L".new";
  {
    FileHandle file(
        CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    DWORD written = 0;
    if (!WriteFile(file.get(), text.data(), size, &written, nullptr) || written != size) {
      file.reset();
      DeleteFileW(temp.c_str());
      return false;
    }
  }
  if (!MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

std::wstring UserSettingsCopyPath() {
  static const std::wstring path = [] {
    wchar_t local[MAX_PATH] = {};
    wchar_t windows[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::wstring();
    // The system sets LOCALAPPDATA for every user; asking the shell costs a millisecond of every
    // start, so the shell is asked only where the variable is missing.
    const DWORD got = GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH);
    if ((got == 0 || got >= MAX_PATH) &&
        FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local))) {
      return std::wstring();
    }
    // The Windows directory's own path without its drive: usually "\Windows".
    std::wstring folder(windows, n);
    if (folder.size() >= 2 && folder[1] == L':') folder.erase(0, 2);
    if (folder.empty() || folder[0] != L'\\') folder.insert(folder.begin(), L'\\');
    if (folder.back() != L'\\') folder += L'\\';
    return std::wstring(local) + L"\\VirtualStore" + folder + kSettingsFileName;
  }();
  return path;
}

std::wstring KeepQuotes(const std::wstring& value) {
  if (value.empty() || value.front() != value.back() || (value.front() != L'"' && value.front() != L'\'')) {
    return value;
  }
  return value.front() + value + value.back();
}

std::wstring SettingsFilePath() {
  wchar_t folder[MAX_PATH] = {};
  const UINT n = GetWindowsDirectoryW(folder, MAX_PATH);
  std::wstring path(folder, n < MAX_PATH ? n : 0);
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path + kSettingsFileName;
}

SettingsReader::SettingsReader() : file_(ProfileFile()) {}

std::wstring SettingsReader::Read(const std::wstring& section, const std::wstring& key) const {
  // The platform cuts a value that does not fit and returns size - 1 then: grow until it fits.
  std::vector<wchar_t> buffer(256);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD n =
        GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(), size, file_.c_str());
    if (n + 1 < size || size >= (1u << 20)) {
      return settings_detail::TrimBlanks(std::wstring(buffer.data(), n < size ? n : 0));
    }
    buffer.assign(buffer.size() * 4, L'\0');
  }
}

namespace {
bool WriteTo(const std::wstring& file, const std::wstring& section, const std::wstring& key,
             const std::wstring& value) {
  if (g_refuseWindowsDirectory && file == kSettingsFileName) return false;
  const bool fits = FitsCodePage(section, CP_ACP) && FitsCodePage(key, CP_ACP) && FitsCodePage(value, CP_ACP);
  if (!fits) {
    const std::wstring path = FullPath(file);
    Bytes bytes;
    const bool exists = ReadWholeFile(path, bytes);
    if (!exists || !IsUtf16File(bytes)) {
      FlushProfileCache(file);
      if (!ConvertToUtf16(path, exists ? bytes : Bytes())) return false;
      FlushProfileCache(file);
    }
  }
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}
}  // namespace

bool WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  const std::wstring file = ProfileFile();
  if (WriteTo(file, section, key, value)) return true;
  // The Windows directory refused us: from now on the user's own copy holds the settings.
  if (!g_keepsUserCopy || file != kSettingsFileName || !StartUserCopy()) return false;
  return WriteTo(UserSettingsCopyPath(), section, key, value);
}

namespace settings_detail {
void RefuseWindowsDirectoryForTesting(bool refuse) { g_refuseWindowsDirectory = refuse; }
void KeepUserCopyForTesting(bool keep) { g_keepsUserCopy = keep; }
bool KeepsUserCopy() { return g_keepsUserCopy; }
}  // namespace settings_detail

}  // namespace tarvolin
