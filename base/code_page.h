// Text in the system's narrow code pages, which the settings file and the tray tip use.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace tarvolin {

// text in code page cp when it survives the round trip unchanged; otherwise false, and narrow is
// empty. Bytes, not a narrow string: the program keeps the narrow string's library code out of it.
inline bool ToCodePage(const std::wstring& text, unsigned cp, std::vector<char>& narrow) {
  narrow.clear();
  if (text.empty()) return true;
  const int wideLength = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  // Code pages such as UTF-7/8 refuse the default-character query; they fit everything anyway.
  const bool canAsk = cp != CP_UTF7 && cp != CP_UTF8;
  const DWORD flags = canAsk ? WC_NO_BEST_FIT_CHARS : 0;
  const int bytes = WideCharToMultiByte(cp, flags, text.data(), wideLength, nullptr, 0, nullptr,
                                        canAsk ? &usedDefault : nullptr);
  if (bytes <= 0 || usedDefault) return false;
  narrow.resize(static_cast<size_t>(bytes));
  WideCharToMultiByte(cp, flags, text.data(), wideLength, narrow.data(), bytes, nullptr, nullptr);
  const int back = MultiByteToWideChar(cp, 0, narrow.data(), bytes, nullptr, 0);
  std::wstring roundTrip(static_cast<size_t>(back), L'\0');
  MultiByteToWideChar(cp, 0, narrow.data(), bytes, &roundTrip[0], back);
  if (roundTrip == text) return true;
  narrow.clear();
  return false;
}

// True when text survives a round trip through code page cp unchanged.
inline bool FitsCodePage(const std::wstring& text, unsigned cp) {
  std::vector<char> narrow;
  return ToCodePage(text, cp, narrow);
}

}  // namespace tarvolin
