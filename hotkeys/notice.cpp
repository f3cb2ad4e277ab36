#include "hotkeys/notice.h"

#include "base/code_page.h"
#include "hotkeys/main_window.h"
#include "hotkeys/slot_table.h"
#include "hotkeys/tray.h"

namespace tarvolin {

namespace {
// Refusals that mean the target, or the folder or drive it is on, is not there.
bool TargetMissing(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
      return true;
    default:
      return false;
  }
}

// text in code page cp, with cp's default character for what it lacks.
std::vector<char> Lossy(const wchar_t* text, size_t length, unsigned cp) {
  const int wide = static_cast<int>(length);
  const int bytes = WideCharToMultiByte(cp, 0, text, wide, nullptr, 0, nullptr, nullptr);
  std::vector<char> narrow(bytes > 0 ? static_cast<size_t>(bytes) : 0);
  if (bytes > 0) WideCharToMultiByte(cp, 0, text, wide, narrow.data(), bytes, nullptr, nullptr);
  return narrow;
}

void Append(std::vector<char>& text, const std::vector<char>& more) {
  text.insert(text.end(), more.begin(), more.end());
}
void Append(std::vector<char>& text, const char* more) {
  while (*more != '\0') text.push_back(*more++);
}

DWORD g_lastNotice[kSlotCount + 1] = {};
bool g_noticed[kSlotCount + 1] = {};
}  // namespace

namespace notice_detail {
std::vector<char> NoticeText(const std::wstring& key, const std::wstring& binding, DWORD error, unsigned cp) {
  std::vector<char> text = Lossy(key.c_str(), key.size(), cp);
  Append(text, ": ");
  const bool missing = TargetMissing(error);
  std::vector<char> words;
  ToCodePage(missing ? L"\u627E\u4E0D\u5230 " : L"\u65E0\u6CD5\u6253\u5F00 ", cp,
             words);  // "找不到 ", "无法打开 "
  if (words.empty()) {
    Append(text, missing ? "cannot find " : "cannot open ");
  } else {
    Append(text, words);
  }
  // The end of a long path says most: keep it, and cut whole characters off the start.
  const size_t room = kNoticeBytes - text.size();
  const char cutMark[] = "...";
  size_t from = binding.size() > room ? binding.size() - room : 0;
  for (;; ++from) {
    if (from > 0 && from < binding.size() && IS_LOW_SURROGATE(binding[from])) continue;
    const std::vector<char> tail = Lossy(binding.c_str() + from, binding.size() - from, cp);
    const size_t mark = from > 0 ? sizeof cutMark - 1 : 0;
    if (tail.size() + mark <= room || from >= binding.size()) {
      if (mark > 0) Append(text, cutMark);
      Append(text, tail);
      return text;
    }
  }
}

bool NoticeDue(int slot, DWORD error, DWORD now) {
  // The user said no to the elevation prompt: nothing went wrong.
  if (error == ERROR_SUCCESS || error == ERROR_CANCELLED) return false;
  if (!ValidSlot(slot)) return false;
  if (g_noticed[slot] && now - g_lastNotice[slot] < 1000) return false;
  g_noticed[slot] = true;
  g_lastNotice[slot] = now;
  return true;
}
}  // namespace notice_detail

void ReportRefusedBinding(int slot, const std::wstring& binding, DWORD error) {
  if (!notice_detail::NoticeDue(slot, error, GetTickCount())) return;
  const HWND window = MainWindowHandle();
  if (window == nullptr) return;
  TrayNotice(window, "Tarvolin", notice_detail::NoticeText(SlotKeyName(slot), binding, error, CP_ACP));
}

}  // namespace tarvolin
