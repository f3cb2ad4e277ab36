#include "hotkeys/taken_keys.h"

#include <vector>

#include "hotkeys/main_window.h"
#include "hotkeys/message_hook.h"
#include "hotkeys/slots.h"
#include "hotkeys/tray.h"
#include "settings/settings.h"

namespace tarvolin {

namespace {
constexpr int kTipBytes = 63;  // the tip field holds 64 bytes with its NUL

// text in the code page; empty when a character does not fit it. Bytes, not a narrow string: the
// program keeps the narrow string's library code out of it.
std::vector<char> Narrow(const std::wstring& text, unsigned codePage) {
  std::vector<char> narrow;
  if (text.empty() || !settings_detail::FitsCodePage(text, codePage)) return narrow;
  const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  narrow.resize(static_cast<size_t>(size));
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr,
                      nullptr);
  return narrow;
}

void Append(TrayTip& tip, const std::vector<char>& bytes) {
  for (char c : bytes) tip.text[tip.length++] = c;
  tip.text[tip.length] = '\0';
}
}  // namespace

namespace taken_keys_detail {
TrayTip TipFor(const std::wstring* keys, int count, unsigned codePage) {
  TrayTip tip = {};
  const std::vector<char> name = {'T', 'a', 'r', 'v', 'o', 'l', 'i', 'n'};
  Append(tip, name);
  if (count <= 0) return tip;
  std::vector<char> taken = Narrow(L" \u5DF2\u88AB\u5360\u7528", codePage);       // " 已被占用"
  std::vector<char> more = Narrow(L" \u7B49 \u5DF2\u88AB\u5360\u7528", codePage);  // " 等 已被占用"
  if (taken.empty() || more.empty()) {
    taken = {' ', 't', 'a', 'k', 'e', 'n'};
    more = {' ', '.', '.', '.', ' ', 't', 'a', 'k', 'e', 'n'};
  }
  Append(tip, {' ', '-'});
  for (int i = 0; i < count; ++i) {
    std::vector<char> key = Narrow(L" " + keys[i], codePage);
    const size_t ending = i + 1 == count ? taken.size() : more.size();
    // Room for this key, and for the ending that must follow it.
    if (static_cast<size_t>(tip.length) + key.size() + ending > kTipBytes) {
      Append(tip, more);
      return tip;
    }
    Append(tip, key);
  }
  Append(tip, taken);
  return tip;
}
}  // namespace taken_keys_detail

TrayTip TrayTipText() {
  // Paused, no key is registered and none is taken.
  std::vector<std::wstring> keys;
  for (int n = 1; n <= kSlotCount; ++n) {
    if (SlotKeyTaken(n)) keys.push_back(SlotKeyName(n));
  }
  return taken_keys_detail::TipFor(keys.data(), static_cast<int>(keys.size()), CP_ACP);
}

void TakenKeysChanged() {
  MainWindow* main = TheMainWindow();
  if (!main) return;
  const HWND window = main->Handle();
  if (AnyKeyTaken() && HotkeysActive() == -1) {
    SetTimer(window, kRetryTimerId, kRetryTimerMs, nullptr);
  } else {
    KillTimer(window, kRetryTimerId);
  }
  TrayModify(window, HotkeysActive() == -1 ? main->ActiveIcon() : main->PausedIcon());
  main->TakenKeysChanged();
}

void RetryTakenKeys() {
  const MainWindow* main = TheMainWindow();
  if (!main || HotkeysActive() != -1) return;
  for (int n = 1; n <= kSlotCount; ++n) {
    if (SlotKeyTaken(n) && main->SlotSwitchedOn(n)) EnableSlotHotkey(n);
  }
}

}  // namespace tarvolin
