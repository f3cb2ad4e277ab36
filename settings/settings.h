// The settings file "Tarvolin.ini": the one read operation and the one write helper.
#pragma once
#include <string>

namespace tarvolin {

// Always the bare name: the profile functions then keep the file in the Windows directory.
inline constexpr wchar_t kSettingsFileName[] = L"Tarvolin.ini";

// The file's sections and keys (the slots' keys are their names, "F1".."F12").
// The bindings are read from "Hotkey" at start-up and written to "HotKey" by Save. Both spellings
// are meant: the profile functions match section names without regard to case, so both reach the
// one section, and a file Save starts gets the "[HotKey]" heading the files in use already carry.
inline constexpr wchar_t kHotkeySectionRead[] = L"Hotkey";
inline constexpr wchar_t kHotkeySectionWritten[] = L"HotKey";
inline constexpr wchar_t kEnabledSection[] = L"Enabled";
inline constexpr wchar_t kOtherSection[] = L"Other Settings";
inline constexpr wchar_t kAutoRunKey[] = L"AutoRun";
inline constexpr wchar_t kAutoHideKey[] = L"AutoHide";
// Written by the user alone: "Tarvolin" keeps the keys in front of full-screen programs.
inline constexpr wchar_t kFullScreenKeysKey[] = L"FullScreenKeys";

// Where the settings live: "Tarvolin.ini" in the Windows directory. The 64-bit program, which the
// system does not redirect, reads and writes the user's own copy instead (as the system does for
// the 32-bit one) once that copy exists, and makes it at the first write the Windows directory
// refuses, starting from the original.

// Reads values from the settings file: which file holds them (the Windows directory's or the
// user's copy) is found once, when the reader is made, for reads that go together.
class SettingsReader {
 public:
  SettingsReader();
  // Value of key in section, whole; blanks around it and one pair of enclosing quotes dropped.
  // Empty when the file, the section or the key is missing. Never creates the file.
  std::wstring Read(const std::wstring& section, const std::wstring& key) const;

 private:
  std::wstring file_;
};

// One value, read as SettingsReader reads it.
inline std::wstring ReadSetting(const std::wstring& section, const std::wstring& key) {
  return SettingsReader().Read(section, key);
}

// Writes one value. The file stays in the system's ANSI code page while every value fits it;
// a value that does not fit turns the file into UTF-16 first, so no character is lost.
// Returns false when the platform refused the write.
bool WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value);

// A value as Save writes it, so that it reads back as it was: the profile functions drop one pair
// of quotation marks that encloses a whole value, so a value that starts and ends with the same
// mark (double or single) is written inside one more pair of it. Any other value is unchanged.
std::wstring KeepQuotes(const std::wstring& value);

// Full path of the settings file in the Windows directory.
std::wstring SettingsFilePath();
// Full path of the user's own copy: %LOCALAPPDATA%\VirtualStore\, the Windows directory's path
// without its drive, then the file name. Empty when the system does not name those folders.
std::wstring UserSettingsCopyPath();

namespace settings_detail {
// Trims blanks (U+0020 only) at both ends.
std::wstring TrimBlanks(const std::wstring& text);
// Makes every write to the Windows directory fail, as for a standard user (Wine lets anyone write
// there, so only this shows the user's copy at work).
void RefuseWindowsDirectoryForTesting(bool refuse);
// Whether this process keeps the user's copy itself (the 64-bit flavour) or leaves it to the system.
void KeepUserCopyForTesting(bool keep);
bool KeepsUserCopy();
}  // namespace settings_detail

}  // namespace tarvolin
