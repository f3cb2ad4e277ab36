#include "hotkeys/slot_table.h"

namespace tarvolin {

namespace {
struct Slot {
  UINT id;
  UINT key;
  const wchar_t* name;
};
constexpr Slot kSlots[kSlotCount] = {
    {0xFFFFB000u, VK_F1, L"F1"},   {0xFFFFB001u, VK_F2, L"F2"},   {0xFFFFB002u, VK_F3, L"F3"},
    {0xFFFFB003u, VK_F4, L"F4"},   {0xFFFFB004u, VK_F5, L"F5"},   {0xFFFFB005u, VK_F6, L"F6"},
    {0xFFFFB006u, VK_F7, L"F7"},   {0xFFFFB007u, VK_F8, L"F8"},   {0xFFFFB008u, VK_F9, L"F9"},
    {0xFFFFB009u, VK_F10, L"F10"}, {0xFFFFB010u, VK_F11, L"F11"}, {0xFFFFB011u, VK_F12, L"F12"},
};
}  // namespace

int HotkeyId(int slot) { return ValidSlot(slot) ? static_cast<int>(kSlots[slot - 1].id) : 0; }

int SlotFromHotkeyId(WPARAM id) {
  // The id is 32 bits. A 64-bit wParam carries it sign-extended (0xFFFFFFFFFFFFB010 for F11);
  // take it in that form or zero-extended, and nothing else.
  const unsigned long long wide = id;
  const unsigned long long high = wide >> 32;
  if (high != 0 && high != 0xFFFFFFFFull) return 0;
  for (int n = 1; n <= kSlotCount; ++n) {
    if (kSlots[n - 1].id == static_cast<UINT>(wide & 0xFFFFFFFFull)) return n;
  }
  return 0;
}

UINT SlotVirtualKey(int slot) { return ValidSlot(slot) ? kSlots[slot - 1].key : 0; }

const wchar_t* SlotKeyName(int slot) { return ValidSlot(slot) ? kSlots[slot - 1].name : L""; }

}  // namespace tarvolin
