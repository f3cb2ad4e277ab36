// A key whose target the shell refused says so: a notice of the tray icon, which never takes the
// focus from what the user is doing.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace tarvolin {

// Called when the shell refused slot's binding with error. Shows "F5: 找不到 …" (the file or its
// folder is not there) or "F5: 无法打开 …" (any other refusal), titled "Tarvolin"; nothing when
// the user cancelled an elevation prompt, nor while this key's last notice is under a second old.
void ReportRefusedBinding(int slot, const std::wstring& binding, DWORD error);

namespace notice_detail {
// The text field holds 256 bytes with its NUL.
inline constexpr size_t kNoticeBytes = 255;
// The notice's text in code page cp: the key, what went wrong (in plain words where cp has no
// Chinese) and the binding, cut at its start when it would not fit (characters cp lacks become
// its default character).
std::vector<char> NoticeText(const std::wstring& key, const std::wstring& binding, DWORD error, unsigned cp);
// Whether the shell's refusal error of slot's binding at tick now gets a notice: not for a
// cancelled elevation prompt, and at most one a second for each key.
bool NoticeDue(int slot, DWORD error, DWORD now);
}  // namespace notice_detail

}  // namespace tarvolin
