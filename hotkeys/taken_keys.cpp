#include "hotkeys/taken_keys.h"

#include <vector>

#include "base/code_page.h"
#include "hotkeys/hotkeys_active.h"
#include "hotkeys/main_window.h"
#include "hotkeys/slot_table.h"

namespace tarvolin {

namespace {
constexpr int kTipBytes = sizeof(TrayTip::text) - 1;  // the tip field holds 64 bytes with its NUL

bool g_taken[kSlotCount + 1] = {};

// text in the code page; empty when a character does not fit it. Bytes, not a narrow string: the
// program keeps the narrow string's library code out of it.
std::vector<char> Narrow(const std::wstring& text, unsigned codePage) {
  std::vector<char> narrow;
  ToCodePage(text, codePage, narrow);
  return narrow;
}

void Append(TrayTip& tip, const char* bytes, size_t size) {
  for (size_t i = 0; i < size; ++i) tip.text[tip.length++] = bytes[i];
  tip.text[tip.length] = '\0';
}
void Append(TrayTip& tip, const std::vector<char>& bytes) { Append(tip, bytes.data(), bytes.size()); }

// The tray tip, Main's rows and the retry timer follow the taken keys.
void TakenKeysChanged() {
  MainWindow* main = TheMainWindow();
  if (!main) return;
  const HWND window = main->Handle();
  if (AnyKeyTaken() && HotkeysActive() == -1) {
    SetTimer(window, kRetryTimerId, kRetryTimerMs, nullptr);
  } else {
    KillTimer(window, kRetryTimerId);
  }
  TrayModify(window, TrayIconNow(), TrayTipText());
  main->TakenKeysChanged();
}
}  // namespace

namespace taken_keys_detail {
TrayTip TipFor(const std::wstring* keys, int count, unsigned codePage) {
  TrayTip tip = {};
  Append(tip, "Tarvolin", 8);
  if (count <= 0) return tip;
  // The endings in the code page, or in plain letters where it has no Chinese.
  std::vector<char> taken = Narrow(L" \u5DF2\u88AB\u5360\u7528", codePage);        // " 已被占用"
  std::vector<char> more = Narrow(L" \u7B49 \u5DF2\u88AB\u5360\u7528", codePage);  // " 等 已被占用"
  if (taken.empty() || more.empty()) {
    const char plainTaken[] = " taken";
    const char plainMore[] = " ... taken";
    taken.assign(plainTaken, plainTaken + sizeof plainTaken - 1);
    more.assign(plainMore, plainMore + sizeof plainMore - 1);
  }
  Append(tip, " -", 2);
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

bool SlotKeyTaken(int slot) { return ValidSlot(slot) && g_taken[slot]; }

bool AnyKeyTaken() {
  for (int n = 1; n <= kSlotCount; ++n) {
    if (g_taken[n]) return true;
  }
  return false;
}

void SetSlotKeyTaken(int slot, bool taken) {
  if (!ValidSlot(slot) || g_taken[slot] == taken) return;
  g_taken[slot] = taken;
  TakenKeysChanged();
}

void ClearTakenKeys() {
  if (!AnyKeyTaken()) return;
  for (bool& taken : g_taken) taken = false;
  TakenKeysChanged();
}

}  // namespace tarvolin
