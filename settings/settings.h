// The settings file "Tarvolin.ini": the one read operation and the one write helper.
#pragma once
#include <string>

namespace tarvolin {

// Always the bare name: the profile functions then keep the file in the Windows directory.
inline constexpr wchar_t kSettingsFileName[] = L"Tarvolin.ini";

// Value of key in section, whole; blanks around it and one pair of enclosing quotes dropped.
// Empty when the file, the section or the key is missing. Never creates the file.
std::wstring ReadSetting(const std::wstring& section, const std::wstring& key);

// Writes one value. The file stays in the system's ANSI code page while every value fits it;
// a value that does not fit turns the file into UTF-16 first, so no character is lost.
// Returns false when the platform refused the write.
bool WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value);

// Full path of the settings file in the Windows directory.
std::wstring SettingsFilePath();

namespace settings_detail {
// True when text survives a round trip through code page cp unchanged.
bool FitsCodePage(const std::wstring& text, unsigned cp);
// Trims blanks (U+0020 only) at both ends.
std::wstring TrimBlanks(const std::wstring& text);
}  // namespace settings_detail

}  // namespace tarvolin
