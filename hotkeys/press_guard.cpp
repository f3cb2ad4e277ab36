#include "hotkeys/press_guard.h"

#include "hotkeys/full_screen.h"
#include "hotkeys/slots.h"

namespace tarvolin {

namespace {
bool KeyDown(int slot) { return (GetAsyncKeyState(static_cast<int>(SlotVirtualKey(slot))) & 0x8000) != 0; }

PressGuard g_guard;
}  // namespace

bool PressGuard::Accept(int slot, bool keyDown) {
  if (!ValidSlot(slot)) return false;
  if (!keyDown) {
    waiting_[slot] = false;
    return true;
  }
  if (waiting_[slot]) return false;
  waiting_[slot] = true;
  return true;
}

void PressGuard::HandOver(int slot) {
  if (ValidSlot(slot)) waiting_[slot] = handedOver_[slot] = true;
}

bool PressGuard::Released(int slot) {
  if (ValidSlot(slot)) waiting_[slot] = handedOver_[slot] = false;
  return AnyWaiting();
}

bool PressGuard::Waiting(int slot) const { return ValidSlot(slot) && waiting_[slot]; }

bool PressGuard::HandedOver(int slot) const { return ValidSlot(slot) && handedOver_[slot]; }

bool PressGuard::AnyWaiting() const {
  for (int n = 1; n <= kSlotCount; ++n) {
    if (waiting_[n]) return true;
  }
  return false;
}

void PressGuard::Clear() {
  for (bool& w : waiting_) w = false;
  for (bool& h : handedOver_) h = false;
}

bool AcceptHotkeyPress(HWND main, int slot) {
  const bool down = KeyDown(slot);
  if (!g_guard.Accept(slot, down)) return false;
  // Watch for the release while the key is down; setting the timer again only restarts it.
  if (down) SetTimer(main, kReleaseTimerId, kReleaseTimerMs, nullptr);
  return true;
}

void WatchKeyReleases(HWND main) {
  bool waiting = false;
  for (int n = 1; n <= kSlotCount; ++n) {
    if (g_guard.Waiting(n) && !KeyDown(n)) {
      const bool handedOver = g_guard.HandedOver(n);
      g_guard.Released(n);
      // Only now: the keys sent have arrived and the user has let go, so registering cannot
      // catch a key-down meant for the program in front.
      if (handedOver) TakeBackSlotHotkey(n);
    }
    waiting = waiting || g_guard.Waiting(n);
  }
  if (!waiting) KillTimer(main, kReleaseTimerId);
}

void StandAside(HWND main, int slot) {
  if (!ValidSlot(slot)) return;
  // Let go first, or the key sent on would come straight back here.
  DisableSlotHotkey(slot);
  // Whether the user still holds it, asked at the last moment before sending.
  SendFreshPress(SlotVirtualKey(slot), KeyDown(slot));
  g_guard.HandOver(slot);
  SetTimer(main, kReleaseTimerId, kReleaseTimerMs, nullptr);
}

}  // namespace tarvolin
