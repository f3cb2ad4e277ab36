#include "settings/settings.h"

#include <windows.h>

#include <vector>

#include "shell/handles.h"

namespace tarvolin {

namespace settings_detail {

bool FitsCodePage(const std::wstring& text, unsigned cp) {
  if (text.empty()) return true;
  const int wideLength = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  // Code pages such as UTF-7/8 refuse the default-character query; they fit everything anyway.
  const bool canAsk = cp != CP_UTF7 && cp != CP_UTF8;
  const int bytes = WideCharToMultiByte(cp, canAsk ? WC_NO_BEST_FIT_CHARS : 0, text.data(), wideLength,
                                        nullptr, 0, nullptr, canAsk ? &usedDefault : nullptr);
  if (bytes <= 0 || usedDefault) return false;
  std::string narrow(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(cp, canAsk ? WC_NO_BEST_FIT_CHARS : 0, text.data(), wideLength, &narrow[0], bytes,
                      nullptr, nullptr);
  const int back = MultiByteToWideChar(cp, 0, narrow.data(), bytes, nullptr, 0);
  std::wstring roundTrip(static_cast<size_t>(back), L'\0');
  MultiByteToWideChar(cp, 0, narrow.data(), bytes, &roundTrip[0], back);
  return roundTrip == text;
}

std::wstring TrimBlanks(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return std::wstring();
  const size_t last = text.find_last_not_of(L' ');
  return text.substr(first, last - first + 1);
}

}  // namespace settings_detail

namespace {

// Drops the profile functions' cached copy, so the next call reads the file as it is on disk.
void FlushProfileCache() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, kSettingsFileName); }

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  bytes.clear();
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  return true;
}

bool IsUtf16File(const std::string& bytes) {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xFE;
}

// Rewrites the ANSI settings file (or creates a new one) as UTF-16 with a byte-order mark, which the
// profile functions then read and write in that form. The old file is replaced only once the new
// one has been written completely.
bool ConvertToUtf16(const std::wstring& path, const std::string& ansi) {
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
    FileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
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

std::wstring SettingsFilePath() {
  wchar_t folder[MAX_PATH] = {};
  const UINT n = GetWindowsDirectoryW(folder, MAX_PATH);
  std::wstring path(folder, n < MAX_PATH ? n : 0);
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path + kSettingsFileName;
}

std::wstring ReadSetting(const std::wstring& section, const std::wstring& key) {
  // The platform cuts a value that does not fit and returns size - 1 then: grow until it fits.
  std::vector<wchar_t> buffer(256);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(), size,
                                             kSettingsFileName);
    if (n + 1 < size || size >= (1u << 20)) {
      return settings_detail::TrimBlanks(std::wstring(buffer.data(), n < size ? n : 0));
    }
    buffer.assign(buffer.size() * 4, L'\0');
  }
}

bool WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  const bool fits = settings_detail::FitsCodePage(section, CP_ACP) &&
                    settings_detail::FitsCodePage(key, CP_ACP) &&
                    settings_detail::FitsCodePage(value, CP_ACP);
  if (!fits) {
    const std::wstring path = SettingsFilePath();
    std::string bytes;
    const bool exists = ReadWholeFile(path, bytes);
    if (!exists || !IsUtf16File(bytes)) {
      FlushProfileCache();
      if (!ConvertToUtf16(path, exists ? bytes : std::string())) return false;
      FlushProfileCache();
    }
  }
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), kSettingsFileName) != 0;
}

}  // namespace tarvolin
